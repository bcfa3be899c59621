// Keyboard messages as Windows builds them.
#pragma once

#include <windows.h>

#include "window/key_map.h"

namespace platform::window {

struct KeyModifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// WM_KEYDOWN, or WM_SYSKEYDOWN for F10 and keys pressed with Alt (but not
// with Control), with Windows' lParam: repeat count, scan code, extended
// key, Alt held, repeat.
MSG KeyDownMessage(HWND window, const KeyInfo& key, UINT virtualKey, KeyModifiers modifiers,
                   bool repeat);

// The modifiers of the last key message, which TranslateMessage reads.
KeyModifiers LastKeyModifiers();

// WM_CHAR's character for a key, or 0 when the key types none.
WCHAR CharacterOfKey(UINT virtualKey, bool shift);

}  // namespace platform::window
