// D3DXLoadSurfaceFromMemory and D3DXLoadSurfaceFromSurface: read, key,
// scale to the destination rectangle, write.
#include "d3dx9/colour_key.h"
#include "d3dx9/dxt.h"
#include "d3dx9/pixel_format.h"
#include "d3dx9/resample.h"
#include "d3dx9/surface_io.h"

#include <d3dx9.h>

namespace platform::d3dx9 {
namespace {

constexpr DWORD kDefaultFilter = D3DX_FILTER_TRIANGLE | D3DX_FILTER_DITHER;

HRESULT LoadPixels(IDirect3DSurface9* destination, const RECT* destinationRect, Pixels source, DWORD filter,
                   D3DCOLOR colourKey) {
    RECT area{};
    D3DSURFACE_DESC desc{};
    HRESULT result = SurfaceArea(destination, destinationRect, area, desc);
    if (FAILED(result)) return result;
    ApplyColourKey(source, colourKey);
    Pixels scaled = Resample(source, UINT(area.right - area.left), UINT(area.bottom - area.top), filter);
    return WriteSurface(destination, area, scaled);
}

bool IsWellFormed(const RECT& r) { return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom; }

}  // namespace
}  // namespace platform::d3dx9

using namespace platform::d3dx9;

HRESULT WINAPI D3DXLoadSurfaceFromMemory(LPDIRECT3DSURFACE9 destSurface, const PALETTEENTRY*, const RECT* destRect,
                                         LPCVOID srcMemory, D3DFORMAT srcFormat, UINT srcPitch, const PALETTEENTRY*,
                                         const RECT* srcRect, DWORD filter, D3DCOLOR colorKey) {
    filter = FilterOrDefault(filter, kDefaultFilter);
    if (!destSurface || !srcMemory || !srcRect || !IsWellFormed(*srcRect) || !IsValidFilter(filter))
        return D3DERR_INVALIDCALL;
    if (!IsConvertibleFormat(srcFormat)) return E_NOTIMPL;
    UINT width = UINT(srcRect->right - srcRect->left), height = UINT(srcRect->bottom - srcRect->top);
    if (RowBytes(srcFormat, UINT(srcRect->right)) > srcPitch) return D3DERR_INVALIDCALL;
    // Block formats start the rectangle on a block.
    if (IsDxtFormat(srcFormat) && (srcRect->left % 4 != 0 || srcRect->top % 4 != 0)) return D3DERR_INVALIDCALL;
    const BYTE* origin = static_cast<const BYTE*>(srcMemory) +
                         size_t{RowCount(srcFormat, UINT(srcRect->top))} * srcPitch +
                         RowBytes(srcFormat, UINT(srcRect->left));
    return LoadPixels(destSurface, destRect, Unpack(srcFormat, origin, srcPitch, width, height), filter, colorKey);
}

HRESULT WINAPI D3DXLoadSurfaceFromSurface(LPDIRECT3DSURFACE9 destSurface, const PALETTEENTRY*, const RECT* destRect,
                                          LPDIRECT3DSURFACE9 srcSurface, const PALETTEENTRY*, const RECT* srcRect,
                                          DWORD filter, D3DCOLOR colorKey) {
    filter = FilterOrDefault(filter, kDefaultFilter);
    if (!destSurface || !srcSurface || !IsValidFilter(filter)) return D3DERR_INVALIDCALL;
    RECT area{};
    D3DSURFACE_DESC desc{};
    HRESULT result = SurfaceArea(srcSurface, srcRect, area, desc);
    if (FAILED(result)) return result;
    Pixels source;
    result = ReadSurface(srcSurface, area, source);
    if (FAILED(result)) return result;
    return LoadPixels(destSurface, destRect, std::move(source), filter, colorKey);
}
