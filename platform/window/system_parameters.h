// System-wide settings that SystemParametersInfoW changes.
#pragma once

namespace platform::window {

bool ScreenSaverRunning();

}  // namespace platform::window
