#include "window/keyboard.h"

#include "window/message_time.h"

namespace platform::window {
namespace {

KeyModifiers g_lastModifiers;

}  // namespace

MSG KeyDownMessage(HWND window, const KeyInfo& key, UINT virtualKey, KeyModifiers modifiers,
                   bool repeat) {
    g_lastModifiers = modifiers;
    const bool system = !modifiers.control && (modifiers.alt || virtualKey == VK_F10);
    const auto lParam = static_cast<LPARAM>(1u | (static_cast<DWORD>(key.scanCode) << 16) |
                                            (key.extended ? 1u << 24 : 0u) |
                                            (modifiers.alt ? 1u << 29 : 0u) | (repeat ? 1u << 30 : 0u));
    return MessageAtNow(window, system ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey, lParam);
}

KeyModifiers LastKeyModifiers() {
    return g_lastModifiers;
}

WCHAR CharacterOfKey(UINT virtualKey, bool shift) {
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<WCHAR>(shift ? virtualKey : virtualKey - 'A' + 'a');
    if (virtualKey >= '0' && virtualKey <= '9') {
        constexpr wchar_t kShiftedDigits[] = L")!@#$%^&*(";
        return shift ? kShiftedDigits[virtualKey - '0'] : static_cast<WCHAR>(virtualKey);
    }
    switch (virtualKey) {
        case VK_SPACE: return L' ';
        case VK_RETURN: return L'\r';
        case VK_ESCAPE: return 0x1B;
        case VK_BACK: return 0x08;
        case VK_TAB: return L'\t';
        default: return 0;
    }
}

}  // namespace platform::window
