#include "platform/window/recording_window.h"

#include <string_view>

#include <SDL.h>

namespace window_test {
namespace {

Override& CurrentOverride() {
    static Override override;
    return override;
}

std::vector<HWND>& Created() {
    static std::vector<HWND> windows;
    return windows;
}

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Log().push_back(Received{window, message, wParam, lParam});
    LRESULT result = 0;
    if (CurrentOverride() && CurrentOverride()(window, message, wParam, lParam, &result)) return result;
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

std::vector<Received>& Log() {
    static std::vector<Received> log;
    return log;
}

void SetOverride(Override override) {
    CurrentOverride() = std::move(override);
}

LPCWSTR RecordingClass() {
    static const bool registered = [] {
        WNDCLASSW description{};
        description.style = CS_HREDRAW | CS_VREDRAW;
        description.lpfnWndProc = RecordingProc;
        description.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        description.lpszClassName = L"RecordingWindow";
        return RegisterClassW(&description) != 0;
    }();
    return registered ? L"RecordingWindow" : nullptr;
}

HWND CreateTopLevel(DWORD style, RECT rect, HWND owner, DWORD exStyle) {
    HWND window = CreateWindowExW(exStyle, RecordingClass(), L"Test", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, owner, nullptr, nullptr, nullptr);
    Created().push_back(window);
    if ((style & WS_VISIBLE) != 0) SettleDisplay();
    return window;
}

void SettleDisplay() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::string_view(driver) == "offscreen") return;
    for (int i = 0; i < 10; ++i) {
        SDL_Delay(10);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // takes in SDL's events
    }
}

HWND CreateChild(HWND parent, RECT rect, DWORD style) {
    return CreateWindowExW(0, RecordingClass(), L"Child", style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, parent, nullptr, nullptr, nullptr);
}

std::vector<Received> Messages(UINT message) {
    std::vector<Received> found;
    for (const Received& received : Log())
        if (received.message == message) found.push_back(received);
    return found;
}

std::vector<MSG> DrainQueue() {
    std::vector<MSG> messages;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        messages.push_back(message);
        if (message.message == WM_QUIT || message.message == WM_PAINT) break;
        DispatchMessageW(&message);
    }
    return messages;
}

WindowTest::WindowTest() {
    Log().clear();
    SetOverride(nullptr);
}

WindowTest::~WindowTest() {
    SetOverride(nullptr);
    for (HWND window : Created()) DestroyWindow(window);
    Created().clear();
    // Leave nothing queued for the next test.
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_PAINT) ValidateRect(message.hwnd, nullptr);
    }
    Log().clear();
}

}  // namespace window_test
