// The GLSL of one pass: the layer's declarations (the device's transforms,
// the vertex attributes, what passes between the stages, every parameter
// as a uniform of its name), then the effect's own code at its own lines.
#pragma once

#include "d3d9/pipeline/linked_program.h"
#include "d3dx9/effect/effect_description.h"

namespace platform::d3dx9 {

d3d9::pipeline::ProgramSources PassSources(const EffectDescription& effect, const Pass& pass);

}  // namespace platform::d3dx9
