#include "d3d9/gl_device.h"

namespace platform::d3d9 {

GlDevice::GlDevice(GlContext& context)
    : context(context),
      framebuffer(GlObject::Kind::Framebuffer),
      readFramebuffer(GlObject::Kind::Framebuffer),
      pipeline(std::make_unique<pipeline::Pipeline>()) {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer.name());
}

GlDevice::~GlDevice() {
    if (usable) return;
    // The window went first, and its context's objects with it.
    pipeline->Abandon();
    framebuffer.Abandon();
    readFramebuffer.Abandon();
}

void GlDevice::BindRenderTargets() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer.name());
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, 0);
    if (renderTarget) renderTarget->AttachTo(GL_FRAMEBUFFER);
    if (depthStencil) depthStencil->AttachTo(GL_FRAMEBUFFER);
}

}  // namespace platform::d3d9
