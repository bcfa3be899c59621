// Push buttons, check boxes, radio buttons and group boxes.
#include <algorithm>

#include "dialog/control_classes.h"
#include "dialog/controls.h"

namespace platform::dialog {
namespace {

using window::LookUpWindow;
using window::Window;

DWORD TypeOf(const Window& window) { return window.style & BS_TYPEMASK; }

void SetCheck(HWND button, UINT check) {
    Window* window = LookUpWindow(button);
    if (!window) return;
    ButtonState& state = StateOf<ButtonState>(*window);
    if (state.check == check) return;
    state.check = check;
    InvalidateRect(button, nullptr, FALSE);
}

// The radio buttons of a group: from the control with WS_GROUP at or
// before this one up to the next control with WS_GROUP.
std::vector<HWND> GroupOf(const Window& button) {
    const std::vector<HWND> siblings = window::ChildWindows(button.parent);
    std::vector<HWND> group;
    for (HWND sibling : siblings) {
        const Window* window = LookUpWindow(sibling);
        if (!window) continue;
        if ((window->style & WS_GROUP) != 0) {
            if (std::find(group.begin(), group.end(), button.handle) != group.end()) break;
            group.clear();
        }
        group.push_back(sibling);
    }
    return group;
}

}  // namespace

void UserClicksButton(HWND button) {
    Window* window = LookUpWindow(button);
    if (!window || !window->IsEnabled() || !window->IsVisible()) return;
    switch (TypeOf(*window)) {
        case BS_GROUPBOX:
            return;
        case BS_AUTOCHECKBOX:
            SetCheck(button, StateOf<ButtonState>(*window).check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            break;
        case BS_AUTORADIOBUTTON:
            for (HWND member : GroupOf(*window)) {
                const Window* other = LookUpWindow(member);
                if (other && member != button && KindOf(member) == ControlKind::RadioButton &&
                    TypeOf(*other) == BS_AUTORADIOBUTTON)
                    SetCheck(member, BST_UNCHECKED);
            }
            SetCheck(button, BST_CHECKED);
            break;
        default:
            break;
    }
    NotifyParent(button, BN_CLICKED);
}

LRESULT CALLBACK ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LookUpWindow(button);
    if (!window) return 0;
    switch (message) {
        case BM_GETCHECK:
            return StateOf<ButtonState>(*window).check;
        case BM_SETCHECK:
            if (KindOf(button) == ControlKind::CheckBox || KindOf(button) == ControlKind::RadioButton)
                SetCheck(button, static_cast<UINT>(wParam));
            return 0;
        case BM_SETSTYLE:
            window->style = (window->style & ~static_cast<DWORD>(BS_TYPEMASK)) | (wParam & BS_TYPEMASK);
            InvalidateRect(button, nullptr, FALSE);
            return 0;
        case BM_CLICK:
        case WM_LBUTTONDOWN:
            UserClicksButton(button);
            return 0;
        default:
            return ControlDefault(button, message, wParam, lParam);
    }
}

}  // namespace platform::dialog
