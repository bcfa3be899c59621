// Copies between surfaces: UpdateSurface from system memory into the
// card's pool, StretchRect between surfaces in GL.
#include <cstring>

#include "d3d9/copy_state_guard.h"
#include "d3d9/device.h"
#include "d3d9/format_table.h"
#include "d3d9/texture.h"

namespace platform::d3d9 {
namespace {

RECT WholeSurface(const D3DSURFACE_DESC& desc) {
    return {0, 0, static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height)};
}

bool InsideSurface(const RECT& rect, const D3DSURFACE_DESC& desc) {
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= static_cast<LONG>(desc.Width) && rect.bottom <= static_cast<LONG>(desc.Height);
}


// A blit reads stored components, not sampled ones: only formats whose
// storage holds their red, green and blue as such can be copied.
bool BlitsAsStored(D3DFORMAT format) {
    const FormatInfo* info = FindFormat(format);
    return info && !info->isSigned && info->swizzle[0] == GL_RED && info->swizzle[1] == GL_GREEN &&
           info->swizzle[2] == GL_BLUE;
}

// GL storage a StretchRect source can be read from: a render target, or a
// default-pool texture's level through its sampling texture.
bool Readable(const Surface& surface) {
    return surface.InGl() || (surface.container() && surface.desc().Pool == D3DPOOL_DEFAULT);
}

// On the device's thread: a render target itself, or a texture's level.
struct ReadSource {
    SurfaceGl* surface = nullptr;
    TextureGl* texture = nullptr;
    UINT level = 0;

    void AttachForReading() const {
        if (surface) {
            surface->AttachTo(GL_READ_FRAMEBUFFER);
            return;
        }
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture->GlTexture(),
                               static_cast<GLint>(level));
    }
};

}  // namespace

STDMETHODIMP Device::UpdateSurface(IDirect3DSurface9* sourceSurface, const RECT* sourceRect,
                                   IDirect3DSurface9* destinationSurface, const POINT* destPoint) {
    if (!sourceSurface || !destinationSurface) return D3DERR_INVALIDCALL;
    Surface& source = *AsSurface(sourceSurface);
    Surface& destination = *AsSurface(destinationSurface);
    const D3DSURFACE_DESC& from = source.desc();
    const D3DSURFACE_DESC& to = destination.desc();
    if (&source.device() != this || &destination.device() != this) return D3DERR_INVALIDCALL;
    if (from.Pool != D3DPOOL_SYSTEMMEM || to.Pool != D3DPOOL_DEFAULT || from.Format != to.Format) {
        return D3DERR_INVALIDCALL;
    }
    const RECT area = sourceRect ? *sourceRect : WholeSurface(from);
    const POINT at = destPoint ? *destPoint : POINT{0, 0};
    const RECT target{at.x, at.y, at.x + (area.right - area.left), at.y + (area.bottom - area.top)};
    if (!InsideSurface(area, from) || !InsideSurface(target, to)) return D3DERR_INVALIDCALL;
    const FormatInfo& format = *FindFormat(from.Format);
    if (!OnBlockEdges(format, area, from.Width, from.Height) || !OnBlockEdges(format, target, to.Width, to.Height)) {
        return D3DERR_INVALIDCALL;
    }
    const auto block = static_cast<LONG>(format.blockSize);

    if (destination.HasBytes()) {
        BYTE* into = destination.WritableBytes();
        const UINT rows = StoredRows(format, static_cast<UINT>(area.bottom - area.top));
        const UINT rowBytes = (static_cast<UINT>(area.right - area.left) + format.blockSize - 1) / format.blockSize *
                              format.blockBytes;
        const auto offset = [&](Surface& surface, const RECT& rect) {
            return static_cast<size_t>(rect.top / block) * surface.pitch() +
                   static_cast<size_t>(rect.left / block) * format.blockBytes;
        };
        for (UINT row = 0; row < rows; ++row) {
            std::memcpy(into + offset(destination, target) + row * destination.pitch(),
                        source.bytes() + offset(source, area) + row * source.pitch(),
                        rowBytes);
        }
        if (destination.container()) destination.container()->LevelWritten(destination.level());
        return D3D_OK;
    }
    // A render-target level: straight into its GL texture.
    if (!destination.container() || !context_->WindowAlive()) return D3DERR_INVALIDCALL;
    commands_->Record([gl = gl_.get(), texture = destination.container()->gl(), level = destination.level(),
                       bytes = source.ShareBytes(), pitch = source.pitch(), format = &format, area, target] {
        if (gl->usable) {
            const CopyStateGuard guard;
            glBindTexture(GL_TEXTURE_2D, texture->RenderTargetName());
            glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
            glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(pitch / format->blockBytes));
            glTexSubImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), target.left, target.top,
                            area.right - area.left, area.bottom - area.top, format->uploadFormat,
                            format->uploadType,
                            bytes->data() + static_cast<size_t>(area.top) * pitch +
                                static_cast<size_t>(area.left) * format->blockBytes);
            glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
        }
        bytes->Release();
    });
    return D3D_OK;
}

STDMETHODIMP Device::StretchRect(IDirect3DSurface9* sourceSurface, const RECT* sourceRect,
                                 IDirect3DSurface9* destSurface, const RECT* destRect,
                                 D3DTEXTUREFILTERTYPE filter) {
    if (!sourceSurface || !destSurface || sourceSurface == destSurface) return D3DERR_INVALIDCALL;
    Surface& source = *AsSurface(sourceSurface);
    Surface& destination = *AsSurface(destSurface);
    const D3DSURFACE_DESC& from = source.desc();
    const D3DSURFACE_DESC& to = destination.desc();
    if (&source.device() != this || &destination.device() != this) return D3DERR_INVALIDCALL;
    if (filter != D3DTEXF_NONE && filter != D3DTEXF_POINT && filter != D3DTEXF_LINEAR) return D3DERR_INVALIDCALL;
    // Colour only, into a render target, from the card's pool.
    if ((to.Usage & D3DUSAGE_RENDERTARGET) == 0 || (from.Usage & D3DUSAGE_DEPTHSTENCIL) ||
        from.Pool != D3DPOOL_DEFAULT || !BlitsAsStored(from.Format)) {
        return D3DERR_INVALIDCALL;
    }
    const RECT area = sourceRect ? *sourceRect : WholeSurface(from);
    const RECT target = destRect ? *destRect : WholeSurface(to);
    if (!InsideSurface(area, from) || !InsideSurface(target, to)) return D3DERR_INVALIDCALL;
    if (loss_.lost()) return D3DERR_DEVICELOST;
    if (!context_->WindowAlive()) return D3DERR_INVALIDCALL;
    if (!Readable(source)) return D3DERR_INVALIDCALL;

    const ReadSource reading{source.gl(), source.container() ? source.container()->gl() : nullptr, source.level()};
    commands_->Record([gl = gl_.get(), reading, into = destination.gl(), area, target, filter] {
        if (!gl->usable) return;
        const CopyStateGuard guard;
        const GlObject drawFramebuffer(GlObject::Kind::Framebuffer);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, gl->readFramebuffer.name());
        reading.AttachForReading();
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer.name());
        into->AttachTo(GL_DRAW_FRAMEBUFFER);
        glBlitFramebuffer(area.left, area.top, area.right, area.bottom, target.left, target.top, target.right,
                          target.bottom, GL_COLOR_BUFFER_BIT, filter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    });
    return D3D_OK;
}

// Every level of the destination from the source level of the same size:
// a source with more levels skips its largest ones.
STDMETHODIMP Device::UpdateTexture(IDirect3DBaseTexture9* sourceTexture, IDirect3DBaseTexture9* destinationTexture) {
    if (!sourceTexture || !destinationTexture || sourceTexture == destinationTexture) return D3DERR_INVALIDCALL;
    if (sourceTexture->GetType() != D3DRTYPE_TEXTURE || destinationTexture->GetType() != D3DRTYPE_TEXTURE) {
        return D3DERR_INVALIDCALL;
    }
    auto& source = *static_cast<Texture*>(sourceTexture);
    auto& destination = *static_cast<Texture*>(destinationTexture);
    const DWORD sourceLevels = source.GetLevelCount(), destinationLevels = destination.GetLevelCount();
    if (sourceLevels < destinationLevels) return D3DERR_INVALIDCALL;
    const DWORD skipped = sourceLevels - destinationLevels;
    for (DWORD level = 0; level < destinationLevels; ++level) {
        const D3DSURFACE_DESC& from = source.level(level + skipped).desc();
        const D3DSURFACE_DESC& to = destination.level(level).desc();
        if (from.Width != to.Width || from.Height != to.Height) return D3DERR_INVALIDCALL;
    }
    for (DWORD level = 0; level < destinationLevels; ++level) {
        if (const HRESULT copied = UpdateSurface(&source.level(level + skipped), nullptr, &destination.level(level),
                                                 nullptr);
            FAILED(copied)) {
            return copied;
        }
    }
    return D3D_OK;
}

}  // namespace platform::d3d9
