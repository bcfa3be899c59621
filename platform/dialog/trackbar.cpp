// Horizontal trackbars.
#include <algorithm>

#include <commctrl.h>

#include "dialog/control_classes.h"
#include "dialog/controls.h"

namespace platform::dialog {
namespace {

using window::LookUpWindow;
using window::Window;

// The thumb's centre travels between the two insets.
constexpr LONG kChannelInset = 8;

TrackbarState* TrackbarOf(HWND trackbar) {
    Window* window = LookUpWindow(trackbar);
    return window && KindOf(trackbar) == ControlKind::Trackbar ? &StateOf<TrackbarState>(*window) : nullptr;
}

void SetPosition(HWND trackbar, TrackbarState& state, int position) {
    state.position = std::clamp(position, state.minimum, std::max(state.minimum, state.maximum));
    InvalidateRect(trackbar, nullptr, FALSE);
}

void NotifyScroll(HWND trackbar, WORD code, int position) {
    const Window* window = LookUpWindow(trackbar);
    if (!window || !window->parent) return;
    SendMessageW(window->parent, WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(position)),
                 reinterpret_cast<LPARAM>(trackbar));
}

int PositionAtX(HWND trackbar, const TrackbarState& state, int x) {
    const RECT channel = TrackbarChannel(trackbar);
    const LONG span = std::max<LONG>(1, channel.right - channel.left);
    const double fraction = std::clamp(static_cast<double>(x - channel.left) / span, 0.0, 1.0);
    return state.minimum + static_cast<int>(fraction * (state.maximum - state.minimum) + 0.5);
}

}  // namespace

RECT TrackbarChannel(HWND trackbar) {
    RECT client{};
    GetClientRect(trackbar, &client);
    const LONG middle = client.bottom / 2;
    return RECT{kChannelInset, middle - 2, std::max(kChannelInset, client.right - kChannelInset), middle + 2};
}

int TrackbarThumbX(HWND trackbar) {
    const TrackbarState* state = TrackbarOf(trackbar);
    if (!state) return 0;
    const RECT channel = TrackbarChannel(trackbar);
    const int range = std::max(1, state->maximum - state->minimum);
    return static_cast<int>(channel.left + (channel.right - channel.left) * (state->position - state->minimum) / range);
}

void UserMovesTrackbar(HWND trackbar, int position) {
    const Window* window = LookUpWindow(trackbar);
    TrackbarState* state = TrackbarOf(trackbar);
    if (!window || !state || !window->IsEnabled()) return;
    SetPosition(trackbar, *state, position);
    NotifyScroll(trackbar, TB_THUMBPOSITION, state->position);
    NotifyScroll(trackbar, TB_ENDTRACK, state->position);
}

LRESULT CALLBACK TrackbarProc(HWND trackbar, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LookUpWindow(trackbar);
    if (!window) return 0;
    TrackbarState& state = StateOf<TrackbarState>(*window);
    switch (message) {
        case TBM_GETPOS:
            return state.position;
        case TBM_GETRANGEMIN:
            return state.minimum;
        case TBM_GETRANGEMAX:
            return state.maximum;
        case TBM_SETPOS:
            SetPosition(trackbar, state, static_cast<int>(lParam));
            return 0;
        case TBM_SETRANGE:
            state.minimum = static_cast<SHORT>(LOWORD(lParam));
            state.maximum = static_cast<SHORT>(HIWORD(lParam));
            SetPosition(trackbar, state, state.position);
            return 0;
        case TBM_SETTICFREQ:
            state.ticFrequency = std::max(1, static_cast<int>(wParam));
            InvalidateRect(trackbar, nullptr, FALSE);
            return 0;
        case WM_LBUTTONDOWN:
            UserMovesTrackbar(trackbar, PositionAtX(trackbar, state, static_cast<SHORT>(LOWORD(lParam))));
            return 0;
        case WM_MOUSEMOVE:
            if ((wParam & MK_LBUTTON) != 0)
                UserMovesTrackbar(trackbar, PositionAtX(trackbar, state, static_cast<SHORT>(LOWORD(lParam))));
            return 0;
        default:
            return ControlDefault(trackbar, message, wParam, lParam);
    }
}

}  // namespace platform::dialog
