#include "d3d9/surface_gl.h"

#include "d3d9/formats.h"
#include "d3d9/texture_gl.h"

namespace platform::d3d9 {
namespace {

GLenum RenderbufferFormat(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_D16:
            return GL_DEPTH_COMPONENT16;
        case D3DFMT_D24X8:
            return GL_DEPTH_COMPONENT24;
        case D3DFMT_D24S8:
        case D3DFMT_D24X4S4:
            return GL_DEPTH24_STENCIL8;
        case D3DFMT_D32:
            return GL_DEPTH_COMPONENT32;
        default:
            return GL_RGBA8;  // every colour target; read-backs convert to the surface's format
    }
}

}  // namespace

void SurfaceGl::Allocate() {
    renderbuffer_ = GlObject(GlObject::Kind::Renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer_.name());
    glRenderbufferStorage(GL_RENDERBUFFER, RenderbufferFormat(desc_.Format), static_cast<GLsizei>(desc_.Width),
                          static_cast<GLsizei>(desc_.Height));
}

void SurfaceGl::AttachTo(GLenum target) const {
    if (texture_) {
        glFramebufferTexture2D(target, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_->RenderTargetName(),
                               static_cast<GLint>(level_));
        return;
    }
    GLenum attachment = GL_COLOR_ATTACHMENT0;
    if (desc_.Usage & D3DUSAGE_DEPTHSTENCIL) {
        attachment = HasStencil(desc_.Format) ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
    }
    glFramebufferRenderbuffer(target, attachment, GL_RENDERBUFFER, renderbuffer_.name());
}

}  // namespace platform::d3d9
