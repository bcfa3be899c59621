// DXT1/3/5 blocks to 0xAARRGGBB pixels, for GLs without S3TC: the layer
// always decodes on upload, so every GL samples the same colours.
#pragma once

#include <vector>

#include <d3d9types.h>

namespace platform::d3d9 {

// blocks: rows of 4 x 4 blocks, pitch bytes apart. Returns width x height
// pixels, rows top first.
std::vector<D3DCOLOR> DecodeDxt(D3DFORMAT format, const BYTE* blocks, UINT pitch, UINT width, UINT height);

}  // namespace platform::d3d9
