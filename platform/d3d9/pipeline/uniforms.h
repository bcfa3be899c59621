// The values a generated program reads, from the device state of a draw.
#pragma once

#include <span>

#include <d3d9.h>

#include "d3d9/pipeline/pipeline_key.h"
#include "d3d9/pipeline/linked_program.h"
#include "d3d9/pipeline/program_cache.h"

namespace platform::d3d9::pipeline {

struct UniformInputs {
    const StateBlock& states;
    const PipelineKey& key;
    std::span<const D3DLIGHT9* const> lights;
    const D3DVIEWPORT9& viewport;
};

void UploadUniforms(const Program& program, const UniformInputs& inputs);
// The device's transforms and the viewport mapping for a linked program.
void UploadTransforms(const LinkedProgram& program, const StateBlock& states, const D3DVIEWPORT9& viewport,
                      bool pretransformed);

}  // namespace platform::d3d9::pipeline
