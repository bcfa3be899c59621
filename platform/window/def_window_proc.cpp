// What Windows does with a message the window procedure passes on.
#include <algorithm>
#include <mutex>
#include <vector>

#include <windows.h>

#include <platform/sim_input.h>

#include "window/window_table.h"

using namespace platform::window;

namespace {

constexpr LPARAM kAltHeld = 1 << 29;

std::mutex g_commandsMutex;
std::vector<WPARAM> g_defaultSystemCommands;

void RecordSystemCommand(WPARAM command) {
    const std::lock_guard<std::mutex> lock(g_commandsMutex);
    g_defaultSystemCommands.push_back(command);
}

LRESULT SetClassCursor(HWND handle, WPARAM wParam, LPARAM lParam) {
    const Window* window = LookUpWindow(handle);
    if (!window) return FALSE;
    // A child's parent has the first say over the cursor.
    if (window->IsChild() && SendMessageW(window->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
    if (LOWORD(lParam) != HTCLIENT || !window->windowClass->cursor) return FALSE;
    SetCursor(window->windowClass->cursor);
    return TRUE;
}

LRESULT EraseWithClassBrush(HWND handle, HDC dc) {
    const Window* window = LookUpWindow(handle);
    if (!window || !window->windowClass->background) return 0;
    const RECT client = ClientRectInWindow(*window);
    FillRect(dc, &client, window->windowClass->background);
    return 1;
}

LRESULT CopyText(HWND handle, WPARAM capacity, LPARAM buffer) {
    const Window* window = LookUpWindow(handle);
    auto* out = reinterpret_cast<WCHAR*>(buffer);
    if (!window || !out || capacity == 0) return 0;
    const size_t count = std::min<size_t>(window->text.size(), capacity - 1);
    window->text.copy(out, count);
    out[count] = 0;
    return static_cast<LRESULT>(count);
}

LRESULT StoreText(HWND handle, LPARAM text) {
    Window* window = LookUpWindow(handle);
    if (!window) return FALSE;
    const auto* in = reinterpret_cast<const WCHAR*>(text);
    window->text = in ? in : L"";
    InvalidateRect(handle, nullptr, TRUE);
    return TRUE;
}

LRESULT TextLength(HWND handle) {
    const Window* window = LookUpWindow(handle);
    return window ? static_cast<LRESULT>(window->text.size()) : 0;
}

}  // namespace

extern "C" LRESULT WINAPI DefWindowProcW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE:
            return TRUE;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_SYSCOMMAND:
            RecordSystemCommand(wParam);
            if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (lParam & kAltHeld) != 0) SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        case WM_SETCURSOR:
            return SetClassCursor(window, wParam, lParam);
        case WM_ERASEBKGND:
            return EraseWithClassBrush(window, reinterpret_cast<HDC>(wParam));
        case WM_SETTEXT:
            return StoreText(window, lParam);
        case WM_GETTEXT:
            return CopyText(window, wParam, lParam);
        case WM_GETTEXTLENGTH:
            return TextLength(window);
        case WM_PAINT: {
            PAINTSTRUCT paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        default:
            return 0;
    }
}

namespace platform::sim {

std::vector<WPARAM> DefaultSystemCommands() {
    const std::lock_guard<std::mutex> lock(g_commandsMutex);
    return g_defaultSystemCommands;
}

void ClearDefaultSystemCommands() {
    const std::lock_guard<std::mutex> lock(g_commandsMutex);
    g_defaultSystemCommands.clear();
}

}  // namespace platform::sim
