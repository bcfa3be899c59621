// Picture files (PNG, JPEG, BMP, DDS) into the pictures of image.h.
#pragma once

#include "d3dx9/image.h"

namespace platform::d3dx9 {

enum class DecodeDepth { InfoOnly, Pixels };

// Fills picture.info, and with DecodeDepth::Pixels the levels too.
// D3DXERR_INVALIDDATA for anything that is not a whole picture of a known
// kind, E_OUTOFMEMORY when its pixels do not fit in memory.
HRESULT DecodePicture(std::span<const BYTE> file, DecodeDepth depth, Picture& picture);

}  // namespace platform::d3dx9
