// The dialog window: its class, its state, and the keyboard handling of
// its modal loop.
#pragma once

#include <windows.h>

#include "window/window_table.h"

namespace platform::dialog {

struct DialogState : window::WindowExtra {
    DLGPROC procedure = nullptr;
    bool ended = false;
    INT_PTR result = 0;
    HWND focus = nullptr;
    // Pixels per 4 horizontal and per 8 vertical dialog units.
    int baseX = 6;
    int baseY = 13;
    WORD pointSize = 8;
};

inline constexpr const WCHAR* kDialogClass = L"#32770";

void RegisterDialogClass();
// nullptr when the window is not a dialog.
DialogState* DialogOf(HWND dialog);

// Enter, Escape, Tab, Space and the arrows, as IsDialogMessage handles them;
// false for any other message.
bool HandleDialogKey(HWND dialog, const MSG& message);

// Keys and mouse buttons, which a disabled window does not take.
bool IsUserInput(UINT message);

// The first control that takes the focus by Tab, after (or before) `from`.
HWND NextTabStop(HWND dialog, HWND from, bool backwards);

}  // namespace platform::dialog
