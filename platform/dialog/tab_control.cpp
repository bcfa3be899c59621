// Tab controls: a strip of labelled tabs, one selected.
#include <algorithm>

#include <commctrl.h>

#include "dialog/control_classes.h"
#include "dialog/controls.h"

namespace platform::dialog {
namespace {

using window::LookUpWindow;
using window::Window;

constexpr LONG kStripHeight = 20;
constexpr LONG kCharacterWidth = 6;
constexpr LONG kLabelPadding = 12;

TabState* TabOf(HWND tab) {
    Window* window = LookUpWindow(tab);
    return window && KindOf(tab) == ControlKind::Tab ? &StateOf<TabState>(*window) : nullptr;
}

LRESULT Notify(HWND tab, UINT code) {
    const Window* window = LookUpWindow(tab);
    if (!window || !window->parent) return 0;
    NMHDR header{tab, window->id, code};
    return SendMessageW(window->parent, WM_NOTIFY, window->id, reinterpret_cast<LPARAM>(&header));
}

LRESULT InsertItem(HWND tab, TabState& state, WPARAM index, const TCITEMW* item) {
    if (!item) return -1;
    const size_t at = std::min<size_t>(index, state.labels.size());
    const std::wstring label = (item->mask & TCIF_TEXT) != 0 && item->pszText ? item->pszText : L"";
    state.labels.insert(state.labels.begin() + static_cast<std::ptrdiff_t>(at), label);
    // The first tab is selected as it arrives; later inserts keep the selected tab.
    if (state.selection < 0) state.selection = 0;
    else if (static_cast<size_t>(state.selection) >= at && state.labels.size() > 1) ++state.selection;
    InvalidateRect(tab, nullptr, FALSE);
    return static_cast<LRESULT>(at);
}

}  // namespace

int TabStripHeight() { return kStripHeight; }

std::vector<RECT> TabRects(HWND tab) {
    std::vector<RECT> rects;
    const TabState* state = TabOf(tab);
    if (!state) return rects;
    LONG x = 2;
    for (const std::wstring& label : state->labels) {
        const LONG width = static_cast<LONG>(label.size()) * kCharacterWidth + kLabelPadding;
        rects.push_back(RECT{x, 0, x + width, kStripHeight});
        x += width;
    }
    return rects;
}

void UserSelectsTab(HWND tab, int index) {
    const Window* window = LookUpWindow(tab);
    TabState* state = TabOf(tab);
    if (!window || !state || !window->IsEnabled() || index < 0 ||
        static_cast<size_t>(index) >= state->labels.size() || index == state->selection)
        return;
    if (Notify(tab, TCN_SELCHANGING) != 0) return;  // the parent refused
    state->selection = index;
    InvalidateRect(tab, nullptr, FALSE);
    Notify(tab, TCN_SELCHANGE);
}

LRESULT CALLBACK TabControlProc(HWND tab, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LookUpWindow(tab);
    if (!window) return 0;
    TabState& state = StateOf<TabState>(*window);
    switch (message) {
        case TCM_INSERTITEMW:
            return InsertItem(tab, state, wParam, reinterpret_cast<const TCITEMW*>(lParam));
        case TCM_GETITEMCOUNT:
            return static_cast<LRESULT>(state.labels.size());
        case TCM_DELETEALLITEMS:
            state.labels.clear();
            state.selection = -1;
            InvalidateRect(tab, nullptr, FALSE);
            return TRUE;
        case TCM_GETCURSEL:
            return state.selection;
        case TCM_SETCURSEL: {
            if (wParam >= state.labels.size()) return -1;
            const int previous = state.selection;
            state.selection = static_cast<int>(wParam);
            InvalidateRect(tab, nullptr, FALSE);
            return previous;
        }
        case WM_LBUTTONDOWN: {
            const POINT point{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
            const std::vector<RECT> rects = TabRects(tab);
            for (size_t i = 0; i < rects.size(); ++i) {
                if (point.x >= rects[i].left && point.x < rects[i].right && point.y >= rects[i].top &&
                    point.y < rects[i].bottom)
                    UserSelectsTab(tab, static_cast<int>(i));
            }
            return 0;
        }
        default:
            return ControlDefault(tab, message, wParam, lParam);
    }
}

}  // namespace platform::dialog
