#include "d3d9/texture.h"

#include "d3d9/device.h"

namespace platform::d3d9 {

Texture* Texture::Create(Device& device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                         D3DPOOL pool) {
    Texture* texture = new Texture(device, *FindFormat(format));
    const bool renderTarget = (usage & D3DUSAGE_RENDERTARGET) != 0;
    std::vector<D3DSURFACE_DESC> descs;
    std::vector<TextureGl::LevelSize> sizes;
    for (UINT level = 0; level < levels; ++level) {
        descs.push_back({format, D3DRTYPE_SURFACE, usage, pool, D3DMULTISAMPLE_NONE, 0, std::max(1u, width >> level),
                         std::max(1u, height >> level)});
        sizes.push_back({descs.back().Width, descs.back().Height});
    }
    texture->gl_ = new TextureGl(texture->format(), std::move(sizes), renderTarget);
    for (UINT level = 0; level < levels; ++level) {
        SurfaceGl* levelGl = renderTarget ? new SurfaceGl(descs[level], *texture->gl_, level) : nullptr;
        if (levelGl) texture->levelGl_.push_back(levelGl);
        texture->levels_.push_back(Surface::CreateTextureLevel(device, *texture, level, descs[level], levelGl));
    }
    if (renderTarget) {
        device.commands().Record([gl = device.gl(), part = texture->gl_] {
            if (gl->usable) part->CreateRenderTargetStorage();
        });
    }
    if (pool == D3DPOOL_DEFAULT) device.AddDefaultPoolResource();
    return texture;
}

Texture::Texture(Device& device, const FormatInfo& format)
    : device_(&device), format_(&format), lifetime_(device, 1) {}

Texture::~Texture() {
    if (levels_.front()->desc().Pool == D3DPOOL_DEFAULT) device_->RemoveDefaultPoolResource();
    for (SurfaceGl* level : levelGl_) device_->Retire(level);
    device_->Retire(gl_);
}

void Texture::LevelWritten(UINT level) {
    if (!levels_[level]->HasBytes()) return;
    device_->commands().Record([gl = device_->gl(), part = gl_, level, bytes = levels_[level]->ShareBytes()] {
        if (gl->usable) part->Upload(level, bytes->data());
        bytes->Release();
    });
}

TextureBinding* AsTextureBinding(IDirect3DBaseTexture9* texture) {
    auto* own = dynamic_cast<Texture*>(texture);
    return own ? own->gl() : nullptr;
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
    if (lod_ != previous) device_->commands().Record([part = gl_, lod = lod_] { part->SetLod(lod); });
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
    for (UINT level = 0; level < levels_.size(); ++level) LevelWritten(level);
    return D3D_OK;
}

}  // namespace platform::d3d9
