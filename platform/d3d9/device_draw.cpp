// The four draw calls: checked against what is bound (no vertex or index
// is read past its buffer), then handed to the pipeline.
#include "d3d9/buffer_access.h"
#include "d3d9/device.h"
#include "d3d9/index_range.h"
#include "d3d9/pipeline/draw_recorder.h"

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

bool Device::CanDraw() { return !loss_.lost() && context_->MakeCurrent(); }

void Device::Submit(const DrawPlan& plan, GLuint vertexBuffer, UINT offset, UINT stride) {
    pipeline_->Prepare({states_, plan.key, plan.format, plan.use, bindings_.program, bindings_.fvf,
                        bindings_.textureBindings,
                        std::span<const D3DLIGHT9* const>(plan.lights.data(), plan.lightCount), viewport_,
                        depthStencil_ != nullptr, vertexBuffer, offset, stride});
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
    Submit(plan, vertices->GlBuffer(), bindings_.streamOffset, stride);
    glDrawArrays(Mode(primitiveType), static_cast<GLint>(startVertex), static_cast<GLsizei>(count));
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
    Submit(plan, vertices->GlBuffer(), bindings_.streamOffset, stride);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices->GlBuffer());
    // With the range given the driver need not find it again.
    glDrawRangeElementsBaseVertex(Mode(primitiveType), range.lowest, range.highest, static_cast<GLsizei>(count),
                                  indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT,
                                  reinterpret_cast<const void*>(static_cast<uintptr_t>(startIndex) * indexSize),
                                  baseVertexIndex);
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
    const GLuint buffer = pipeline_->UploadVertices(vertexStreamZeroData, bytes);
    Submit(plan, buffer, 0, vertexStreamZeroStride);
    glDrawArrays(Mode(primitiveType), 0, static_cast<GLsizei>(count));
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
    const GLuint buffer = pipeline_->UploadVertices(vertexStreamZeroData, bytes);
    Submit(plan, buffer, 0, vertexStreamZeroStride);
    pipeline_->UploadIndices(indexData, static_cast<size_t>(count) * indexSize);
    glDrawElements(Mode(primitiveType), static_cast<GLsizei>(count),
                   indexSize == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_INT, nullptr);
    Record(plan, primitiveType, primitiveCount, true, vertexStreamZeroStride);
    return D3D_OK;
}

}  // namespace platform::d3d9
