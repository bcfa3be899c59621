// Keeps the sim's draw records; the device asks whether anyone listens
// before it builds one.
#pragma once

#include "platform/sim_d3d_draws.h"

namespace platform::d3d9::pipeline {

bool RecordingDraws();
void RecordDraw(sim::DrawRecord record);

}  // namespace platform::d3d9::pipeline
