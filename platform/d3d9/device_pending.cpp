// The resources side of the device: textures, buffers and surface copies.
// Until they arrive, every call here is refused as invalid, never
// pretended.
#include "d3d9/device.h"

namespace platform::d3d9 {

STDMETHODIMP Device::CreateTexture(UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DTexture9** texture,
                                   HANDLE*) {
    if (texture) *texture = nullptr;
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Device::CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer9** vertexBuffer,
                                        HANDLE*) {
    if (vertexBuffer) *vertexBuffer = nullptr;
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Device::CreateIndexBuffer(UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DIndexBuffer9** indexBuffer,
                                       HANDLE*) {
    if (indexBuffer) *indexBuffer = nullptr;
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Device::UpdateSurface(IDirect3DSurface9*, const RECT*, IDirect3DSurface9*, const POINT*) {
    return D3DERR_INVALIDCALL;
}

STDMETHODIMP Device::StretchRect(IDirect3DSurface9*, const RECT*, IDirect3DSurface9*, const RECT*,
                                 D3DTEXTUREFILTERTYPE) {
    return D3DERR_INVALIDCALL;
}

}  // namespace platform::d3d9
