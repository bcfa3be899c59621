// The GL side of a vertex or index buffer, on the device's thread: a GL
// buffer of the same size that starts as zeros, as the buffer's bytes do,
// and takes the ranges the calling thread queues as they change.
#pragma once

#include <d3d9.h>

#include "d3d9/gl_object.h"

namespace platform::d3d9 {

class BufferGl {
public:
    BufferGl(UINT size, DWORD usage) : size_(size), usage_(usage) {}

    void Write(UINT offset, UINT size, const BYTE* bytes);
    // Uploads through GL_COPY_WRITE_BUFFER, leaving the other bindings alone.
    GLuint Name();
    void Abandon() { buffer_.Abandon(); }

private:
    void Define(const BYTE* bytes);

    UINT size_;
    DWORD usage_;
    GlObject buffer_;
};

}  // namespace platform::d3d9
