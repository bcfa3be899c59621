// The CPU pixels that a window's GDI painting draws into, for the layer's
// own read-back (the simulated machine).
#pragma once

#include <windows.h>

#include "gdi/canvas.h"

namespace platform {

// nullptr when the handle is not a window.
gdi::Canvas* WindowCanvas(HWND window);

}  // namespace platform
