// MonitorFromWindow: the monitor of the window's rectangle.
#include <windows.h>

#include "display/display_layout.h"

extern "C" HMONITOR WINAPI MonitorFromWindow(HWND window, DWORD flags) {
    RECT rect;
    if (GetWindowRect(window, &rect)) return MonitorFromRect(&rect, flags);
    // No such window: only a default the caller asked for.
    if (flags == MONITOR_DEFAULTTONULL) return nullptr;
    const auto layout = platform::display::CurrentDisplayLayout();
    const auto* primary = layout->Primary();
    return primary ? primary->monitor : nullptr;
}
