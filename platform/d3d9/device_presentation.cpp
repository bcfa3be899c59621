// The presentation side of the device: back buffer and automatic
// depth-stencil in one framebuffer, and Present's flipped, scaled blit.
#include <vector>

#include "d3d9/device.h"
#include "d3d9/vsync.h"
#include "window/run_limit.h"

namespace platform::d3d9 {
namespace {

// Frames recorded that the device's thread has not shown yet, at most:
// Direct3D 9's default frame latency.
constexpr uint64_t kFramesAhead = 3;

}  // namespace

HRESULT Device::BuildPresentation(const D3DPRESENT_PARAMETERS& presentation) {
    if (!context_->WindowAlive()) return D3DERR_NOTAVAILABLE;
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
    const bool autoDepth = presentation.EnableAutoDepthStencil != FALSE;
    GLenum status = 0;
    commands_->Call([gl = gl_.get(), target = renderTarget_->gl(), depth = depthStencil_ ? depthStencil_->gl() : nullptr,
                     autoDepth, result = &status] {
        if (!gl->usable) return;
        gl->renderTarget = target;
        gl->depthStencil = depth;
        gl->BindRenderTargets();
        *result = glCheckFramebufferStatus(GL_FRAMEBUFFER);
        if (*result != GL_FRAMEBUFFER_COMPLETE) return;
        // Direct3D leaves a new back buffer undefined; black is the kindest.
        glClearColor(0.f, 0.f, 0.f, 0.f);
        glClearDepth(1.0);
        glClearStencil(0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
        gl->states = StateBlock::Defaults(autoDepth);
        gl->pipeline->Forget();
    });
    if (status == 0) return D3DERR_NOTAVAILABLE;
    if (status != GL_FRAMEBUFFER_COMPLETE) return D3DERR_OUTOFVIDEOMEMORY;

    states_ = StateBlock::Defaults(autoDepth);
    ResetViewport();
    inScene_ = false;
    ChooseSwapInterval();
    return D3D_OK;
}

void Device::RecordTargets() {
    commands_->Record([gl = gl_.get(), target = renderTarget_ ? renderTarget_->gl() : nullptr,
                       depth = depthStencil_ ? depthStencil_->gl() : nullptr] {
        gl->renderTarget = target;
        gl->depthStencil = depth;
        if (gl->usable) gl->BindRenderTargets();
        gl->pipeline->Forget();
    });
}

void Device::ChooseSwapInterval() {
    const bool wantsVsync = presentation_.PresentationInterval != D3DPRESENT_INTERVAL_IMMEDIATE;
    if (!wantsVsync) ReleaseVsync(this);
    swapInterval_ = wantsVsync && ClaimVsync(this) ? 1 : 0;
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
    if (!context_->WindowAlive()) return D3DERR_INVALIDCALL;

    const GLsizei width = static_cast<GLsizei>(presentation_.BackBufferWidth);
    const GLsizei height = static_cast<GLsizei>(presentation_.BackBufferHeight);
    if (capture_.enabled()) {
        // The capture reads the frame back: it waits for the frame's drawing.
        std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
        commands_->Call([gl = gl_.get(), into = pixels.data(), width, height] {
            if (!gl->usable) return;
            glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->framebuffer.name());
            glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, into);
        });
        capture_.Write(pixels, width, height);
    }

    int drawableWidth = 0, drawableHeight = 0;
    RECT area{};
    const bool shown = context_->PresentArea(drawableWidth, drawableHeight, area);
    commands_->Record([gl = gl_.get(), shown, drawableHeight, area, width, height, interval = swapInterval_] {
        if (!gl->usable) return;
        gl->context.Show(interval, [&] {
            if (!shown) return;
            glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->framebuffer.name());
            glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
            const bool sameSize = area.right - area.left == width && area.bottom - area.top == height;
            // Rows top first into the bottom-first window: the blit flips.
            glBlitFramebuffer(0, 0, width, height, area.left, drawableHeight - area.top, area.right,
                              drawableHeight - area.bottom, GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
            glBindFramebuffer(GL_FRAMEBUFFER, gl->framebuffer.name());
        });
    });
    ++framesPresented_;
    NoteFramePresented(this);
    commands_->EndFrame(kFramesAhead);
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
