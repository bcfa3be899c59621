#include "d3dx9/surface_io.h"

#include "com/com_ref.h"
#include "d3dx9/dxt.h"
#include "d3dx9/pixel_format.h"

namespace platform::d3dx9 {
namespace {

UINT WidthOf(const RECT& r) { return UINT(r.right - r.left); }
UINT HeightOf(const RECT& r) { return UINT(r.bottom - r.top); }

// Blocks of 4 x 4 pixels are written whole.
bool FitsBlocks(D3DFORMAT format, const RECT& area, const D3DSURFACE_DESC& desc) {
    if (!IsDxtFormat(format)) return true;
    auto edge = [](LONG at, UINT side) { return at % 4 == 0 || UINT(at) == side; };
    return area.left % 4 == 0 && area.top % 4 == 0 && edge(area.right, desc.Width) && edge(area.bottom, desc.Height);
}

// A system-memory surface of the same size and format.
HRESULT SystemMemoryTwin(IDirect3DSurface9* surface, const D3DSURFACE_DESC& desc, ComRef<IDirect3DDevice9>& device,
                         ComRef<IDirect3DSurface9>& twin) {
    HRESULT result = surface->GetDevice(device.out());
    if (FAILED(result)) return result;
    return device->CreateOffscreenPlainSurface(desc.Width, desc.Height, desc.Format, D3DPOOL_SYSTEMMEM, twin.out(),
                                               nullptr);
}

HRESULT ReadLocked(IDirect3DSurface9* surface, D3DFORMAT format, const RECT& area, Pixels& pixels) {
    D3DLOCKED_RECT locked{};
    HRESULT result = surface->LockRect(&locked, &area, D3DLOCK_READONLY);
    if (FAILED(result)) return result;
    const auto* bits = static_cast<const BYTE*>(locked.pBits);
    pixels = Unpack(format, bits, size_t(locked.Pitch), WidthOf(area), HeightOf(area));
    surface->UnlockRect();
    return D3D_OK;
}

HRESULT WriteLocked(IDirect3DSurface9* surface, D3DFORMAT format, const RECT& area, const Pixels& pixels) {
    D3DLOCKED_RECT locked{};
    HRESULT result = surface->LockRect(&locked, &area, 0);
    if (FAILED(result)) return result;
    Pack(pixels, format, static_cast<BYTE*>(locked.pBits), size_t(locked.Pitch));
    surface->UnlockRect();
    return D3D_OK;
}

}  // namespace

HRESULT SurfaceArea(IDirect3DSurface9* surface, const RECT* rect, RECT& area, D3DSURFACE_DESC& desc) {
    HRESULT result = surface->GetDesc(&desc);
    if (FAILED(result)) return result;
    area = {0, 0, LONG(desc.Width), LONG(desc.Height)};
    if (!rect) return D3D_OK;
    if (rect->left < 0 || rect->top < 0 || rect->left >= rect->right || rect->top >= rect->bottom ||
        rect->right > area.right || rect->bottom > area.bottom)
        return D3DERR_INVALIDCALL;
    area = *rect;
    return D3D_OK;
}

HRESULT ReadSurface(IDirect3DSurface9* surface, const RECT& area, Pixels& pixels) {
    D3DSURFACE_DESC desc{};
    HRESULT result = surface->GetDesc(&desc);
    if (FAILED(result)) return result;
    if (!IsConvertibleFormat(desc.Format) || !FitsBlocks(desc.Format, area, desc)) return D3DERR_INVALIDCALL;
    if (SUCCEEDED(ReadLocked(surface, desc.Format, area, pixels))) return D3D_OK;
    if ((desc.Usage & D3DUSAGE_RENDERTARGET) == 0) return D3DERR_INVALIDCALL;

    ComRef<IDirect3DDevice9> device;
    ComRef<IDirect3DSurface9> twin;
    result = SystemMemoryTwin(surface, desc, device, twin);
    if (SUCCEEDED(result)) result = device->GetRenderTargetData(surface, twin.get());
    if (SUCCEEDED(result)) result = ReadLocked(twin.get(), desc.Format, area, pixels);
    return result;
}

HRESULT WriteSurface(IDirect3DSurface9* surface, const RECT& area, const Pixels& pixels) {
    D3DSURFACE_DESC desc{};
    HRESULT result = surface->GetDesc(&desc);
    if (FAILED(result)) return result;
    if (!IsConvertibleFormat(desc.Format) || !FitsBlocks(desc.Format, area, desc)) return D3DERR_INVALIDCALL;
    if (SUCCEEDED(WriteLocked(surface, desc.Format, area, pixels))) return D3D_OK;
    if (desc.Pool != D3DPOOL_DEFAULT) return D3DERR_INVALIDCALL;

    // Default-pool surfaces take their pixels from system memory.
    ComRef<IDirect3DDevice9> device;
    ComRef<IDirect3DSurface9> twin;
    result = SystemMemoryTwin(surface, desc, device, twin);
    if (SUCCEEDED(result)) result = WriteLocked(twin.get(), desc.Format, area, pixels);
    if (FAILED(result)) return result;
    POINT at{area.left, area.top};
    return device->UpdateSurface(twin.get(), &area, surface, &at);
}

}  // namespace platform::d3dx9
