// Which messages a GetMessageW or PeekMessageW call asks for.
#pragma once

#include <windows.h>

namespace platform::window {

struct MessageFilter {
    HWND window = nullptr;  // nullptr: every window and the thread's own messages
    UINT first = 0;         // 0 and 0: every message number
    UINT last = 0;

    bool AcceptsNumber(UINT message) const;
    // A window filter takes the window's messages and its children's.
    bool AcceptsWindow(HWND target) const;
    bool Accepts(HWND target, UINT message) const { return AcceptsWindow(target) && AcceptsNumber(message); }
};

}  // namespace platform::window
