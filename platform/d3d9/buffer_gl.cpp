#include "d3d9/buffer_gl.h"

#include <vector>

namespace platform::d3d9 {

void BufferGl::Define(const BYTE* bytes) {
    buffer_ = GlObject(GlObject::Kind::Buffer);
    glBindBuffer(GL_COPY_WRITE_BUFFER, buffer_.name());
    glBufferData(GL_COPY_WRITE_BUFFER, static_cast<GLsizeiptr>(size_), bytes,
                 (usage_ & D3DUSAGE_DYNAMIC) ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW);
}

GLuint BufferGl::Name() {
    if (buffer_.name() == 0) Define(std::vector<BYTE>(size_).data());
    return buffer_.name();
}

void BufferGl::Write(UINT offset, UINT size, const BYTE* bytes) {
    if (buffer_.name() == 0 && offset == 0 && size == size_) {
        Define(bytes);
        return;
    }
    glBindBuffer(GL_COPY_WRITE_BUFFER, Name());
    glBufferSubData(GL_COPY_WRITE_BUFFER, offset, size, bytes);
}

}  // namespace platform::d3d9
