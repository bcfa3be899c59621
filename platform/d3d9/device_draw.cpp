// The four draw calls: checked against what is bound (no vertex or index
// is read past its buffer), then recorded for the pipeline on the device's
// thread with everything they draw with but the states, which the GL side
// keeps a copy of.
#include <cstring>

#include "d3d9/buffer_access.h"
#include "d3d9/device.h"
#include "d3d9/index_range.h"
#include "d3d9/pipeline/draw_recorder.h"
#include "d3d9/pipeline/pipeline.h"

namespace platform::d3d9 {
namespace {

// Vertices or indices a count of primitives takes; 0 for an unknown type.
UINT ElementCount(D3DPRIMITIVETYPE type, UINT primitives) {
    switch (type) {
        case D3DPT_POINTLIST: return primitives;
        case D3DPT_LINELIST: return primitives * 2;
        case D3DPT_LINESTRIP: return primitives + 1;
        case D3DPT_TRIANGLELIST: return primitives * 3;
        case D3DPT_TRIANGLESTRIP:
        case D3DPT_TRIANGLEFAN: return primitives + 2;
        default: return 0;
    }
}

GLenum Mode(D3DPRIMITIVETYPE type) {
    switch (type) {
        case D3DPT_POINTLIST: return GL_POINTS;
        case D3DPT_LINELIST: return GL_LINES;
        case D3DPT_LINESTRIP: return GL_LINE_STRIP;
        case D3DPT_TRIANGLELIST: return GL_TRIANGLES;
        case D3DPT_TRIANGLESTRIP: return GL_TRIANGLE_STRIP;
        default: return GL_TRIANGLE_FAN;
    }
}

UINT IndexSize(D3DFORMAT format) {
    if (format == D3DFMT_INDEX16) return 2;
    if (format == D3DFMT_INDEX32) return 4;
    return 0;
}

// Whether vertices first..last (counted from offset) are in a buffer of size bytes.
bool VerticesFit(int64_t first, int64_t last, UINT offset, UINT stride, UINT extent, UINT size) {
    if (first < 0) return false;
    return static_cast<int64_t>(offset) + last * stride + extent <= static_cast<int64_t>(size);
}

}  // namespace

HRESULT Device::PlanDraw(D3DPRIMITIVETYPE type, DrawPlan& plan) const {
    if (ElementCount(type, 1) == 0) return D3DERR_INVALIDCALL;
    plan.format = pipeline::DecodeFvf(bindings_.fvf);
    if (!plan.format.valid) return D3DERR_INVALIDCALL;
    uint32_t textured = 0, signedTextures = 0;
    for (DWORD stage = 0; stage < kTextureStages; ++stage) {
        const TextureBinding* texture = bindings_.textureBindings[stage];
        if (texture) textured |= 1u << stage;
        if (texture && texture->SignedTexels()) signedTextures |= 1u << stage;
    }
    // Directional lights are the ones the pipeline shades with.
    for (DWORD index : bindings_.enabledLights) {
        const D3DLIGHT9& light = bindings_.lights.at(index).light;
        if (light.Type == D3DLIGHT_DIRECTIONAL && plan.lightCount < pipeline::kMaxLights) {
            plan.lights[plan.lightCount++] = &light;
        }
    }
    plan.key = pipeline::BuildKey(states_, plan.format, textured, signedTextures, plan.lightCount);
    // A program of an effect may read every field the format has.
    plan.use = bindings_.program ? pipeline::AllAttributes(plan.format) : pipeline::UsedAttributes(plan.format, plan.key);
    plan.extent = pipeline::ReadExtent(plan.format, plan.use);
    return D3D_OK;
}

// A draw as the device's thread runs it.
struct Device::DrawCall {
    enum class Kind : uint8_t { Arrays, BufferElements, PointerElements };
    Kind kind = Kind::Arrays;
    GLenum mode = GL_TRIANGLES;
    pipeline::VertexFormat format;
    pipeline::PipelineKey key;
    pipeline::AttributeUse use;
    pipeline::LinkedProgram* program = nullptr;
    DWORD fvf = 0;
    std::array<TextureBinding*, kTextureStages> textures{};
    D3DVIEWPORT9 viewport{};
    bool depthBuffer = false;
    UINT lightCount = 0;
    BufferGl* vertices = nullptr;  // nullptr: given by pointer, in the command's data
    UINT offset = 0;
    UINT stride = 0;
    GLint first = 0;
    GLsizei count = 0;
    BufferGl* indices = nullptr;
    GLenum indexType = GL_UNSIGNED_SHORT;
    UINT lowest = 0, highest = 0;
    uintptr_t indexOffset = 0;
    GLint baseVertex = 0;

    // lights, then the vertices; more: the indices given by pointer.
    void Run(GlDevice& gl, const std::byte* data, size_t vertexBytes, const std::byte* more, size_t indexBytes) const {
        std::array<const D3DLIGHT9*, pipeline::kMaxLights> lights{};
        for (UINT i = 0; i < lightCount; ++i) lights[i] = reinterpret_cast<const D3DLIGHT9*>(data) + i;
        const std::byte* pointerVertices = data + lightCount * sizeof(D3DLIGHT9);
        const GLuint buffer = vertices ? vertices->Name() : gl.pipeline->UploadVertices(pointerVertices, vertexBytes);
        gl.pipeline->Prepare({gl.states, key, format, use, program, fvf, textures,
                              std::span<const D3DLIGHT9* const>(lights.data(), lightCount), viewport, depthBuffer,
                              buffer, offset, stride});
        switch (kind) {
            case Kind::Arrays:
                glDrawArrays(mode, first, count);
                break;
            case Kind::BufferElements:
                glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices->Name());
                // With the range given the driver need not find it again.
                glDrawRangeElementsBaseVertex(mode, lowest, highest, count, indexType,
                                              reinterpret_cast<const void*>(indexOffset), baseVertex);
                break;
            case Kind::PointerElements:
                gl.pipeline->UploadIndices(more, indexBytes);
                glDrawElements(mode, count, indexType, nullptr);
                break;
        }
    }
};

bool Device::CanDraw() const { return !loss_.lost() && context_->WindowAlive(); }

void Device::Queue(const DrawPlan& plan, DrawCall& call, std::span<const std::byte> vertices,
                   std::span<const std::byte> indices) {
    call.format = plan.format;
    call.key = plan.key;
    call.use = plan.use;
    call.program = bindings_.program;
    call.fvf = bindings_.fvf;
    call.textures = bindings_.textureBindings;
    call.viewport = viewport_;
    call.depthBuffer = depthStencil_ != nullptr;
    call.lightCount = plan.lightCount;
    const auto run = [gl = gl_.get(), call, vertexBytes = vertices.size(), indexBytes = indices.size()](
                         const std::byte* data, const std::byte* more) {
        if (gl->usable) call.Run(*gl, data, vertexBytes, more, indexBytes);
    };
    if (plan.lightCount == 0) {
        commands_->RecordWithData(vertices.data(), vertices.size(), indices.data(), indices.size(), run);
        return;
    }
    // The lights and the vertices go as one run of bytes, the lights first.
    scratch_.resize(plan.lightCount * sizeof(D3DLIGHT9) + vertices.size());
    for (UINT i = 0; i < plan.lightCount; ++i) {
        std::memcpy(scratch_.data() + i * sizeof(D3DLIGHT9), plan.lights[i], sizeof(D3DLIGHT9));
    }
    if (!vertices.empty()) {
        std::memcpy(scratch_.data() + plan.lightCount * sizeof(D3DLIGHT9), vertices.data(), vertices.size());
    }
    commands_->RecordWithData(scratch_.data(), scratch_.size(), indices.data(), indices.size(), run);
}

void Device::Record(const DrawPlan& plan, D3DPRIMITIVETYPE type, UINT primitiveCount, bool indexed,
                    UINT stride) const {
    if (!pipeline::RecordingDraws()) return;
    const auto& rs = states_.renderStates;
    sim::DrawRecord record;
    record.primitiveType = type;
    record.primitiveCount = primitiveCount;
    record.indexed = indexed;
    record.fvf = bindings_.fvf;
    record.stride = stride;
    for (int s = 0; s < plan.key.stageCount; ++s) {
        const auto& stage = states_.stageStates[s];
        record.stages.push_back({stage[D3DTSS_COLOROP], stage[D3DTSS_COLORARG1], stage[D3DTSS_COLORARG2],
                                 stage[D3DTSS_ALPHAOP], stage[D3DTSS_ALPHAARG1], stage[D3DTSS_ALPHAARG2],
                                 bindings_.textures[s].get(), stage[D3DTSS_TEXCOORDINDEX],
                                 stage[D3DTSS_TEXTURETRANSFORMFLAGS]});
    }
    record.alphaBlend = rs[D3DRS_ALPHABLENDENABLE] != FALSE;
    record.srcBlend = rs[D3DRS_SRCBLEND];
    record.destBlend = rs[D3DRS_DESTBLEND];
    record.blendOp = rs[D3DRS_BLENDOP];
    record.alphaTest = rs[D3DRS_ALPHATESTENABLE] != FALSE;
    record.alphaFunc = rs[D3DRS_ALPHAFUNC];
    record.alphaRef = rs[D3DRS_ALPHAREF];
    record.cullMode = rs[D3DRS_CULLMODE];
    record.zEnable = depthStencil_ && rs[D3DRS_ZENABLE] != D3DZB_FALSE;
    record.zWrite = rs[D3DRS_ZWRITEENABLE] != FALSE;
    record.zFunc = rs[D3DRS_ZFUNC];
    record.lighting = plan.key.lighting != 0;
    record.textureFactor = rs[D3DRS_TEXTUREFACTOR];
    record.renderTarget = renderTarget_;
    record.pixelShader = bindings_.pixelShader.get();
    pipeline::RecordDraw(std::move(record));
}

STDMETHODIMP Device::DrawPrimitive(D3DPRIMITIVETYPE primitiveType, UINT startVertex, UINT primitiveCount) {
    DrawPlan plan;
    if (const HRESULT planned = PlanDraw(primitiveType, plan); FAILED(planned)) return planned;
    if (primitiveCount == 0) return D3D_OK;
    auto* vertices = AsBufferAccess(bindings_.stream.get());
    const UINT stride = bindings_.streamStride;
    if (!vertices || stride == 0) return D3DERR_INVALIDCALL;
    const UINT count = ElementCount(primitiveType, primitiveCount);
    if (!VerticesFit(startVertex, int64_t{startVertex} + count - 1, bindings_.streamOffset, stride, plan.extent,
                     vertices->ByteSize())) {
        return D3DERR_INVALIDCALL;
    }
    if (!CanDraw()) return D3D_OK;
    DrawCall call;
    call.mode = Mode(primitiveType);
    call.vertices = vertices->gl();
    call.offset = bindings_.streamOffset;
    call.stride = stride;
    call.first = static_cast<GLint>(startVertex);
    call.count = static_cast<GLsizei>(count);
    Queue(plan, call);
    Record(plan, primitiveType, primitiveCount, false, stride);
    return D3D_OK;
}

STDMETHODIMP Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE primitiveType, INT baseVertexIndex, UINT,
                                          UINT, UINT startIndex, UINT primitiveCount) {
    DrawPlan plan;
    if (const HRESULT planned = PlanDraw(primitiveType, plan); FAILED(planned)) return planned;
    if (primitiveCount == 0) return D3D_OK;
    auto* vertices = AsBufferAccess(bindings_.stream.get());
    auto* indices = AsBufferAccess(bindings_.indices.get());
    const UINT stride = bindings_.streamStride;
    if (!vertices || !indices || stride == 0) return D3DERR_INVALIDCALL;
    D3DINDEXBUFFER_DESC desc{};
    bindings_.indices.get()->GetDesc(&desc);
    const UINT indexSize = IndexSize(desc.Format);
    const UINT count = ElementCount(primitiveType, primitiveCount);
    if (indexSize == 0 || (uint64_t{startIndex} + count) * indexSize > indices->ByteSize()) {
        return D3DERR_INVALIDCALL;
    }
    // The indices themselves say which vertices are read.
    const IndexRange range = indices->IndexSpan(startIndex, count, indexSize);
    if (!VerticesFit(int64_t{baseVertexIndex} + range.lowest, int64_t{baseVertexIndex} + range.highest,
                     bindings_.streamOffset, stride, plan.extent, vertices->ByteSize())) {
        return D3DERR_INVALIDCALL;
    }
    if (!CanDraw()) return D3D_OK;
    DrawCall call;
    call.kind = DrawCall::Kind::BufferElements;
    call.mode = Mode(primitiveType);
    call.vertices = vertices->gl();
    call.offset = bindings_.streamOffset;
    call.stride = stride;
    call.count = static_cast<GLsizei>(count);
    call.indices = indices->gl();
    call.indexType = indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT;
    call.lowest = range.lowest;
    call.highest = range.highest;
    call.indexOffset = static_cast<uintptr_t>(startIndex) * indexSize;
    call.baseVertex = baseVertexIndex;
    Queue(plan, call);
    Record(plan, primitiveType, primitiveCount, true, stride);
    return D3D_OK;
}

// Drawing from pointers leaves stream 0 (and the indices) unset, as Direct3D does.
STDMETHODIMP Device::DrawPrimitiveUP(D3DPRIMITIVETYPE primitiveType, UINT primitiveCount,
                                     const void* vertexStreamZeroData, UINT vertexStreamZeroStride) {
    DrawPlan plan;
    if (const HRESULT planned = PlanDraw(primitiveType, plan); FAILED(planned)) return planned;
    if (!vertexStreamZeroData || vertexStreamZeroStride == 0) return D3DERR_INVALIDCALL;
    SetStreamSource(0, nullptr, 0, 0);
    if (primitiveCount == 0) return D3D_OK;
    if (!CanDraw()) return D3D_OK;
    const UINT count = ElementCount(primitiveType, primitiveCount);
    const size_t bytes = static_cast<size_t>(count - 1) * vertexStreamZeroStride + plan.extent;
    DrawCall call;
    call.mode = Mode(primitiveType);
    call.stride = vertexStreamZeroStride;
    call.count = static_cast<GLsizei>(count);
    Queue(plan, call, {static_cast<const std::byte*>(vertexStreamZeroData), bytes});
    Record(plan, primitiveType, primitiveCount, false, vertexStreamZeroStride);
    return D3D_OK;
}

STDMETHODIMP Device::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE primitiveType, UINT, UINT, UINT primitiveCount,
                                            const void* indexData, D3DFORMAT indexDataFormat,
                                            const void* vertexStreamZeroData, UINT vertexStreamZeroStride) {
    DrawPlan plan;
    if (const HRESULT planned = PlanDraw(primitiveType, plan); FAILED(planned)) return planned;
    const UINT indexSize = IndexSize(indexDataFormat);
    if (!indexData || indexSize == 0 || !vertexStreamZeroData || vertexStreamZeroStride == 0) {
        return D3DERR_INVALIDCALL;
    }
    SetStreamSource(0, nullptr, 0, 0);
    SetIndices(nullptr);
    if (primitiveCount == 0) return D3D_OK;
    if (!CanDraw()) return D3D_OK;
    const UINT count = ElementCount(primitiveType, primitiveCount);
    const IndexRange range = ScanIndices(static_cast<const BYTE*>(indexData), indexSize, count);
    const size_t bytes = static_cast<size_t>(range.highest) * vertexStreamZeroStride + plan.extent;
    DrawCall call;
    call.kind = DrawCall::Kind::PointerElements;
    call.mode = Mode(primitiveType);
    call.stride = vertexStreamZeroStride;
    call.count = static_cast<GLsizei>(count);
    call.indexType = indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT;
    Queue(plan, call, {static_cast<const std::byte*>(vertexStreamZeroData), bytes},
          {static_cast<const std::byte*>(indexData), static_cast<size_t>(count) * indexSize});
    Record(plan, primitiveType, primitiveCount, true, vertexStreamZeroStride);
    return D3D_OK;
}

}  // namespace platform::d3d9
