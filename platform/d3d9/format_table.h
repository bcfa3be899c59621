// Every texture, surface and buffer format the layer stores: its Direct3D
// memory layout under LockRect and the GL texture that samples to
// Direct3D's values. One table, queried by resources and the pipeline.
#pragma once

#include <array>

#include <epoxy/gl.h>

#include <windef.h>
#include <d3d9types.h>

namespace platform::d3d9 {

struct FormatInfo {
    D3DFORMAT format;
    UINT blockBytes;  // bytes of one pixel, or of one 4 x 4 block
    UINT blockSize;   // 1, or 4 for the DXT formats
    // GL storage and upload. DXT formats are decoded to BGRA8 on upload.
    GLenum internalFormat;
    GLenum uploadFormat;
    GLenum uploadType;
    std::array<GLint, 4> swizzle;  // what sampling returns as (r, g, b, a)
    bool isSigned;                 // V8U8, V16U16: components in [-1, 1]
    bool isDepth;
};

// nullptr for a format the layer does not store.
const FormatInfo* FindFormat(D3DFORMAT format);

bool IsCompressed(D3DFORMAT format);
// Bytes of one row of pixels (of 4-pixel blocks for DXT), 4-byte aligned.
UINT RowPitch(const FormatInfo& format, UINT width);
// Rows of pixels (of blocks) a surface of this height stores.
UINT StoredRows(const FormatInfo& format, UINT height);
// Compressed surfaces lock and copy whole blocks: rect starts on a block
// edge and ends on one or at the surface's own edge.
bool OnBlockEdges(const FormatInfo& format, const RECT& rect, UINT width, UINT height);

}  // namespace platform::d3d9
