// ColorFill: one colour over a rectangle of a render target (in GL) or of
// a default-pool plain surface (on its CPU copy).
#include "d3d9/copy_state_guard.h"
#include "d3d9/device.h"
#include "d3d9/formats.h"

namespace platform::d3d9 {
namespace {

void FillInGl(const SurfaceGl& surface, const RECT& area, D3DCOLOR colour) {
    const CopyStateGuard guard;
    const GlObject scratch(GlObject::Kind::Framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, scratch.name());
    surface.AttachTo(GL_DRAW_FRAMEBUFFER);
    glEnable(GL_SCISSOR_TEST);
    glScissor(area.left, area.top, area.right - area.left, area.bottom - area.top);
    glClearBufferfv(GL_COLOR, 0, ColourToRgba(colour).data());
}

void FillOnCpu(Surface& surface, const RECT& area, D3DCOLOR colour) {
    const UINT bytesPerPixel = BytesPerPixel(surface.desc().Format);
    BYTE* bytes = surface.WritableBytes();
    for (LONG y = area.top; y < area.bottom; ++y) {
        BYTE* row = bytes + static_cast<size_t>(y) * surface.pitch();
        for (LONG x = area.left; x < area.right; ++x) StorePixel(surface.desc().Format, colour, row + x * bytesPerPixel);
    }
}

// The formats StorePixel writes.
bool FillableOnCpu(D3DFORMAT format) {
    return IsBackBufferFormat(format) || format == D3DFMT_A4R4G4B4 || format == D3DFMT_X4R4G4B4 ||
           format == D3DFMT_A8;
}

}  // namespace

STDMETHODIMP Device::ColorFill(IDirect3DSurface9* surface, const RECT* rect, D3DCOLOR color) {
    if (!surface) return D3DERR_INVALIDCALL;
    Surface& target = *AsSurface(surface);
    const D3DSURFACE_DESC& desc = target.desc();
    if (&target.device() != this || desc.Pool != D3DPOOL_DEFAULT || (desc.Usage & D3DUSAGE_DEPTHSTENCIL)) {
        return D3DERR_INVALIDCALL;
    }
    RECT area{0, 0, static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height)};
    if (rect) {
        if (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom ||
            rect->right > area.right || rect->bottom > area.bottom) {
            return D3DERR_INVALIDCALL;
        }
        area = *rect;
    }
    if (target.InGl()) {
        if (loss_.lost()) return D3DERR_DEVICELOST;
        if (!context_->WindowAlive()) return D3DERR_INVALIDCALL;
        commands_->Record([gl = gl_.get(), surface = target.gl(), area, color] {
            if (gl->usable) FillInGl(*surface, area, color);
        });
        return D3D_OK;
    }
    // Levels of textures that are not render targets are not fillable.
    if (target.container() || !FillableOnCpu(desc.Format)) return D3DERR_INVALIDCALL;
    FillOnCpu(target, area, color);
    return D3D_OK;
}

}  // namespace platform::d3d9
