// Direct3D memory layouts that D3DX reads and writes, and conversion
// between them and the pictures of image.h.
#pragma once

#include "d3dx9/image.h"

namespace platform::d3dx9 {

// Formats that Unpack reads and Pack writes.
bool IsConvertibleFormat(D3DFORMAT format);
bool IsSignedFormat(D3DFORMAT format);

// Bytes of one row of pixels (of 4 x 4 blocks for DXT) and the number of
// such rows for a picture of this size.
size_t RowBytes(D3DFORMAT format, UINT width);
UINT RowCount(D3DFORMAT format, UINT height);

// Signed formats give floats, the others bytes. Missing channels read as
// in Direct3D: colour 0, alpha and signed channels 1.
Pixels Unpack(D3DFORMAT format, const BYTE* bits, size_t pitch, UINT width, UINT height);
void Pack(const Pixels& pixels, D3DFORMAT format, BYTE* bits, size_t pitch);

}  // namespace platform::d3dx9
