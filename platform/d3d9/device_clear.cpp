// Clearing, scenes and the viewport.
#include <algorithm>

#include "d3d9/device.h"
#include "d3d9/formats.h"

namespace platform::d3d9 {
namespace {

constexpr DWORD kClearFlags = D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL;

}  // namespace

STDMETHODIMP Device::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                           DWORD stencil) {
    if ((count != 0) != (rects != nullptr)) return D3DERR_INVALIDCALL;
    if (flags == 0 || (flags & ~kClearFlags) != 0) return D3DERR_INVALIDCALL;
    // Naming a buffer that is not bound fails the whole call: nothing is cleared.
    if ((flags & D3DCLEAR_TARGET) && !renderTarget_) return D3DERR_INVALIDCALL;
    if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && !depthStencil_) return D3DERR_INVALIDCALL;
    if ((flags & D3DCLEAR_STENCIL) && !HasStencil(depthStencil_->desc().Format)) return D3DERR_INVALIDCALL;
    if (!context_->WindowAlive()) return D3D_OK;  // nothing left to draw on

    // Only the viewport is cleared, and of it only the rectangles given.
    const D3DRECT viewport{static_cast<LONG>(viewport_.X), static_cast<LONG>(viewport_.Y),
                           static_cast<LONG>(viewport_.X + viewport_.Width),
                           static_cast<LONG>(viewport_.Y + viewport_.Height)};
    commands_->RecordWithData(rects, sizeof(D3DRECT) * count, [gl = gl_.get(), count, flags, color, z, stencil,
                                                                viewport](const std::byte* data) {
        if (!gl->usable) return;
        const auto* given = reinterpret_cast<const D3DRECT*>(data);
        GLbitfield buffers = 0;
        if (flags & D3DCLEAR_TARGET) {
            buffers |= GL_COLOR_BUFFER_BIT;
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
            const auto rgba = ColourToRgba(color);
            glClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
        }
        if (flags & D3DCLEAR_ZBUFFER) {
            buffers |= GL_DEPTH_BUFFER_BIT;
            glDepthMask(GL_TRUE);
            glClearDepth(std::clamp(z, 0.f, 1.f));
        }
        if (flags & D3DCLEAR_STENCIL) {
            buffers |= GL_STENCIL_BUFFER_BIT;
            glStencilMask(0xFF);
            glClearStencil(static_cast<GLint>(stencil & 0xFF));
        }
        glEnable(GL_SCISSOR_TEST);
        for (DWORD i = 0; i < std::max<DWORD>(count, 1); ++i) {
            D3DRECT area = viewport;
            if (count) {
                area = {std::max(area.x1, given[i].x1), std::max(area.y1, given[i].y1),
                        std::min(area.x2, given[i].x2), std::min(area.y2, given[i].y2)};
            }
            if (area.x1 >= area.x2 || area.y1 >= area.y2) continue;
            glScissor(area.x1, area.y1, area.x2 - area.x1, area.y2 - area.y1);
            glClear(buffers);
        }
        glDisable(GL_SCISSOR_TEST);
        gl->pipeline->Forget();
    });
    return D3D_OK;
}

STDMETHODIMP Device::BeginScene() {
    if (inScene_) return D3DERR_INVALIDCALL;
    inScene_ = true;
    return D3D_OK;
}

STDMETHODIMP Device::EndScene() {
    if (!inScene_) return D3DERR_INVALIDCALL;
    inScene_ = false;
    return D3D_OK;
}

STDMETHODIMP Device::SetViewport(const D3DVIEWPORT9* viewport) {
    if (!viewport || !renderTarget_) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC& target = renderTarget_->desc();
    if (viewport->Width == 0 || viewport->Height == 0 || viewport->X >= target.Width ||
        viewport->Y >= target.Height || viewport->Width > target.Width - viewport->X ||
        viewport->Height > target.Height - viewport->Y) {
        return D3DERR_INVALIDCALL;
    }
    if (!(viewport->MinZ >= 0.f && viewport->MaxZ <= 1.f && viewport->MinZ <= viewport->MaxZ)) {
        return D3DERR_INVALIDCALL;
    }
    viewport_ = *viewport;
    return D3D_OK;
}

STDMETHODIMP Device::GetViewport(D3DVIEWPORT9* viewport) {
    if (!viewport) return D3DERR_INVALIDCALL;
    *viewport = viewport_;
    return D3D_OK;
}

}  // namespace platform::d3d9
