// One triangle strip over the whole target for the raw-GL halves of the
// benchmarks: clip-space position in xy and texture coordinates in zw of
// attribute 0.
#pragma once

#include <epoxy/gl.h>

class FullTargetStrip {
public:
    FullTargetStrip() {
        const float strip[] = {-1.f, -1.f, 0.f, 1.f, -1.f, 1.f, 0.f, 0.f, 1.f, -1.f, 1.f, 1.f, 1.f, 1.f, 1.f, 0.f};
        glGenVertexArrays(1, &vertexArray_);
        glBindVertexArray(vertexArray_);
        glGenBuffers(1, &buffer_);
        glBindBuffer(GL_ARRAY_BUFFER, buffer_);
        glBufferData(GL_ARRAY_BUFFER, sizeof strip, strip, GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    FullTargetStrip(const FullTargetStrip&) = delete;
    FullTargetStrip& operator=(const FullTargetStrip&) = delete;
    ~FullTargetStrip() {
        glDeleteBuffers(1, &buffer_);
        glDeleteVertexArrays(1, &vertexArray_);
    }

    void Draw() const {
        glBindVertexArray(vertexArray_);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    }

private:
    GLuint vertexArray_ = 0;
    GLuint buffer_ = 0;
};
