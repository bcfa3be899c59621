#include "d3dx9/texture_levels.h"

#include "com/com_ref.h"
#include "d3dx9/pixel_format.h"
#include "d3dx9/resample.h"
#include "d3dx9/surface_io.h"

#include <cstring>

namespace platform::d3dx9 {
namespace {

template <typename Action>
HRESULT WithLevel(IDirect3DTexture9* texture, UINT level, Action action) {
    ComRef<IDirect3DSurface9> surface;
    HRESULT result = texture->GetSurfaceLevel(level, surface.out());
    if (FAILED(result)) return result;
    RECT area{};
    D3DSURFACE_DESC desc{};
    result = SurfaceArea(surface.get(), nullptr, area, desc);
    if (FAILED(result)) return result;
    return action(surface.get(), area);
}

}  // namespace

HRESULT ReadLevel(IDirect3DTexture9* texture, UINT level, Pixels& pixels) {
    return WithLevel(texture, level,
                     [&](IDirect3DSurface9* surface, const RECT& area) { return ReadSurface(surface, area, pixels); });
}

HRESULT WriteLevel(IDirect3DTexture9* texture, UINT level, const Pixels& pixels) {
    return WithLevel(texture, level,
                     [&](IDirect3DSurface9* surface, const RECT& area) { return WriteSurface(surface, area, pixels); });
}

HRESULT CopyLevelBytes(IDirect3DTexture9* texture, UINT level, std::span<const BYTE> bytes) {
    D3DSURFACE_DESC desc{};
    HRESULT result = texture->GetLevelDesc(level, &desc);
    if (FAILED(result)) return result;
    size_t rowBytes = RowBytes(desc.Format, desc.Width);
    UINT rows = RowCount(desc.Format, desc.Height);
    if (bytes.size() != rowBytes * rows) return D3DERR_INVALIDCALL;
    D3DLOCKED_RECT locked{};
    result = texture->LockRect(level, &locked, nullptr, 0);
    if (FAILED(result)) return result;
    auto* bits = static_cast<BYTE*>(locked.pBits);
    for (UINT row = 0; row < rows; ++row)
        std::memcpy(bits + size_t(locked.Pitch) * row, bytes.data() + rowBytes * row, rowBytes);
    return texture->UnlockRect(level);
}

HRESULT FilterLevels(IDirect3DTexture9* texture, UINT first, Pixels above, DWORD filter) {
    for (UINT level = first + 1; level < texture->GetLevelCount(); ++level) {
        above = NextMipLevel(above, filter);
        const HRESULT result = WriteLevel(texture, level, above);
        if (FAILED(result)) return result;
    }
    return D3D_OK;
}

}  // namespace platform::d3dx9
