// DXT1/3/5 blocks: 4 x 4 pixels each, B, G, R, A bytes row by row.
#pragma once

#include <d3d9types.h>

namespace platform::d3dx9 {

bool IsDxtFormat(D3DFORMAT format);
UINT DxtBlockBytes(D3DFORMAT format);  // 8 for DXT1, 16 for the others

void DecodeDxtBlock(D3DFORMAT format, const BYTE* block, BYTE pixels[64]);
// A range fit: the end points span the block's colours along their extent.
void EncodeDxtBlock(D3DFORMAT format, const BYTE pixels[64], BYTE* block);

}  // namespace platform::d3dx9
