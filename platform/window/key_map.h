// Keys as SDL reports them (physical scancodes) and as Windows names them
// (virtual keys, and PC keyboard scan codes for WM_KEYDOWN's lParam).
#pragma once

#include <windows.h>

namespace platform::window {

struct KeyInfo {
    int sdlScancode;
    UINT virtualKey;  // letters and digits: the US layout's
    BYTE scanCode;
    bool extended;
};

const KeyInfo* KeyOfScancode(int sdlScancode);
const KeyInfo* KeyOfVirtualKey(UINT virtualKey);

}  // namespace platform::window
