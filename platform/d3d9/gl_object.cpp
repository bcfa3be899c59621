#include "d3d9/gl_object.h"

#include <utility>

namespace platform::d3d9 {

GlObject::GlObject(Kind kind) : kind_(kind) {
    if (kind == Kind::Renderbuffer) glGenRenderbuffers(1, &name_);
    else glGenFramebuffers(1, &name_);
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
    if (kind_ == Kind::Renderbuffer) glDeleteRenderbuffers(1, &name_);
    else glDeleteFramebuffers(1, &name_);
    name_ = 0;
}

}  // namespace platform::d3d9
