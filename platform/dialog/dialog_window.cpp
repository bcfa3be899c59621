#include "dialog/dialog_window.h"

#include <algorithm>
#include <utility>

#include "dialog/controls.h"
#include "dialog/dialog_painter.h"
#include "window/keyboard.h"

namespace platform::dialog {
namespace {

using window::LookUpWindow;
using window::Window;

LRESULT DefaultId(HWND dialog) {
    for (HWND control : window::ChildWindows(dialog)) {
        const Window* window = LookUpWindow(control);
        if (window && KindOf(control) == ControlKind::PushButton && (window->style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return MAKELONG(static_cast<WORD>(window->id), DC_HASDEFID);
    }
    return MAKELONG(IDOK, DC_HASDEFID);
}

// A command as the button with that id sends it; a disabled button sends nothing.
void SendButtonCommand(HWND dialog, int id) {
    const HWND button = GetDlgItem(dialog, id);
    if (button && (!IsWindowEnabled(button) || !window::LookUpWindow(button)->IsVisible())) return;
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool TakesTabStop(HWND control) {
    const Window* window = LookUpWindow(control);
    return window && (window->style & WS_TABSTOP) != 0 && window->IsVisible() && window->IsEnabled();
}

void MoveFocus(HWND dialog, HWND to) {
    DialogState* state = DialogOf(dialog);
    if (!state || !to || to == state->focus) return;
    const HWND from = std::exchange(state->focus, to);
    if (from) SendMessageW(from, WM_KILLFOCUS, reinterpret_cast<WPARAM>(to), 0);
    SendMessageW(to, WM_SETFOCUS, reinterpret_cast<WPARAM>(from), 0);
    InvalidateRect(dialog, nullptr, FALSE);
}

LRESULT CALLBACK DialogWindowProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (DialogState* state = DialogOf(dialog); state && state->procedure) {
        // A message the procedure handled answers 0, except WM_INITDIALOG,
        // whose answer is the procedure's own.
        const INT_PTR handled = state->procedure(dialog, message, wParam, lParam);
        if (handled != 0) return message == WM_INITDIALOG ? handled : 0;
    }
    switch (message) {
        case WM_CLOSE:
            SendButtonCommand(dialog, IDCANCEL);
            return 0;
        case DM_GETDEFID:
            return DefaultId(dialog);
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            PaintDialog(dialog);
            return 0;
        default:
            return DefWindowProcW(dialog, message, wParam, lParam);
    }
}

}  // namespace

void RegisterDialogClass() {
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DialogWindowProc;
        windowClass.lpszClassName = kDialogClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
}

DialogState* DialogOf(HWND dialog) {
    Window* window = LookUpWindow(dialog);
    return window ? dynamic_cast<DialogState*>(window->extra.get()) : nullptr;
}

bool IsUserInput(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_CHAR:
        case WM_SYSCHAR:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEMOVE:
            return true;
        default:
            return false;
    }
}

HWND NextTabStop(HWND dialog, HWND from, bool backwards) {
    std::vector<HWND> controls = window::ChildWindows(dialog);
    if (backwards) std::reverse(controls.begin(), controls.end());
    auto start = std::find(controls.begin(), controls.end(), from);
    const size_t count = controls.size();
    const size_t first = start == controls.end() ? 0 : static_cast<size_t>(start - controls.begin()) + 1;
    for (size_t i = 0; i < count; ++i) {
        const HWND candidate = controls[(first + i) % count];
        if (TakesTabStop(candidate)) return candidate;
    }
    return nullptr;
}

bool HandleDialogKey(HWND dialog, const MSG& message) {
    if (!window::IsSelfOrDescendant(dialog, message.hwnd)) return false;
    if (message.message == WM_CHAR) return true;  // no control here takes typed text
    if (message.message != WM_KEYDOWN) return false;
    DialogState* state = DialogOf(dialog);
    if (!state) return false;
    const HWND focus = state->focus;
    switch (message.wParam) {
        case VK_RETURN: {
            const bool focusIsPushButton = focus && KindOf(focus) == ControlKind::PushButton;
            const int id = focusIsPushButton ? GetDlgCtrlID(focus)
                                             : LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0));
            SendButtonCommand(dialog, id);
            return true;
        }
        case VK_ESCAPE:
            SendButtonCommand(dialog, IDCANCEL);
            return true;
        case VK_TAB:
            MoveFocus(dialog, NextTabStop(dialog, focus, window::LastKeyModifiers().shift));
            return true;
        case VK_SPACE:
            if (focus && KindOf(focus) != ControlKind::ComboBox) SendMessageW(focus, BM_CLICK, 0, 0);
            return true;
        default:
            if (focus) UserPressesKeyOn(focus, static_cast<UINT>(message.wParam));
            return true;
    }
}

}  // namespace platform::dialog
