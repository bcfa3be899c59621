#include "d3d9/gl_object.h"

#include <utility>

namespace platform::d3d9 {

GlObject::GlObject(Kind kind) : kind_(kind) {
    switch (kind) {
        case Kind::Renderbuffer: glGenRenderbuffers(1, &name_); break;
        case Kind::Framebuffer: glGenFramebuffers(1, &name_); break;
        case Kind::Texture: glGenTextures(1, &name_); break;
        case Kind::Buffer: glGenBuffers(1, &name_); break;
        case Kind::VertexArray: glGenVertexArrays(1, &name_); break;
        case Kind::Sampler: glGenSamplers(1, &name_); break;
    }
}

GlObject::~GlObject() { Delete(); }

GlObject::GlObject(GlObject&& other) noexcept
    : kind_(other.kind_), name_(std::exchange(other.name_, 0)) {}

GlObject& GlObject::operator=(GlObject&& other) noexcept {
    if (this != &other) {
        Delete();
        kind_ = other.kind_;
        name_ = std::exchange(other.name_, 0);
    }
    return *this;
}

void GlObject::Delete() {
    if (name_ == 0) return;
    switch (kind_) {
        case Kind::Renderbuffer: glDeleteRenderbuffers(1, &name_); break;
        case Kind::Framebuffer: glDeleteFramebuffers(1, &name_); break;
        case Kind::Texture: glDeleteTextures(1, &name_); break;
        case Kind::Buffer: glDeleteBuffers(1, &name_); break;
        case Kind::VertexArray: glDeleteVertexArrays(1, &name_); break;
        case Kind::Sampler: glDeleteSamplers(1, &name_); break;
    }
    name_ = 0;
}

}  // namespace platform::d3d9
