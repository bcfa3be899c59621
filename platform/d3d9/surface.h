// IDirect3DSurface9: a back buffer or depth-stencil surface in GL, a plain
// surface whose pixels live on the CPU, or one level of a texture (its
// CPU copy, or for a render-target texture the GL level itself).
#pragma once

#include <memory>
#include <vector>

#include <d3d9.h>

#include "d3d9/gl_object.h"
#include "d3d9/resource_hold.h"
#include "d3d9/resource_lifetime.h"

namespace platform::d3d9 {

class Device;
class Texture;

class Surface final : public IDirect3DSurface9, public ResourceHold {
public:
    // A surface the application created: it holds the device and goes
    // with the application's last reference.
    static Surface* CreatePlain(Device& device, const D3DSURFACE_DESC& desc);
    // A surface the device owns (back buffer, automatic depth-stencil) in a
    // GL renderbuffer: the application's references keep the device alive,
    // and their release never deletes it.
    static std::unique_ptr<Surface> CreateDeviceOwned(Device& device, const D3DSURFACE_DESC& desc);
    // A render target or depth-stencil surface the application created in
    // a GL renderbuffer. The device's context must be current.
    static Surface* CreateRenderbuffer(Device& device, const D3DSURFACE_DESC& desc);
    // Level `level` of texture: references count on the texture. A level of
    // a render-target texture has no CPU copy.
    static std::unique_ptr<Surface> CreateTextureLevel(Device& device, Texture& texture, UINT level,
                                                       const D3DSURFACE_DESC& desc);
    ~Surface();

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    void AddHold() override;
    void ReleaseHold() override;
    STDMETHODIMP GetDevice(IDirect3DDevice9** device) override;
    STDMETHODIMP_(D3DRESOURCETYPE) GetType() override { return D3DRTYPE_SURFACE; }
    STDMETHODIMP GetContainer(REFIID iid, void** container) override;
    STDMETHODIMP GetDesc(D3DSURFACE_DESC* desc) override;
    STDMETHODIMP LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) override;
    STDMETHODIMP UnlockRect() override;

    const D3DSURFACE_DESC& desc() const { return desc_; }
    ULONG applicationReferences() const { return lifetime_.references(); }
    Device& device() const { return *device_; }
    // The texture this surface is a level of, or nullptr.
    Texture* container() const { return container_; }
    UINT level() const { return level_; }
    bool InGl() const;
    // Attaches the GL storage to the framebuffer bound to target: colour
    // targets to GL_COLOR_ATTACHMENT0, depth with or without stencil.
    void AttachTo(GLenum target) const;
    // CPU storage: empty for a GL surface.
    BYTE* bytes() { return bytes_.data(); }
    bool HasBytes() const { return !bytes_.empty(); }
    UINT pitch() const { return pitch_; }
    // Forgets the GL storage of a device whose window (and context) is gone.
    void AbandonGl() { renderbuffer_.Abandon(); }

private:
    enum class Owner { Application, Device, Texture };

    Surface(Device& device, const D3DSURFACE_DESC& desc, Owner owner);
    // Deletes a surface the application created; the others have owners.
    void End();
    void AllocateBytes();
    void AllocateRenderbuffer();

    Device* device_;
    D3DSURFACE_DESC desc_;
    Owner owner_;
    ResourceLifetime lifetime_;
    GlObject renderbuffer_;
    std::vector<BYTE> bytes_;
    UINT pitch_ = 0;
    bool locked_ = false;
    DWORD lockFlags_ = 0;
    Texture* container_ = nullptr;
    UINT level_ = 0;
};

// The layer's surface behind an interface pointer, or nullptr for one that
// is not of this layer.
Surface* AsSurface(IDirect3DSurface9* surface);

}  // namespace platform::d3d9
