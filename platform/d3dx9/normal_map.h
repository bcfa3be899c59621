// The maths of D3DXComputeNormalMap.
#pragma once

#include "d3dx9/image.h"

namespace platform::d3dx9 {

// Heights come from the D3DX_CHANNEL_* channels of the picture (their mean
// when several are named), 0..1, times amplitude. Each normal is
// (-dh/dx, -dh/dy, 1) normalised, from central differences that wrap at
// the edges or mirror with D3DX_NORMALMAP_MIRROR_U/V; INVERTSIGN negates
// x and y. The result carries x, y, z in R, G, B and 1 in alpha: as they
// are for a signed format, mapped to 0..1 for an unsigned one.
ImageF ComputeNormals(const Pixels& heights, DWORD flags, DWORD channel, float amplitude, bool signedOutput);

}  // namespace platform::d3dx9
