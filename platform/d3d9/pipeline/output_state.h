// Blending, depth, culling and colour writes: the render states that act
// after the fragment program, applied to GL only where they changed.
#pragma once

#include <array>

#include <epoxy/gl.h>

#include "d3d9/state_block.h"

namespace platform::d3d9::pipeline {

class OutputState {
public:
    // depthBuffer: a depth surface is bound; without one there is no z test.
    void Apply(const StateBlock& states, bool depthBuffer);
    // GL state others changed (Clear's masks): set it again at the next draw.
    void Forget() { known_ = false; }

private:
    bool known_ = false;
    std::array<GLint, 16> applied_{};
};

}  // namespace platform::d3d9::pipeline
