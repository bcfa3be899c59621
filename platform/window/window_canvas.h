// The CPU pixels that a window's GDI painting draws into, for the layer's
// own read-back (the simulated machine).
#pragma once

#include <windows.h>

#include "gdi/canvas.h"

#include <cstdint>
#include <vector>

namespace platform {

// nullptr when the handle is not a window.
gdi::Canvas* WindowCanvas(HWND window);

// From now on, each top-level window keeps what its GL surface showed at
// its last paint, read back before the swap.
void RecordWindowSurfaces();
// Those pixels as 0x00RRGGBB, rows top first, with their size; empty when
// the window has shown nothing since recording began.
struct SurfacePixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;
};
SurfacePixels WindowSurface(HWND window);

}  // namespace platform
