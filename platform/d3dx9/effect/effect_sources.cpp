#include "d3dx9/effect/effect_sources.h"

#include <string>

#include "d3d9/pipeline/glsl_generator.h"

namespace platform::d3dx9 {
namespace {

using d3d9::pipeline::UniformType;

constexpr int kCoordinateSets = 8;

UniformType Uniform(ParameterType type) {
    switch (type) {
        case ParameterType::Float: return UniformType::Float;
        case ParameterType::Float2: return UniformType::Float2;
        case ParameterType::Float3: return UniformType::Float3;
        case ParameterType::Float4: return UniformType::Float4;
        case ParameterType::Matrix: return UniformType::Matrix;
        case ParameterType::Int: return UniformType::Int;
        // A texture parameter reads as true while it holds a texture.
        case ParameterType::Bool:
        case ParameterType::Texture: return UniformType::Bool;
    }
    return UniformType::Float;
}

const char* GlslType(ParameterType type) {
    switch (type) {
        case ParameterType::Float: return "float";
        case ParameterType::Float2: return "vec2";
        case ParameterType::Float3: return "vec3";
        case ParameterType::Float4: return "vec4";
        case ParameterType::Matrix: return "mat4";
        case ParameterType::Int: return "int";
        case ParameterType::Bool:
        case ParameterType::Texture: return "bool";
    }
    return "float";
}

// Between the stages: the colours and coordinate sets of the vertex.
std::string Varyings(const char* direction) {
    std::string code = std::string(direction) + " vec4 diffuseColour;\n" + direction + " vec4 specularColour;\n";
    for (int set = 0; set < kCoordinateSets; ++set) {
        code += std::string(direction) + " vec4 texCoord" + std::to_string(set) + ";\n";
    }
    return code;
}

std::string Common(const EffectDescription& effect) {
    std::string code =
        "#version 330 core\n"
        "uniform mat4 uWorld;\nuniform mat4 uView;\nuniform mat4 uProjection;\nuniform mat4 uWorldViewProjection;\n";
    for (const Parameter& parameter : effect.parameters) {
        code += std::string("uniform ") + GlslType(parameter.type) + " " + parameter.name + ";\n";
    }
    return code;
}

std::string Attributes() {
    using namespace d3d9::pipeline;
    std::string code = "layout(location = " + std::to_string(kPositionAttribute) + ") in vec4 aPosition;\n" +
                       "layout(location = " + std::to_string(kNormalAttribute) + ") in vec3 aNormal;\n" +
                       "layout(location = " + std::to_string(kDiffuseAttribute) + ") in vec4 aDiffuse;\n" +
                       "layout(location = " + std::to_string(kSpecularAttribute) + ") in vec4 aSpecular;\n";
    for (int set = 0; set < kCoordinateSets; ++set) {
        code += "layout(location = " + std::to_string(kFirstCoordinateAttribute + set) + ") in vec4 aCoordinates" +
                std::to_string(set) + ";\n";
    }
    return code;
}

// The device's fixed-function transform of whichever format is drawn.
std::string FixedFunctionStage() {
    using namespace d3d9::pipeline;
    std::string code = "void main() {\n    if (uPretransformed) {\n" + PositionTransform(true) + "    } else {\n" +
                       PositionTransform(false) +
                       "    }\n    diffuseColour = aDiffuse;\n    specularColour = aSpecular;\n";
    for (int set = 0; set < kCoordinateSets; ++set) {
        code += "    texCoord" + std::to_string(set) + " = aCoordinates" + std::to_string(set) + ";\n";
    }
    return code + "}\n";
}

std::string Line(int line) { return "#line " + std::to_string(line) + "\n"; }

}  // namespace

d3d9::pipeline::ProgramSources PassSources(const EffectDescription& effect, const Pass& pass) {
    d3d9::pipeline::ProgramSources sources;
    const std::string common = Common(effect);
    // Whichever stage transforms, the layer's own step comes after it.
    sources.vertex = common + Attributes() + Varyings("out") + d3d9::pipeline::kPostTransformUniforms +
                     "uniform vec4 uScreenToClip;\nuniform bool uPretransformed;\n#define main effectVertexMain\n";
    sources.vertex += pass.vertex ? Line(pass.vertex->firstLine) + pass.vertex->code : FixedFunctionStage();
    sources.vertex += "#undef main\nvoid main() {\n    effectVertexMain();\n" + d3d9::pipeline::PostTransform() + "}\n";

    sources.fragment = common + Varyings("in") + "out vec4 fragColour;\n";
    for (const Sampler& sampler : effect.samplers) sources.fragment += "uniform sampler2D " + sampler.name + ";\n";
    sources.fragment += Line(pass.fragment->firstLine) + pass.fragment->code;

    for (const Parameter& parameter : effect.parameters) sources.uniforms.push_back({parameter.name, Uniform(parameter.type)});
    for (const Sampler& sampler : effect.samplers) sources.samplers.push_back(sampler.name);
    return sources;
}

}  // namespace platform::d3dx9
