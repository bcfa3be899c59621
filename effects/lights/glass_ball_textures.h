// The glass ball's generated textures: a hemisphere bump map, the circular
// mask and the vertical colour gradient. The fills write locked texels
// and can be checked without a device.
#pragma once

#include <windows.h>

#include <d3d9.h>

#include "scene/render/d3d_helpers.h"

namespace glass_ball {

constexpr UINT kBumpSide = 256;
constexpr UINT kMaskSide = 1024;
constexpr UINT kGradientSide = 256;

// Two signed 16-bit slopes per texel (U in the low word).
void FillBumpMap(BYTE* bits, INT pitch);
// 0xFF outside a circle of radius 508 about the centre, 0 inside.
void FillMask(BYTE* bits, INT pitch);
// Row i blends from top (row 0) to bottom (row 255); colours in COLORREF
// order, texels ARGB with alpha 0.
void FillGradient(BYTE* bits, INT pitch, DWORD top, DWORD bottom);

// Managed one-level textures filled as above; E_FAIL leaves the holder empty.
HRESULT CreateBumpMap(TextureHolder& holder);
HRESULT CreateMask(TextureHolder& holder);
HRESULT CreateGradient(TextureHolder& holder, DWORD top, DWORD bottom);

} // namespace glass_ball
