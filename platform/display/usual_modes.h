// The display modes a monitor offers when nothing lists them: the common
// desktop sizes that fit on it.
#pragma once

#include <vector>

#include "platform/sim_display.h"

namespace platform::display {

std::vector<DisplayMode> UsualDisplayModes(const DisplayMode& current);

}  // namespace platform::display
