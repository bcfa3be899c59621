// What drawing needs of a vertex or index buffer: its size, its CPU copy
// (to check indices against the vertices there are) and a GL buffer with
// the same contents. The layer's buffers implement it.
#pragma once

#include <epoxy/gl.h>

#include <d3d9.h>

#include "d3d9/index_range.h"

namespace platform::d3d9 {

class BufferAccess {
public:
    virtual UINT ByteSize() const = 0;
    virtual const BYTE* Contents() const = 0;
    // The GL buffer, brought up to date with the CPU copy first.
    virtual GLuint GlBuffer() = 0;
    // The range count indices of size bytes from index first name.
    virtual IndexRange IndexSpan(UINT first, UINT count, UINT size) = 0;

protected:
    ~BufferAccess() = default;
};

inline BufferAccess* AsBufferAccess(IDirect3DVertexBuffer9* buffer) { return dynamic_cast<BufferAccess*>(buffer); }
inline BufferAccess* AsBufferAccess(IDirect3DIndexBuffer9* buffer) { return dynamic_cast<BufferAccess*>(buffer); }

}  // namespace platform::d3d9
