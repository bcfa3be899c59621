// Pixels into the levels of a texture.
#pragma once

#include "d3dx9/image.h"

#include <d3d9.h>

namespace platform::d3dx9 {

HRESULT ReadLevel(IDirect3DTexture9* texture, UINT level, Pixels& pixels);
HRESULT WriteLevel(IDirect3DTexture9* texture, UINT level, const Pixels& pixels);

// The level's bytes as they are, rows of RowBytes(format, width) each.
HRESULT CopyLevelBytes(IDirect3DTexture9* texture, UINT level, std::span<const BYTE> bytes);

// Each level from the one above, from first + 1 down, with filter.
HRESULT FilterLevels(IDirect3DTexture9* texture, UINT first, Pixels above, DWORD filter);

}  // namespace platform::d3dx9
