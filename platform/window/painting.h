// Update regions, WM_PAINT and showing a window's canvas on screen.
#pragma once

#include <windows.h>

#include "window/message_filter.h"
#include "window/window_table.h"

namespace platform::window {

// Removes a validated rectangle from an update region.
void ValidateArea(UpdateRegion& update, const RECT& validated);
// The window and all its parents are visible.
bool ShownOnScreen(const Window& window);

// The first visible window, in creation order, that needs painting.
HWND WindowNeedingPaint(const MessageFilter& filter);

void InvalidateWindow(Window& window, const RECT* rect, bool erase);
// The window and every window inside it, with erasing.
void InvalidateTree(Window& window);
// A child's area in its parent, when the child stops covering it.
void InvalidateAreaUnder(const Window& child);

// Shows the window's top-level window with the canvases of the visible
// windows inside it.
void PresentWindow(Window& window);
// The end of a paint: shows the frame, captures it and counts it.
void ShowPaintedFrame(Window& window);

}  // namespace platform::window
