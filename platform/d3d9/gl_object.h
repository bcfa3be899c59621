// A GL object name that deletes itself. The owner makes the owning
// context current before it goes.
#pragma once

#include <epoxy/gl.h>

namespace platform::d3d9 {

class GlObject {
public:
    enum class Kind { Renderbuffer, Framebuffer, Texture, Buffer, VertexArray, Sampler };

    GlObject() = default;
    explicit GlObject(Kind kind);
    ~GlObject();
    GlObject(GlObject&& other) noexcept;
    GlObject& operator=(GlObject&& other) noexcept;
    GlObject(const GlObject&) = delete;
    GlObject& operator=(const GlObject&) = delete;

    GLuint name() const { return name_; }
    // Forgets the name without deleting it: its context is gone with the
    // window, and another context may be current.
    void Abandon() { name_ = 0; }

private:
    void Delete();

    Kind kind_ = Kind::Renderbuffer;
    GLuint name_ = 0;
};

}  // namespace platform::d3d9
