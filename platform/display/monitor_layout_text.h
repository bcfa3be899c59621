// The SAVER_MONITORS layout text: monitors separated by commas, each
// WIDTHxHEIGHT with an optional +X+Y desktop position (X and Y may be
// negative, as in 1280x1024-1280+0). A monitor without a position sits to
// the right of the one before it; the first is the primary.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/sim_display.h"

namespace platform::display {

// nullopt when the text is malformed.
std::optional<std::vector<DisplayDeviceDescription>> ParseMonitorLayout(std::string_view text);

}  // namespace platform::display
