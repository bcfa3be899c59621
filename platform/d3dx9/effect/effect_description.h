// An effect as its text describes it: parameters with their defaults,
// samplers bound to texture parameters, and techniques of passes with the
// states they set and the GLSL of their stages.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <d3d9.h>

#include "d3d9/pipeline/linked_program.h"

namespace platform::d3dx9 {

enum class ParameterType { Float, Float2, Float3, Float4, Matrix, Int, Bool, Texture };

struct Parameter {
    std::string name;
    ParameterType type = ParameterType::Float;
    d3d9::pipeline::UniformValue value;  // the default
};

struct StateSetting {
    DWORD state = 0;  // a D3DRENDERSTATETYPE or a D3DSAMPLERSTATETYPE
    DWORD value = 0;
};

struct Sampler {
    std::string name;
    size_t texture = 0;  // the texture parameter's index
    std::vector<StateSetting> states;
};

struct PassSamplerState {
    size_t sampler = 0;
    StateSetting setting;
};

struct StageSource {
    std::string code;
    int firstLine = 0;  // of the effect text
};

struct Pass {
    std::string name;
    std::vector<StateSetting> renderStates;
    std::vector<PassSamplerState> samplerStates;
    std::optional<StageSource> vertex;
    std::optional<StageSource> fragment;
};

struct Technique {
    std::string name;
    std::vector<Pass> passes;
};

struct EffectDescription {
    std::vector<Parameter> parameters;
    std::vector<Sampler> samplers;
    std::vector<Technique> techniques;
};

inline constexpr size_t kMaxSamplers = 8;

// False, with "line N: what" in error, for text that is not a whole effect.
bool ParseEffect(std::string_view text, EffectDescription& effect, std::string& error);

}  // namespace platform::d3dx9
