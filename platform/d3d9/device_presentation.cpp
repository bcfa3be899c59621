// The presentation side of the device: back buffer and automatic
// depth-stencil in one framebuffer, and Present's flipped, scaled blit.
#include <vector>

#include "d3d9/device.h"
#include "d3d9/vsync.h"
#include "window/run_limit.h"

namespace platform::d3d9 {

HRESULT Device::BuildPresentation(const D3DPRESENT_PARAMETERS& presentation) {
    if (!context_->MakeCurrent()) return D3DERR_NOTAVAILABLE;
    presentation_ = presentation;
    renderTarget_ = nullptr;
    depthStencil_ = nullptr;
    backBuffer_ = Surface::CreateDeviceOwned(
        *this, {presentation.BackBufferFormat, D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET, D3DPOOL_DEFAULT,
                D3DMULTISAMPLE_NONE, 0, presentation.BackBufferWidth, presentation.BackBufferHeight});
    autoDepthStencil_.reset();
    if (presentation.EnableAutoDepthStencil) {
        autoDepthStencil_ = Surface::CreateDeviceOwned(
            *this, {presentation.AutoDepthStencilFormat, D3DRTYPE_SURFACE, D3DUSAGE_DEPTHSTENCIL, D3DPOOL_DEFAULT,
                    D3DMULTISAMPLE_NONE, 0, presentation.BackBufferWidth, presentation.BackBufferHeight});
    }
    renderTarget_ = backBuffer_.get();
    depthStencil_ = autoDepthStencil_.get();
    BindRenderTargets();
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) return D3DERR_OUTOFVIDEOMEMORY;

    // Direct3D leaves a new back buffer undefined; black is the kindest.
    glClearColor(0.f, 0.f, 0.f, 0.f);
    glClearDepth(1.0);
    glClearStencil(0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);

    states_ = StateBlock::Defaults(presentation.EnableAutoDepthStencil != FALSE);
    pipeline_->Forget();
    ResetViewport();
    inScene_ = false;
    ApplySwapInterval();
    return D3D_OK;
}

void Device::BindRenderTargets() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.name());
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    if (renderTarget_) renderTarget_->AttachTo(GL_FRAMEBUFFER);
    if (depthStencil_) depthStencil_->AttachTo(GL_FRAMEBUFFER);
}

void Device::ApplySwapInterval() {
    const bool wantsVsync = presentation_.PresentationInterval != D3DPRESENT_INTERVAL_IMMEDIATE;
    if (!wantsVsync) ReleaseVsync(this);
    context_->SetSwapInterval(wantsVsync && ClaimVsync(this) ? 1 : 0);
}

void Device::ResetViewport() {
    viewport_ = {0, 0, renderTarget_->desc().Width, renderTarget_->desc().Height, 0.f, 1.f};
}

STDMETHODIMP Device::Present(const RECT* sourceRect, const RECT* destRect, HWND destWindowOverride,
                             const RGNDATA* dirtyRegion) {
    // The whole back buffer to the whole device window is all the layer shows.
    if (sourceRect || destRect || destWindowOverride || dirtyRegion) return D3DERR_INVALIDCALL;
    loss_.Poll(framesPresented_);
    if (!loss_.operational()) return D3DERR_DEVICELOST;
    if (!context_->MakeCurrent()) return D3DERR_INVALIDCALL;

    const GLsizei width = static_cast<GLsizei>(presentation_.BackBufferWidth);
    const GLsizei height = static_cast<GLsizei>(presentation_.BackBufferHeight);
    if (capture_.enabled()) {
        std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_.name());
        glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
        capture_.Write(pixels, width, height);
    }

    int drawableWidth = 0, drawableHeight = 0;
    RECT area{};
    if (context_->PresentArea(drawableWidth, drawableHeight, area)) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_.name());
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        const bool sameSize = area.right - area.left == width && area.bottom - area.top == height;
        // Rows top first into the bottom-first window: the blit flips.
        glBlitFramebuffer(0, 0, width, height, area.left, drawableHeight - area.top, area.right,
                          drawableHeight - area.bottom, GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_.name());
    }
    context_->Swap();
    ++framesPresented_;
    NoteFramePresented(this);
    return D3D_OK;
}

STDMETHODIMP Device::GetBackBuffer(UINT swapChain, UINT backBuffer, D3DBACKBUFFER_TYPE type,
                                   IDirect3DSurface9** surface) {
    if (!surface) return D3DERR_INVALIDCALL;
    *surface = nullptr;
    // The back buffers of a chain are shown one after another; the layer keeps one.
    if (swapChain != 0 || backBuffer != 0 || type != D3DBACKBUFFER_TYPE_MONO) return D3DERR_INVALIDCALL;
    backBuffer_->AddRef();
    *surface = backBuffer_.get();
    return D3D_OK;
}

}  // namespace platform::d3d9
