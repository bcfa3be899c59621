// The time and cursor position stamped on every message.
#pragma once

#include <windows.h>

namespace platform::window {

// The last cursor position seen in a mouse event, in screen coordinates.
POINT CursorPosition();
void SetCursorPosition(POINT position);

// A message stamped with the layer's clock in milliseconds and the cursor.
MSG MessageAtNow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform::window
