// The drawing side of the device: texture and buffer binding,
// render-target switching and the fixed-function pipeline. Until the
// pipeline arrives, every call here is refused as invalid, never
// pretended.
#include "d3d9/device.h"

namespace platform::d3d9 {

STDMETHODIMP Device::SetRenderTarget(DWORD, IDirect3DSurface9*) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::SetDepthStencilSurface(IDirect3DSurface9*) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::GetTexture(DWORD, IDirect3DBaseTexture9** texture) {
    if (texture) *texture = nullptr;
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Device::SetTexture(DWORD, IDirect3DBaseTexture9*) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::DrawPrimitive(D3DPRIMITIVETYPE, UINT, UINT) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE, INT, UINT, UINT, UINT, UINT) {
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Device::DrawPrimitiveUP(D3DPRIMITIVETYPE, UINT, const void*, UINT) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::DrawIndexedPrimitiveUP(D3DPRIMITIVETYPE, UINT, UINT, UINT, const void*, D3DFORMAT,
                                            const void*, UINT) {
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Device::SetFVF(DWORD) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::GetFVF(DWORD*) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::SetVertexShader(IDirect3DVertexShader9*) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::GetVertexShader(IDirect3DVertexShader9** shader) {
    if (shader) *shader = nullptr;
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Device::SetStreamSource(UINT, IDirect3DVertexBuffer9*, UINT, UINT) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::GetStreamSource(UINT, IDirect3DVertexBuffer9** streamData, UINT*, UINT*) {
    if (streamData) *streamData = nullptr;
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Device::SetIndices(IDirect3DIndexBuffer9*) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::GetIndices(IDirect3DIndexBuffer9** indexData) {
    if (indexData) *indexData = nullptr;
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Device::SetPixelShader(IDirect3DPixelShader9*) { return D3DERR_INVALIDCALL; }

STDMETHODIMP Device::GetPixelShader(IDirect3DPixelShader9** shader) {
    if (shader) *shader = nullptr;
    return D3DERR_INVALIDCALL;
}

}  // namespace platform::d3d9
