// IDirect3DTexture9: a chain of level surfaces. Lockable textures keep
// every level on the CPU and queue a level's upload when it changed;
// render-target textures live only in GL. The GL side (TextureGl) is what
// draws sample.
#pragma once

#include <memory>
#include <vector>

#include <d3d9.h>

#include "d3d9/format_table.h"
#include "d3d9/resource_hold.h"
#include "d3d9/resource_lifetime.h"
#include "d3d9/surface.h"
#include "d3d9/texture_gl.h"

namespace platform::d3d9 {

class Device;

class Texture final : public IDirect3DTexture9, public ResourceHold {
public:
    // Arguments already checked; levels is the final count.
    static Texture* Create(Device& device, UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                           D3DPOOL pool);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return lifetime_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override;
    void AddHold() override { lifetime_.AddHold(); }
    void ReleaseHold() override;
    STDMETHODIMP GetDevice(IDirect3DDevice9** device) override;
    STDMETHODIMP_(D3DRESOURCETYPE) GetType() override { return D3DRTYPE_TEXTURE; }
    STDMETHODIMP_(DWORD) SetLOD(DWORD lodNew) override;
    STDMETHODIMP_(DWORD) GetLOD() override { return lod_; }
    STDMETHODIMP_(DWORD) GetLevelCount() override { return static_cast<DWORD>(levels_.size()); }
    STDMETHODIMP GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    STDMETHODIMP GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) override;
    STDMETHODIMP LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) override;
    STDMETHODIMP UnlockRect(UINT level) override;
    STDMETHODIMP AddDirtyRect(const RECT* dirtyRect) override;

    const FormatInfo& format() const { return *format_; }
    Surface& level(UINT index) const { return *levels_[index]; }
    // The level's CPU copy changed: its upload is queued. A render target
    // has none; its GL texture is the contents.
    void LevelWritten(UINT level);
    TextureGl* gl() const { return gl_; }

private:
    Texture(Device& device, const FormatInfo& format);
    ~Texture();

    Device* device_;
    const FormatInfo* format_;
    ResourceLifetime lifetime_;
    std::vector<std::unique_ptr<Surface>> levels_;
    TextureGl* gl_ = nullptr;
    std::vector<SurfaceGl*> levelGl_;  // a render target's levels
    DWORD lod_ = 0;
};

// What drawing samples of a texture set on a stage: the GL side of one of
// the layer's textures, or nullptr for any other.
TextureBinding* AsTextureBinding(IDirect3DBaseTexture9* texture);

}  // namespace platform::d3d9
