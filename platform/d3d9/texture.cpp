#include "d3d9/texture.h"

#include "d3d9/device.h"
#include "d3d9/dxt_decode.h"

namespace platform::d3d9 {

Texture* Texture::Create(Device& device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                         D3DPOOL pool) {
    Texture* texture = new Texture(device, *FindFormat(format));
    for (UINT level = 0; level < levels; ++level) {
        const D3DSURFACE_DESC desc{format, D3DRTYPE_SURFACE, usage, pool, D3DMULTISAMPLE_NONE, 0,
                                   std::max(1u, width >> level), std::max(1u, height >> level)};
        texture->levels_.push_back(Surface::CreateTextureLevel(device, *texture, level, desc));
    }
    if (usage & D3DUSAGE_RENDERTARGET) texture->CreateRenderTargetStorage();
    if (pool == D3DPOOL_DEFAULT) device.AddDefaultPoolResource();
    return texture;
}

Texture::Texture(Device& device, const FormatInfo& format)
    : device_(&device), format_(&format), lifetime_(device, 1) {}

Texture::~Texture() {
    if (levels_.front()->desc().Pool == D3DPOOL_DEFAULT) device_->RemoveDefaultPoolResource();
    if (texture_.name() != 0 && !device_->MakeCurrent()) texture_.Abandon();
}

void Texture::CreateRenderTargetStorage() {
    device_->MakeCurrent();
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    texture_ = GlObject(GlObject::Kind::Texture);
    glBindTexture(GL_TEXTURE_2D, texture_.name());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels_.size() - 1));
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, format_->swizzle.data());
    for (UINT level = 0; level < levels_.size(); ++level) {
        const D3DSURFACE_DESC& desc = levels_[level]->desc();
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), format_->internalFormat,
                     static_cast<GLsizei>(desc.Width), static_cast<GLsizei>(desc.Height), 0,
                     format_->uploadFormat, format_->uploadType, nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    stale_ = false;
}

GLuint Texture::RenderTargetName() const {
    return (levels_.front()->desc().Usage & D3DUSAGE_RENDERTARGET) ? texture_.name() : 0;
}

GLuint Texture::GlTexture() {
    const bool create = texture_.name() == 0;
    if (!create && !stale_ && appliedLod_ == lod_) return texture_.name();
    // Drawing binds its stages itself: whatever this binds goes back.
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    if (create) texture_ = GlObject(GlObject::Kind::Texture);
    glBindTexture(GL_TEXTURE_2D, texture_.name());
    if (create) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels_.size() - 1));
        glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, format_->swizzle.data());
    }
    if (stale_) Upload();
    if (appliedLod_ != lod_) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, static_cast<GLint>(lod_));
        appliedLod_ = lod_;
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
    return texture_.name();
}

void Texture::Upload() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);  // the CPU copies' rows are 4-byte aligned
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    for (UINT index = 0; index < levels_.size(); ++index) {
        Surface& level = *levels_[index];
        const D3DSURFACE_DESC& desc = level.desc();
        const auto width = static_cast<GLsizei>(desc.Width);
        const auto height = static_cast<GLsizei>(desc.Height);
        if (format_->blockSize > 1) {
            const auto pixels = DecodeDxt(desc.Format, level.bytes(), level.pitch(), desc.Width, desc.Height);
            glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(index), format_->internalFormat, width, height, 0,
                         format_->uploadFormat, format_->uploadType, pixels.data());
        } else {
            glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(index), format_->internalFormat, width, height, 0,
                         format_->uploadFormat, format_->uploadType, level.bytes());
        }
    }
    stale_ = false;
}

STDMETHODIMP Texture::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IDirect3DResource9) ||
        IsEqualGUID(iid, IID_IDirect3DBaseTexture9) || IsEqualGUID(iid, IID_IDirect3DTexture9)) {
        AddRef();
        *object = static_cast<IDirect3DTexture9*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) Texture::Release() {
    return lifetime_.Release([this] { delete this; });
}

void Texture::ReleaseHold() {
    lifetime_.ReleaseHold([this] { delete this; });
}

STDMETHODIMP Texture::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_;
    return D3D_OK;
}

STDMETHODIMP_(DWORD) Texture::SetLOD(DWORD lodNew) {
    const DWORD previous = lod_;
    // Only managed textures have a level of detail to pick.
    if (levels_.front()->desc().Pool == D3DPOOL_MANAGED) lod_ = std::min<DWORD>(lodNew, GetLevelCount() - 1);
    return previous;
}

STDMETHODIMP Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    if (level >= levels_.size()) return D3DERR_INVALIDCALL;
    return levels_[level]->GetDesc(desc);
}

STDMETHODIMP Texture::GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) {
    if (!surface || level >= levels_.size()) return D3DERR_INVALIDCALL;
    AddRef();
    *surface = levels_[level].get();
    return D3D_OK;
}

STDMETHODIMP Texture::LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) {
    if (level >= levels_.size()) return D3DERR_INVALIDCALL;
    return levels_[level]->LockRect(lockedRect, rect, flags);
}

STDMETHODIMP Texture::UnlockRect(UINT level) {
    if (level >= levels_.size()) return D3DERR_INVALIDCALL;
    return levels_[level]->UnlockRect();
}

STDMETHODIMP Texture::AddDirtyRect(const RECT*) {
    MarkStale();
    return D3D_OK;
}

}  // namespace platform::d3d9
