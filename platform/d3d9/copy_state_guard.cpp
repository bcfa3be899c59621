#include "d3d9/copy_state_guard.h"

namespace platform::d3d9 {

CopyStateGuard::CopyStateGuard() {
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture_);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer_);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer_);
    scissor_ = glIsEnabled(GL_SCISSOR_TEST);
    glGetBooleanv(GL_COLOR_WRITEMASK, colourMask_.data());
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

CopyStateGuard::~CopyStateGuard() {
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture_));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer_));
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(drawFramebuffer_));
    if (scissor_) glEnable(GL_SCISSOR_TEST);
    glColorMask(colourMask_[0], colourMask_[1], colourMask_[2], colourMask_[3]);
}

}  // namespace platform::d3d9
