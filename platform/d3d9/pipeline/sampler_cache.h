// GL sampler objects for Direct3D sampler states, one per distinct set of
// the states that matter, made on first use.
#pragma once

#include <array>
#include <map>

#include "d3d9/gl_object.h"
#include "d3d9/state_block.h"

namespace platform::d3d9::pipeline {

class SamplerCache {
public:
    GLuint Get(const std::array<DWORD, kSamplerStateCount>& states);
    void Abandon();

private:
    // Address U, V, filters min, mag, mip, border colour.
    using Key = std::array<DWORD, 6>;
    std::map<Key, GlObject> samplers_;
};

}  // namespace platform::d3d9::pipeline
