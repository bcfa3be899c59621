// D3DX's picture filters: scaling to another size and mip levels.
#pragma once

#include "d3dx9/image.h"

namespace platform::d3dx9 {

// A filter value names one of D3DX_FILTER_NONE to D3DX_FILTER_BOX in its
// low byte, plus flags. Off-edge pixels wrap unless D3DX_FILTER_MIRROR_U/V
// ask for mirroring; the dither and sRGB flags are accepted and change
// nothing.
bool IsValidFilter(DWORD filter);

// D3DX_DEFAULT stands for fallback.
DWORD FilterOrDefault(DWORD filter, DWORD fallback);

// NONE keeps the picture unscaled at the top left, transparent black
// around it; POINT takes the nearest pixel, LINEAR the four nearest, BOX
// averages the covered area and TRIANGLE weighs with a tent as wide as a
// destination pixel.
Pixels Resample(const Pixels& source, UINT width, UINT height, DWORD filter);

// The level below: half the size, at least 1, from this one.
Pixels NextMipLevel(const Pixels& level, DWORD filter);

}  // namespace platform::d3dx9
