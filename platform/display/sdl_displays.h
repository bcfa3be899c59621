// The real displays, as SDL reports them.
#pragma once

#include <vector>

#include "platform/sim_display.h"

namespace platform::display {

// Empty when SDL's video cannot start.
std::vector<DisplayDeviceDescription> SdlDisplayDevices();

}  // namespace platform::display
