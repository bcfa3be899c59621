// IDirect3DSurface9: a back buffer or depth-stencil surface in GL, a plain
// surface whose pixels live on the CPU, or one level of a texture (its
// CPU copy, or for a render-target texture the GL level itself). What
// lives in GL is the surface's GL side (SurfaceGl), used by the device's
// commands and retired through them.
#pragma once

#include <memory>
#include <vector>

#include <d3d9.h>

#include "d3d9/resource_hold.h"
#include "d3d9/resource_lifetime.h"
#include "d3d9/shared_bytes.h"
#include "d3d9/surface_gl.h"

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
    // a GL renderbuffer.
    static Surface* CreateRenderbuffer(Device& device, const D3DSURFACE_DESC& desc);
    // Level `level` of texture: references count on the texture. A level of
    // a render-target texture has no CPU copy; its GL side is levelGl.
    static std::unique_ptr<Surface> CreateTextureLevel(Device& device, Texture& texture, UINT level,
                                                       const D3DSURFACE_DESC& desc, SurfaceGl* levelGl);
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
    bool InGl() const { return gl_ != nullptr; }
    // The GL side, for the device's commands; nullptr for a CPU surface.
    SurfaceGl* gl() const { return gl_; }
    // CPU storage: empty for a GL surface.
    const BYTE* bytes() const { return bytes_.data(); }
    // The bytes to write to: never ones a queued upload still reads.
    BYTE* WritableBytes() { return bytes_.Writable(true); }
    // A reference to the bytes as they are, for an upload that releases it.
    ByteBlock* ShareBytes() { return bytes_.Share(); }
    bool HasBytes() const { return !bytes_.empty(); }
    UINT pitch() const { return pitch_; }

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
    SurfaceGl* gl_ = nullptr;  // a renderbuffer's owned here, a texture level's by the texture
    SharedBytes bytes_;
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
