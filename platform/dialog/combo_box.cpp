// Drop-down list combo boxes and their drop-down lists.
#include <algorithm>
#include <utility>

#include "dialog/control_classes.h"
#include "dialog/controls.h"

namespace platform::dialog {
namespace {

using window::LookUpWindow;
using window::Window;

constexpr int kItemHeight = 13;

ComboState* ComboOf(HWND combo) {
    Window* window = LookUpWindow(combo);
    return window && KindOf(combo) == ControlKind::ComboBox ? &StateOf<ComboState>(*window) : nullptr;
}

bool IsItem(const ComboState& state, WPARAM index) { return index < state.items.size(); }

void CloseList(HWND combo) {
    ComboState* state = ComboOf(combo);
    if (!state || !state->list) return;
    DestroyWindow(std::exchange(state->list, nullptr));
    InvalidateRect(combo, nullptr, FALSE);
}

// The list opens below the combo box, or above it when the dialog has more
// room there, with as many items as fit; the selection is among them.
void OpenList(HWND combo) {
    Window* window = LookUpWindow(combo);
    ComboState* state = ComboOf(combo);
    Window* dialog = window ? LookUpWindow(window->parent) : nullptr;
    if (!state || !dialog || state->items.empty()) return;
    const RECT dialogClient = window::ClientRectInWindow(*dialog);
    const LONG below = dialogClient.bottom - window->rect.bottom;
    const LONG above = window->rect.top;
    const int fit = static_cast<int>(std::max(below, above) / kItemHeight);
    const int shown = std::clamp(static_cast<int>(state->items.size()), 1, std::max(1, fit));
    state->firstShown = std::clamp(state->selection - shown + 1, 0, static_cast<int>(state->items.size()) - shown);
    const int height = shown * kItemHeight;
    const LONG top = below >= height || below >= above ? window->rect.bottom : window->rect.top - height;
    state->list = CreateWindowExW(0, kComboListClass, L"", WS_CHILD | WS_VISIBLE | WS_BORDER, window->rect.left, top,
                                  window->rect.right - window->rect.left, height + 2, window->parent, nullptr, nullptr,
                                  nullptr);
    if (Window* list = LookUpWindow(state->list)) list->userData = reinterpret_cast<LONG_PTR>(combo);
}

LRESULT SetSelection(HWND combo, ComboState& state, WPARAM index) {
    state.selection = IsItem(state, index) ? static_cast<int>(index) : CB_ERR;
    InvalidateRect(combo, nullptr, FALSE);
    return state.selection;
}

LRESULT CopyItemText(const ComboState& state, WPARAM index, LPARAM buffer) {
    if (!IsItem(state, index) || buffer == 0) return CB_ERR;
    const std::wstring& text = state.items[index].text;
    auto* out = reinterpret_cast<WCHAR*>(buffer);
    text.copy(out, text.size());
    out[text.size()] = 0;
    return static_cast<LRESULT>(text.size());
}

}  // namespace

int ComboItemHeight() { return kItemHeight; }

void UserPicksComboItem(HWND combo, int index) {
    const Window* window = LookUpWindow(combo);
    ComboState* state = ComboOf(combo);
    if (!window || !state || !window->IsEnabled() || index < 0 || !IsItem(*state, static_cast<WPARAM>(index))) return;
    CloseList(combo);
    SetSelection(combo, *state, static_cast<WPARAM>(index));
    NotifyParent(combo, CBN_SELCHANGE);
}

LRESULT CALLBACK ComboBoxProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LookUpWindow(combo);
    if (!window) return 0;
    ComboState& state = StateOf<ComboState>(*window);
    switch (message) {
        case CB_ADDSTRING:
            state.items.push_back({lParam ? reinterpret_cast<const WCHAR*>(lParam) : L"", 0});
            return static_cast<LRESULT>(state.items.size() - 1);
        case CB_RESETCONTENT:
            CloseList(combo);
            state.items.clear();
            SetSelection(combo, state, static_cast<WPARAM>(CB_ERR));
            return CB_OKAY;
        case CB_GETCOUNT:
            return static_cast<LRESULT>(state.items.size());
        case CB_SETCURSEL:
            return SetSelection(combo, state, wParam);
        case CB_GETCURSEL:
            return state.selection;
        case CB_SETITEMDATA:
            if (!IsItem(state, wParam)) return CB_ERR;
            state.items[wParam].data = lParam;
            return TRUE;
        case CB_GETITEMDATA:
            return IsItem(state, wParam) ? state.items[wParam].data : CB_ERR;
        case CB_GETLBTEXTLEN:
            return IsItem(state, wParam) ? static_cast<LRESULT>(state.items[wParam].text.size()) : CB_ERR;
        case CB_GETLBTEXT:
            return CopyItemText(state, wParam, lParam);
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
            window->text = state.selection >= 0 ? state.items[static_cast<size_t>(state.selection)].text : L"";
            return DefWindowProcW(combo, message, wParam, lParam);
        case WM_LBUTTONDOWN:
            if (!window->IsEnabled()) return 0;
            if (state.list) CloseList(combo);
            else OpenList(combo);
            return 0;
        case WM_DESTROY:
            CloseList(combo);
            return 0;
        default:
            return ControlDefault(combo, message, wParam, lParam);
    }
}

LRESULT CALLBACK ComboListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    const Window* window = LookUpWindow(list);
    if (window && message == WM_LBUTTONDOWN) {
        const auto combo = reinterpret_cast<HWND>(window->userData);
        if (const ComboState* state = ComboOf(combo)) {
            const int y = static_cast<SHORT>(HIWORD(lParam));
            UserPicksComboItem(combo, state->firstShown + y / kItemHeight);
        }
        return 0;
    }
    return ControlDefault(list, message, wParam, lParam);
}

}  // namespace platform::dialog
