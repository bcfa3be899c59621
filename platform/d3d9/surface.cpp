#include "d3d9/surface.h"

#include "d3d9/device.h"
#include "d3d9/format_table.h"
#include "d3d9/formats.h"
#include "d3d9/texture.h"

namespace platform::d3d9 {

Surface* Surface::CreatePlain(Device& device, const D3DSURFACE_DESC& desc) {
    Surface* surface = new Surface(device, desc, Owner::Application);
    surface->AllocateBytes();
    if (desc.Pool == D3DPOOL_DEFAULT) device.AddDefaultPoolResource();
    return surface;
}

std::unique_ptr<Surface> Surface::CreateDeviceOwned(Device& device, const D3DSURFACE_DESC& desc) {
    std::unique_ptr<Surface> surface(new Surface(device, desc, Owner::Device));
    surface->AllocateRenderbuffer();
    return surface;
}

Surface* Surface::CreateRenderbuffer(Device& device, const D3DSURFACE_DESC& desc) {
    Surface* surface = new Surface(device, desc, Owner::Application);
    surface->AllocateRenderbuffer();
    device.AddDefaultPoolResource();
    return surface;
}

void Surface::AllocateRenderbuffer() {
    gl_ = new SurfaceGl(desc_);
    device_->commands().Record([gl = device_->gl(), part = gl_] {
        if (gl->usable) part->Allocate();
    });
}

std::unique_ptr<Surface> Surface::CreateTextureLevel(Device& device, Texture& texture, UINT level,
                                                     const D3DSURFACE_DESC& desc, SurfaceGl* levelGl) {
    std::unique_ptr<Surface> surface(new Surface(device, desc, Owner::Texture));
    surface->container_ = &texture;
    surface->level_ = level;
    surface->gl_ = levelGl;
    if (!levelGl) surface->AllocateBytes();
    return surface;
}

void Surface::AllocateBytes() {
    const FormatInfo& format = *FindFormat(desc_.Format);
    pitch_ = RowPitch(format, desc_.Width);
    bytes_ = SharedBytes(static_cast<size_t>(pitch_) * StoredRows(format, desc_.Height));
}

Surface::Surface(Device& device, const D3DSURFACE_DESC& desc, Owner owner)
    : device_(&device), desc_(desc), owner_(owner), lifetime_(device, owner == Owner::Application ? 1 : 0) {}

void Surface::End() {
    if (owner_ == Owner::Application) delete this;
}

Surface::~Surface() {
    if (owner_ == Owner::Texture) return;
    if (gl_) device_->Retire(gl_);
    if (owner_ == Owner::Application && desc_.Pool == D3DPOOL_DEFAULT) device_->RemoveDefaultPoolResource();
}

STDMETHODIMP Surface::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualGUID(iid, IID_IUnknown) || IsEqualGUID(iid, IID_IDirect3DResource9) ||
        IsEqualGUID(iid, IID_IDirect3DSurface9)) {
        AddRef();
        *object = static_cast<IDirect3DSurface9*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) Surface::AddRef() {
    if (container_) return container_->AddRef();
    return lifetime_.AddRef();
}

STDMETHODIMP_(ULONG) Surface::Release() {
    if (container_) return container_->Release();
    return lifetime_.Release([this] { End(); });
}

void Surface::AddHold() {
    if (container_) container_->AddHold();
    else lifetime_.AddHold();
}

void Surface::ReleaseHold() {
    if (container_) container_->ReleaseHold();
    else lifetime_.ReleaseHold([this] { End(); });
}

STDMETHODIMP Surface::GetDevice(IDirect3DDevice9** device) {
    if (!device) return D3DERR_INVALIDCALL;
    device_->AddRef();
    *device = device_;
    return D3D_OK;
}

STDMETHODIMP Surface::GetContainer(REFIID iid, void** container) {
    if (!container) return D3DERR_INVALIDCALL;
    if (container_) return container_->QueryInterface(iid, container);
    return device_->QueryInterface(iid, container);
}

STDMETHODIMP Surface::GetDesc(D3DSURFACE_DESC* desc) {
    if (!desc) return D3DERR_INVALIDCALL;
    *desc = desc_;
    return D3D_OK;
}

STDMETHODIMP Surface::LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) {
    if (!lockedRect || bytes_.empty() || locked_) return D3DERR_INVALIDCALL;
    // Default-pool textures are the card's: only dynamic ones map.
    if (container_ && desc_.Pool == D3DPOOL_DEFAULT && (desc_.Usage & D3DUSAGE_DYNAMIC) == 0) {
        return D3DERR_INVALIDCALL;
    }
    const FormatInfo& format = *FindFormat(desc_.Format);
    RECT area{0, 0, static_cast<LONG>(desc_.Width), static_cast<LONG>(desc_.Height)};
    if (rect) {
        if (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom ||
            rect->right > area.right || rect->bottom > area.bottom) {
            return D3DERR_INVALIDCALL;
        }
        if (!OnBlockEdges(format, *rect, desc_.Width, desc_.Height)) return D3DERR_INVALIDCALL;
        area = *rect;
    }
    lockedRect->Pitch = static_cast<INT>(pitch_);
    BYTE* bytes = (flags & D3DLOCK_READONLY) ? bytes_.data() : bytes_.Writable(true);
    lockedRect->pBits = bytes + static_cast<size_t>(area.top / format.blockSize) * pitch_ +
                        static_cast<size_t>(area.left / format.blockSize) * format.blockBytes;
    locked_ = true;
    lockFlags_ = flags;
    return D3D_OK;
}

STDMETHODIMP Surface::UnlockRect() {
    if (!locked_) return D3DERR_INVALIDCALL;
    locked_ = false;
    if (container_ && (lockFlags_ & (D3DLOCK_READONLY | D3DLOCK_NO_DIRTY_UPDATE)) == 0) container_->LevelWritten(level_);
    return D3D_OK;
}

Surface* AsSurface(IDirect3DSurface9* surface) { return static_cast<Surface*>(surface); }

}  // namespace platform::d3d9
