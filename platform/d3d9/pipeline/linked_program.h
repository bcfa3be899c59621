// A program an application's shaders supply (an effect pass), linked once
// when it is made. Its own uniforms take values staged on the CPU, which a
// draw uploads; the device's transforms reach it under fixed names.
#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include <epoxy/gl.h>

#include <d3d9.h>

namespace platform::d3d9::pipeline {

enum class UniformType { Float, Float2, Float3, Float4, Matrix, Int, Bool };

struct UniformDeclaration {
    std::string name;
    UniformType type = UniformType::Float;
};

// Floats for the float types (a matrix as Direct3D's rows), integer for Int and Bool.
struct UniformValue {
    std::array<float, 16> floats{};
    INT integer = 0;
};

struct ProgramSources {
    std::string vertex;
    std::string fragment;
    std::vector<UniformDeclaration> uniforms;
    std::vector<std::string> samplers;  // sampler n reads texture unit n
};

class LinkedProgram {
public:
    // Null, with the compiler's or linker's message in log, when the
    // sources do not build. The owning context must be current.
    static std::unique_ptr<LinkedProgram> Link(const ProgramSources& sources, std::string& log);
    ~LinkedProgram();
    LinkedProgram(const LinkedProgram&) = delete;
    LinkedProgram& operator=(const LinkedProgram&) = delete;

    GLuint name() const { return name_; }
    // Bit n set when the program reads sampler n.
    uint32_t samplerUnits() const { return samplerUnits_; }
    // One value per declared uniform, in declaration order.
    void Stage(std::span<const UniformValue> values);
    // The program is current: what was staged since the last call goes up.
    void Upload();
    void Abandon() { name_ = 0; }

    GLint world = -1, view = -1, projection = -1, worldViewProjection = -1;
    GLint screenToClip = -1, pixelShift = -1, pretransformed = -1;

private:
    explicit LinkedProgram(GLuint name) : name_(name) {}

    GLuint name_;
    std::vector<UniformType> types_;
    std::vector<GLint> locations_;
    std::vector<GLint> samplerLocations_;
    std::vector<UniformValue> staged_;
    uint32_t samplerUnits_ = 0;
    bool samplersSet_ = false;
    bool dirty_ = false;
};

}  // namespace platform::d3d9::pipeline
