// How D3DX settles a texture's size, level count and format before
// creating it (D3DXCheckTextureRequirements).
#pragma once

#include <d3d9types.h>

#include <functional>

namespace platform::d3dx9 {

struct TextureLimits {
    UINT maxWidth;
    UINT maxHeight;
    bool powerOfTwoOnly;
};

// 0 and D3DX_DEFAULT take the picture's side (256 without a picture)
// rounded up to a power of two; D3DX_DEFAULT_NONPOW2 takes it as it is.
// Devices that need powers of two round every side up; no side exceeds
// the device's maximum. Block-compressed formats take multiples of 4.
UINT TextureSide(UINT requested, UINT pictureSide, UINT maxSide, bool powerOfTwoOnly, D3DFORMAT format);

// 0 and D3DX_DEFAULT give the full chain down to 1 x 1, D3DX_FROM_FILE the
// file's own count; never more than the full chain.
UINT TextureLevels(UINT requested, UINT width, UINT height, UINT fileLevels);

// D3DFMT_UNKNOWN takes the picture's format
// (A8R8G8B8 without a picture). A format the device refuses becomes the
// closest one it takes: R8G8B8 becomes X8R8G8B8, palettes A8R8G8B8.
// D3DFMT_UNKNOWN when the device takes none of the candidates.
D3DFORMAT TextureFormat(D3DFORMAT requested, D3DFORMAT pictureFormat,
                        const std::function<bool(D3DFORMAT)>& deviceTakes);

}  // namespace platform::d3dx9
