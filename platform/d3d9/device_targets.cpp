// Switching the render target and the depth-stencil surface. The device
// holds an application surface while it is set.
#include "d3d9/device.h"

namespace platform::d3d9 {

STDMETHODIMP Device::SetRenderTarget(DWORD renderTargetIndex, IDirect3DSurface9* renderTarget) {
    if (renderTargetIndex >= settings_.caps.NumSimultaneousRTs || !renderTarget) return D3DERR_INVALIDCALL;
    Surface* target = AsSurface(renderTarget);
    if (&target->device() != this || (target->desc().Usage & D3DUSAGE_RENDERTARGET) == 0) {
        return D3DERR_INVALIDCALL;
    }
    renderTarget_ = target;
    heldRenderTarget_.Set(target == backBuffer_.get() ? nullptr : renderTarget);
    ResetViewport();
    RecordTargets();
    return D3D_OK;
}

STDMETHODIMP Device::SetDepthStencilSurface(IDirect3DSurface9* newZStencil) {
    Surface* depth = newZStencil ? AsSurface(newZStencil) : nullptr;
    if (depth && (&depth->device() != this || (depth->desc().Usage & D3DUSAGE_DEPTHSTENCIL) == 0)) {
        return D3DERR_INVALIDCALL;
    }
    depthStencil_ = depth;
    heldDepthStencil_.Set(depth == autoDepthStencil_.get() ? nullptr : newZStencil);
    RecordTargets();
    return D3D_OK;
}

}  // namespace platform::d3d9
