// Surfaces the device hands out or makes, and reading a render target
// back into system memory.
#include <vector>

#include "d3d9/device.h"
#include "d3d9/formats.h"

namespace platform::d3d9 {
namespace {

HRESULT HandOut(Surface* surface, IDirect3DSurface9** result) {
    *result = surface;
    if (!surface) return D3DERR_NOTFOUND;
    surface->AddRef();
    return D3D_OK;
}

}  // namespace

STDMETHODIMP Device::GetRenderTarget(DWORD renderTargetIndex, IDirect3DSurface9** renderTarget) {
    if (!renderTarget || renderTargetIndex >= settings_.caps.NumSimultaneousRTs) return D3DERR_INVALIDCALL;
    return HandOut(renderTarget_, renderTarget);
}

STDMETHODIMP Device::GetDepthStencilSurface(IDirect3DSurface9** zStencilSurface) {
    if (!zStencilSurface) return D3DERR_INVALIDCALL;
    return HandOut(depthStencil_, zStencilSurface);
}

STDMETHODIMP Device::CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                                 IDirect3DSurface9** surface, HANDLE* sharedHandle) {
    if (!surface) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (sharedHandle || width == 0 || height == 0 || pool == D3DPOOL_MANAGED || pool > D3DPOOL_SCRATCH) {
        return D3DERR_INVALIDCALL;
    }
    if (BytesPerPixel(format) == 0 || !IsTextureFormat(format, settings_.adapter.description.v8u8Textures)) {
        return D3DERR_INVALIDCALL;
    }
    *surface = Surface::CreatePlain(
        *this, {format, D3DRTYPE_SURFACE, 0, pool, D3DMULTISAMPLE_NONE, 0, width, height});
    return D3D_OK;
}

// Render targets and depth-stencil surfaces of the application's own, in
// GL: none can be locked or multisampled.
HRESULT Device::CreateRenderbufferSurface(UINT width, UINT height, const D3DSURFACE_DESC& desc,
                                          IDirect3DSurface9** surface, HANDLE* sharedHandle) {
    if (!surface) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    if (sharedHandle || width == 0 || height == 0) return D3DERR_INVALIDCALL;
    if (width > settings_.caps.MaxTextureWidth || height > settings_.caps.MaxTextureHeight) {
        return D3DERR_INVALIDCALL;
    }
    if (desc.MultiSampleType != D3DMULTISAMPLE_NONE) return D3DERR_NOTAVAILABLE;
    if (!context_->WindowAlive()) return D3DERR_INVALIDCALL;
    *surface = Surface::CreateRenderbuffer(*this, desc);
    return D3D_OK;
}

STDMETHODIMP Device::CreateRenderTarget(UINT width, UINT height, D3DFORMAT format, D3DMULTISAMPLE_TYPE multiSample,
                                        DWORD multisampleQuality, BOOL lockable, IDirect3DSurface9** surface,
                                        HANDLE* sharedHandle) {
    if (surface) *surface = nullptr;
    if (!IsBackBufferFormat(format)) return D3DERR_INVALIDCALL;
    if (lockable) return D3DERR_NOTAVAILABLE;
    return CreateRenderbufferSurface(width, height,
                                     {format, D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT, multiSample,
                                      multisampleQuality, width, height},
                                     surface, sharedHandle);
}

STDMETHODIMP Device::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                               D3DMULTISAMPLE_TYPE multiSample, DWORD multisampleQuality,
                                               BOOL /*discard*/, IDirect3DSurface9** surface, HANDLE* sharedHandle) {
    if (surface) *surface = nullptr;
    if (!IsDepthStencilFormat(format)) return D3DERR_INVALIDCALL;
    return CreateRenderbufferSurface(width, height,
                                     {format, D3DRTYPE_SURFACE, D3DUSAGE_DEPTHSTENCIL, D3DPOOL_DEFAULT, multiSample,
                                      multisampleQuality, width, height},
                                     surface, sharedHandle);
}

STDMETHODIMP Device::GetRenderTargetData(IDirect3DSurface9* renderTarget, IDirect3DSurface9* destSurface) {
    if (!renderTarget || !destSurface) return D3DERR_INVALIDCALL;
    Surface* source = AsSurface(renderTarget);
    Surface* destination = AsSurface(destSurface);
    const D3DSURFACE_DESC& from = source->desc();
    const D3DSURFACE_DESC& to = destination->desc();
    if (&source->device() != this || &destination->device() != this) return D3DERR_INVALIDCALL;
    if ((from.Usage & D3DUSAGE_RENDERTARGET) == 0 || !source->InGl()) return D3DERR_INVALIDCALL;
    if (to.Pool != D3DPOOL_SYSTEMMEM || to.Width != from.Width || to.Height != from.Height ||
        to.Format != from.Format) {
        return D3DERR_INVALIDCALL;
    }
    if (loss_.lost()) return D3DERR_DEVICELOST;
    if (!context_->WindowAlive()) return D3DERR_INVALIDCALL;

    // Reading pixels back waits for the drawing before it.
    commands_->Call([gl = gl_.get(), from = source->gl(), into = destination->WritableBytes(),
                     pitch = destination->pitch(), format = to.Format, width = to.Width, height = to.Height] {
        if (!gl->usable) return;
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->readFramebuffer.name());
        from->AttachTo(GL_READ_FRAMEBUFFER);
        glReadPixels(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_BGRA,
                     GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
        glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->framebuffer.name());
        const UINT bytesPerPixel = BytesPerPixel(format);
        for (UINT y = 0; y < height; ++y) {
            BYTE* row = into + static_cast<size_t>(y) * pitch;
            for (UINT x = 0; x < width; ++x) {
                StorePixel(format, pixels[static_cast<size_t>(y) * width + x], row + x * bytesPerPixel);
            }
        }
    });
    return D3D_OK;
}

}  // namespace platform::d3d9
