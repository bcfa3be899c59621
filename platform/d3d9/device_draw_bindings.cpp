// Setting and reading back what draws use beside the states: textures,
// stream 0, indices, the vertex format and the (absent) shaders.
#include "d3d9/buffer_access.h"
#include "d3d9/device.h"
#include "d3d9/program_shader.h"
#include "d3d9/texture.h"

namespace platform::d3d9 {

STDMETHODIMP Device::SetTexture(DWORD stage, IDirect3DBaseTexture9* texture) {
    if (stage >= kTextureStages) return D3DERR_INVALIDCALL;
    TextureBinding* binding = texture ? AsTextureBinding(texture) : nullptr;
    if (texture && !binding) return D3DERR_INVALIDCALL;
    bindings_.textures[stage].Set(texture);
    bindings_.textureBindings[stage] = binding;
    return D3D_OK;
}

STDMETHODIMP Device::GetTexture(DWORD stage, IDirect3DBaseTexture9** texture) {
    if (!texture) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    if (stage >= kTextureStages) return D3DERR_INVALIDCALL;
    *texture = bindings_.textures[stage].HandOut();
    return D3D_OK;
}

STDMETHODIMP Device::SetFVF(DWORD fvf) {
    bindings_.fvf = fvf;
    return D3D_OK;
}

STDMETHODIMP Device::GetFVF(DWORD* fvf) {
    if (!fvf) return D3DERR_INVALIDCALL;
    *fvf = bindings_.fvf;
    return D3D_OK;
}

// Vertex processing is always the fixed-function one, or an effect
// program's own vertex stage.
STDMETHODIMP Device::SetVertexShader(IDirect3DVertexShader9* shader) {
    return shader ? D3DERR_INVALIDCALL : D3D_OK;
}

STDMETHODIMP Device::GetVertexShader(IDirect3DVertexShader9** shader) {
    if (!shader) return D3DERR_INVALIDCALL;
    *shader = nullptr;
    return D3D_OK;
}

// Pixel shaders come from effects only, each with its program linked.
STDMETHODIMP Device::SetPixelShader(IDirect3DPixelShader9* shader) {
    ProgramShader* program = shader ? AsProgramShader(shader) : nullptr;
    if (shader && !program) return D3DERR_INVALIDCALL;
    bindings_.pixelShader.Set(shader);
    bindings_.program = program ? &program->program() : nullptr;
    return D3D_OK;
}

STDMETHODIMP Device::GetPixelShader(IDirect3DPixelShader9** shader) {
    if (!shader) return D3DERR_INVALIDCALL;
    *shader = bindings_.pixelShader.HandOut();
    return D3D_OK;
}

// Flexible vertex formats read stream 0 only.
STDMETHODIMP Device::SetStreamSource(UINT streamNumber, IDirect3DVertexBuffer9* streamData, UINT offsetInBytes,
                                     UINT stride) {
    if (streamNumber != 0) return D3DERR_INVALIDCALL;
    if (streamData && !AsBufferAccess(streamData)) return D3DERR_INVALIDCALL;
    bindings_.stream.Set(streamData);
    bindings_.streamOffset = streamData ? offsetInBytes : 0;
    bindings_.streamStride = streamData ? stride : 0;
    commands_->Record([gl = gl_.get()] { gl->pipeline->ForgetVertexInput(); });
    return D3D_OK;
}

STDMETHODIMP Device::GetStreamSource(UINT streamNumber, IDirect3DVertexBuffer9** streamData, UINT* offsetInBytes,
                                     UINT* stride) {
    if (!streamData || !offsetInBytes || !stride) return D3DERR_INVALIDCALL;
    *streamData = nullptr;
    if (streamNumber != 0) return D3DERR_INVALIDCALL;
    *streamData = bindings_.stream.HandOut();
    *offsetInBytes = bindings_.streamOffset;
    *stride = bindings_.streamStride;
    return D3D_OK;
}

STDMETHODIMP Device::SetIndices(IDirect3DIndexBuffer9* indexData) {
    if (indexData && !AsBufferAccess(indexData)) return D3DERR_INVALIDCALL;
    bindings_.indices.Set(indexData);
    return D3D_OK;
}

STDMETHODIMP Device::GetIndices(IDirect3DIndexBuffer9** indexData) {
    if (!indexData) return D3DERR_INVALIDCALL;
    *indexData = bindings_.indices.HandOut();
    return D3D_OK;
}

}  // namespace platform::d3d9
