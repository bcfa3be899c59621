#include "d3d9/pipeline/program_cache.h"

#include <cstdio>
#include <string>

#include "d3d9/pipeline/glsl_generator.h"

namespace platform::d3d9::pipeline {
namespace {

// A generated program that fails to build is the layer's fault: say so
// loudly, and draw nothing with it.
GLuint Compile(GLenum type, const std::string& source) {
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        char log[2048] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "d3d9 pipeline: generated shader fails to compile:\n%s\n%s", log, text);
    }
    return shader;
}

}  // namespace

Program::Program(const PipelineKey& key) {
    const GLuint vertex = Compile(GL_VERTEX_SHADER, VertexProgram(key));
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, FragmentProgram(key));
    name = glCreateProgram();
    glAttachShader(name, vertex);
    glAttachShader(name, fragment);
    glLinkProgram(name);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(name, GL_LINK_STATUS, &linked);
    if (!linked) {
        char log[2048] = {};
        glGetProgramInfoLog(name, sizeof log, nullptr, log);
        std::fprintf(stderr, "d3d9 pipeline: generated program fails to link:\n%s\n", log);
    }
    const auto at = [this](const char* uniform) { return glGetUniformLocation(name, uniform); };
    worldViewProjection = at("uWorldViewProjection");
    worldView = at("uWorldView");
    normalMatrix = at("uNormalMatrix");
    screenToClip = at("uScreenToClip");
    pixelShift = at("uPixelShift");
    textureMatrix = at("uTextureMatrix");
    lightDirection = at("uLightDirection");
    lightDiffuse = at("uLightDiffuse");
    lightSpecular = at("uLightSpecular");
    lightAmbient = at("uLightAmbient");
    material = at("uMaterial");
    power = at("uPower");
    ambient = at("uAmbient");
    textureFactor = at("uTextureFactor");
    bumpMatrix = at("uBumpMatrix");
    bumpLuminance = at("uBumpLuminance");
    alphaReference = at("uAlphaReference");
    glUseProgram(name);
    for (int stage = 0; stage < static_cast<int>(kTextureStages); ++stage) {
        const std::string sampler = "uTexture" + std::to_string(stage);
        if (const GLint location = at(sampler.c_str()); location >= 0) glUniform1i(location, stage);
    }
}

Program::~Program() {
    if (name) glDeleteProgram(name);
}

const Program& ProgramCache::Get(const PipelineKey& key) {
    auto found = programs_.find(key);
    if (found == programs_.end()) found = programs_.emplace(key, std::make_unique<Program>(key)).first;
    return *found->second;
}

void ProgramCache::Abandon() {
    for (auto& [key, program] : programs_) program->Abandon();
    programs_.clear();
}

}  // namespace platform::d3d9::pipeline
