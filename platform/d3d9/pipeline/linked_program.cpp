#include "d3d9/pipeline/linked_program.h"

#include <algorithm>

namespace platform::d3d9::pipeline {
namespace {

std::string ShaderLog(GLuint shader) {
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(std::max(length, 1)), '\0');
    glGetShaderInfoLog(shader, length, nullptr, log.data());
    log.resize(log.find('\0') == std::string::npos ? log.size() : log.find('\0'));
    return log;
}

std::string ProgramLog(GLuint program) {
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<size_t>(std::max(length, 1)), '\0');
    glGetProgramInfoLog(program, length, nullptr, log.data());
    log.resize(log.find('\0') == std::string::npos ? log.size() : log.find('\0'));
    return log;
}

// 0, with the message in log, when the stage does not compile.
GLuint Compile(GLenum type, const std::string& source, std::string& log) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled) return shader;
    log = (type == GL_VERTEX_SHADER ? "vertex stage: " : "fragment stage: ") + ShaderLog(shader);
    glDeleteShader(shader);
    return 0;
}

}  // namespace

std::unique_ptr<LinkedProgram> LinkedProgram::Link(const ProgramSources& sources, std::string& log) {
    const GLuint vertex = Compile(GL_VERTEX_SHADER, sources.vertex, log);
    if (!vertex) return nullptr;
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, sources.fragment, log);
    if (!fragment) {
        glDeleteShader(vertex);
        return nullptr;
    }
    std::unique_ptr<LinkedProgram> program(new LinkedProgram(glCreateProgram()));
    const GLuint name = program->name_;
    glAttachShader(name, vertex);
    glAttachShader(name, fragment);
    glLinkProgram(name);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(name, GL_LINK_STATUS, &linked);
    if (!linked) {
        log = "link: " + ProgramLog(name);
        return nullptr;
    }
    const auto at = [name](const std::string& uniform) { return glGetUniformLocation(name, uniform.c_str()); };
    program->world = at("uWorld");
    program->view = at("uView");
    program->projection = at("uProjection");
    program->worldViewProjection = at("uWorldViewProjection");
    program->screenToClip = at("uScreenToClip");
    program->pixelShift = at("uPixelShift");
    program->pretransformed = at("uPretransformed");
    for (const UniformDeclaration& uniform : sources.uniforms) {
        program->types_.push_back(uniform.type);
        program->locations_.push_back(at(uniform.name));
    }
    program->staged_.resize(sources.uniforms.size());
    for (size_t unit = 0; unit < sources.samplers.size(); ++unit) {
        const GLint location = at(sources.samplers[unit]);
        program->samplerLocations_.push_back(location);
        if (location >= 0) program->samplerUnits_ |= 1u << unit;
    }
    return program;
}

LinkedProgram::~LinkedProgram() {
    if (name_) glDeleteProgram(name_);
}

void LinkedProgram::Stage(std::span<const UniformValue> values) {
    std::copy_n(values.begin(), std::min(values.size(), staged_.size()), staged_.begin());
    dirty_ = true;
}

void LinkedProgram::Upload() {
    if (!samplersSet_) {
        for (size_t unit = 0; unit < samplerLocations_.size(); ++unit) {
            if (samplerLocations_[unit] >= 0) glUniform1i(samplerLocations_[unit], static_cast<GLint>(unit));
        }
        samplersSet_ = true;
    }
    if (!dirty_) return;
    for (size_t i = 0; i < staged_.size(); ++i) {
        const GLint location = locations_[i];
        if (location < 0) continue;
        const UniformValue& value = staged_[i];
        const float* f = value.floats.data();
        switch (types_[i]) {
            case UniformType::Float: glUniform1fv(location, 1, f); break;
            case UniformType::Float2: glUniform2fv(location, 1, f); break;
            case UniformType::Float3: glUniform3fv(location, 1, f); break;
            case UniformType::Float4: glUniform4fv(location, 1, f); break;
            // Direct3D's rows as GL's columns: matrix * vector in GLSL is
            // vector * matrix in Direct3D.
            case UniformType::Matrix: glUniformMatrix4fv(location, 1, GL_FALSE, f); break;
            case UniformType::Int:
            case UniformType::Bool: glUniform1i(location, value.integer); break;
        }
    }
    dirty_ = false;
}

}  // namespace platform::d3d9::pipeline
