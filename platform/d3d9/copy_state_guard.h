// Copies and fills between surfaces borrow GL state the drawing side
// keeps (bound texture, framebuffers, scissor, colour mask); the guard
// opens the way for a whole-surface write and puts everything back.
#pragma once

#include <array>

#include <epoxy/gl.h>

namespace platform::d3d9 {

class CopyStateGuard {
public:
    CopyStateGuard();
    ~CopyStateGuard();
    CopyStateGuard(const CopyStateGuard&) = delete;
    CopyStateGuard& operator=(const CopyStateGuard&) = delete;

private:
    GLint texture_ = 0;
    GLint readFramebuffer_ = 0;
    GLint drawFramebuffer_ = 0;
    GLboolean scissor_ = GL_FALSE;
    std::array<GLboolean, 4> colourMask_{};
};

}  // namespace platform::d3d9
