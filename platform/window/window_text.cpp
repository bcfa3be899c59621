// A window's text and its enabled state.
#include <windows.h>

#include "window/window_table.h"

using namespace platform::window;

extern "C" {

BOOL WINAPI SetWindowTextW(HWND window, LPCWSTR text) {
    if (!LookUpWindow(window)) return FALSE;
    return SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextW(HWND window, LPWSTR buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0) return 0;
    buffer[0] = 0;
    if (!LookUpWindow(window)) return 0;
    return static_cast<int>(SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(bufferMax),
                                         reinterpret_cast<LPARAM>(buffer)));
}

int WINAPI GetWindowTextLengthW(HWND window) {
    return static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI EnableWindow(HWND handle, BOOL enable) {
    Window* window = LookUpWindow(handle);
    if (!window) return FALSE;
    const bool wasDisabled = !window->IsEnabled();
    if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
    if (enable) window->style &= ~static_cast<DWORD>(WS_DISABLED);
    else window->style |= WS_DISABLED;
    SendMessageW(handle, WM_ENABLE, enable ? TRUE : FALSE, 0);
    InvalidateRect(handle, nullptr, TRUE);
    return wasDisabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND handle) {
    const Window* window = LookUpWindow(handle);
    return window && window->IsEnabled() ? TRUE : FALSE;
}

}  // extern "C"
