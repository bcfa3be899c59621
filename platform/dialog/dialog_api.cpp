// The dialog functions over the dialog's controls. A call addressed to a
// control the dialog does not have does nothing.
#include <windows.h>

#include "dialog/controls.h"
#include "dialog/dialog_units.h"
#include "dialog/dialog_window.h"

namespace platform::dialog {
namespace {

bool IsCheckable(HWND control) {
    const ControlKind kind = KindOf(control);
    return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

}  // namespace
}  // namespace platform::dialog

using namespace platform::dialog;
using platform::window::LookUpWindow;
using platform::window::Window;

extern "C" {

HWND WINAPI GetDlgItem(HWND dialog, int id) {
    for (HWND control : platform::window::ChildWindows(dialog)) {
        const Window* window = LookUpWindow(control);
        if (window && static_cast<int>(window->id) == id) return control;
    }
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND control) {
    const Window* window = LookUpWindow(control);
    return window && window->IsChild() ? static_cast<int>(window->id) : 0;
}

LRESULT WINAPI SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND control = GetDlgItem(dialog, id);
    return control ? SendMessageW(control, message, wParam, lParam) : 0;
}

UINT WINAPI GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int bufferMax) {
    if (buffer && bufferMax > 0) buffer[0] = 0;
    const HWND control = GetDlgItem(dialog, id);
    return control ? static_cast<UINT>(GetWindowTextW(control, buffer, bufferMax)) : 0;
}

BOOL WINAPI SetDlgItemTextW(HWND dialog, int id, LPCWSTR text) {
    const HWND control = GetDlgItem(dialog, id);
    return control ? SetWindowTextW(control, text) : FALSE;
}

BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND control = GetDlgItem(dialog, id);
    if (!control) return FALSE;
    SendMessageW(control, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dialog, int id) {
    const HWND control = GetDlgItem(dialog, id);
    return control && IsCheckable(control) ? static_cast<UINT>(SendMessageW(control, BM_GETCHECK, 0, 0)) : 0;
}

BOOL WINAPI CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    if (!LookUpWindow(dialog)) return FALSE;
    for (HWND control : platform::window::ChildWindows(dialog)) {
        const int id = GetDlgCtrlID(control);
        if (id >= firstId && id <= lastId)
            SendMessageW(control, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    return TRUE;
}

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
    const DialogState* state = DialogOf(dialog);
    if (!state || !rect) return FALSE;
    *rect = ScaleDialogRect(*rect, state->baseX, state->baseY);
    return TRUE;
}

}  // extern "C"
