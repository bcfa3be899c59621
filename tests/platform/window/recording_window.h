// A window class whose procedure records every message it receives and
// passes it on to DefWindowProcW, unless the test says otherwise.
#pragma once

#include <functional>
#include <vector>

#include <windows.h>

namespace window_test {

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// What every window of the recording class receives, in order.
std::vector<Received>& Log();
// Replaces the default handling for a test; return true when handled,
// with the result in *result.
using Override = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT* result)>;
void SetOverride(Override override);

// Registered once per process.
LPCWSTR RecordingClass();

// Visible windows are settled on the display before they are returned.
HWND CreateTopLevel(DWORD style = WS_POPUP | WS_VISIBLE, RECT rect = {0, 0, 200, 100}, HWND owner = nullptr,
                    DWORD exStyle = 0);
HWND CreateChild(HWND parent, RECT rect, DWORD style = WS_CHILD | WS_VISIBLE);

// On a real display a window is mapped and exposed a moment after it is
// shown; this waits for that, so that tests start from a settled screen.
// Headless, nothing happens later, and it returns at once.
void SettleDisplay();

// Every message of the given number in the log, in order.
std::vector<Received> Messages(UINT message);

// Messages the queue gives right now, taken and dispatched, stopping at
// WM_PAINT (which stays until painted) and WM_QUIT.
std::vector<MSG> DrainQueue();

// Ends every window and clears the log and the override.
class WindowTest {
public:
    WindowTest();
    ~WindowTest();
};

}  // namespace window_test
