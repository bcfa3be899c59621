// What drawing needs of a vertex or index buffer: its size, its CPU copy
// (to check indices against the vertices there are) and its GL side, which
// holds the same contents once the queued uploads ran. The layer's buffers
// implement it.
#pragma once

#include <d3d9.h>

#include "d3d9/buffer_gl.h"
#include "d3d9/index_range.h"

namespace platform::d3d9 {

class BufferAccess {
public:
    virtual UINT ByteSize() const = 0;
    virtual const BYTE* Contents() const = 0;
    virtual BufferGl* gl() const = 0;
    // The range count indices of size bytes from index first name.
    virtual IndexRange IndexSpan(UINT first, UINT count, UINT size) = 0;

protected:
    ~BufferAccess() = default;
};

inline BufferAccess* AsBufferAccess(IDirect3DVertexBuffer9* buffer) { return dynamic_cast<BufferAccess*>(buffer); }
inline BufferAccess* AsBufferAccess(IDirect3DIndexBuffer9* buffer) { return dynamic_cast<BufferAccess*>(buffer); }

}  // namespace platform::d3d9
