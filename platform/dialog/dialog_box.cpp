// DialogBoxParamW: a dialog built from its template, run modally until
// EndDialog.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <span>

#include "dialog/controls.h"
#include "dialog/dialog_painter.h"
#include "dialog/dialog_shown.h"
#include "dialog/dialog_template.h"
#include "dialog/dialog_units.h"
#include "dialog/dialog_window.h"
#include "text/case_fold.h"

namespace platform::dialog {
namespace {

using window::LookUpWindow;
using window::Window;

std::optional<DialogTemplate> LoadTemplate(HINSTANCE instance, LPCWSTR name) {
    HRSRC resource = FindResourceW(instance, name, RT_DIALOG);
    if (!resource) return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(instance, resource)));
    if (!bytes) return std::nullopt;
    return ReadDialogTemplate(std::span(bytes, SizeofResource(instance, resource)));
}

// The dialog font's base units: 6 by 13 pixels for 8 points, as Windows'
// dialog fonts give at 96 dots per inch.
void SetBaseUnits(DialogState& state, WORD pointSize) {
    state.pointSize = pointSize == 0 ? 8 : pointSize;
    state.baseX = std::max<LONG>(1, MulDivRounded(state.pointSize, 3, 4));
    state.baseY = std::max<LONG>(1, MulDivRounded(state.pointSize, 13, 8));
}

// Centred on the owner, or on the primary monitor.
POINT PlaceWindow(HWND owner, LONG width, LONG height) {
    RECT area{};
    if (!owner || !GetWindowRect(owner, &area)) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
        area = info.rcWork;
    }
    return POINT{area.left + (area.right - area.left - width) / 2, area.top + (area.bottom - area.top - height) / 2};
}

HWND CreateDialogWindow(HINSTANCE instance, const DialogTemplate& description, HWND owner) {
    DialogState measured;
    SetBaseUnits(measured, description.pointSize);
    RECT frame{0, 0, description.cx, description.cy};
    frame = ScaleDialogRect(frame, measured.baseX, measured.baseY);
    const DWORD style = (description.style & ~static_cast<DWORD>(WS_VISIBLE | WS_CHILD)) | WS_POPUP;
    AdjustWindowRect(&frame, style, FALSE);
    const LONG width = frame.right - frame.left;
    const LONG height = frame.bottom - frame.top;
    const POINT at = PlaceWindow(owner, width, height);
    const HWND dialog = CreateWindowExW(description.exStyle, kDialogClass, description.title.c_str(), style, at.x,
                                        at.y, width, height, owner, nullptr, instance, nullptr);
    if (Window* window = LookUpWindow(dialog)) window->extra = std::make_unique<DialogState>(std::move(measured));
    return dialog;
}

void CreateControls(HINSTANCE instance, const DialogTemplate& description, HWND dialog, const DialogState& state) {
    for (const ItemTemplate& item : description.items) {
        RECT rect = ScaleDialogRect(RECT{item.x, item.y, item.x + item.cx, item.y + item.cy}, state.baseX,
                                    state.baseY);
        const std::wstring className = ControlClassName(item.className);
        // A combo box's template height includes its drop-down list; the
        // window itself is one line high.
        if (UpperCase(className) == L"COMBOBOX") rect.bottom = std::min(rect.bottom, rect.top + state.baseY + 8);
        const std::wstring text = item.title.ordinal ? std::wstring() : item.title.text;
        CreateWindowExW(item.exStyle, className.c_str(), text.c_str(), item.style | WS_CHILD, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, dialog,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance, nullptr);
    }
}

void RunModalLoop(HWND dialog) {
    MSG message{};
    for (;;) {
        const DialogState* state = DialogOf(dialog);
        if (!state || state->ended) return;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside
            return;
        }
        if (got < 0) return;
        // A window disabled while the dialog is up takes no input.
        if (Window* target = LookUpWindow(message.hwnd);
            target && IsUserInput(message.message) && !window::TopLevelAncestor(*target).IsEnabled())
            continue;
        if (HandleDialogKey(dialog, message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace
}  // namespace platform::dialog

using namespace platform::dialog;
namespace window = platform::window;

extern "C" {

INT_PTR WINAPI DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND parent, DLGPROC dialogProc,
                               LPARAM initParam) {
    if (parent && !IsWindow(parent)) return 0;
    const std::optional<DialogTemplate> description = LoadTemplate(instance, templateName);
    if (!description) return -1;
    RegisterDialogClass();
    RegisterControlClasses();
    Window* parentWindow = LookUpWindow(parent);
    const HWND owner = parentWindow ? window::TopLevelAncestor(*parentWindow).handle : nullptr;
    const HWND dialog = CreateDialogWindow(instance, *description, owner);
    DialogState* state = DialogOf(dialog);
    if (!state) return -1;
    CreateControls(instance, *description, dialog, *state);
    state->focus = NextTabStop(dialog, nullptr, false);
    state->procedure = dialogProc;
    SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(state->focus), initParam);

    const bool ownerWasEnabled = owner && EnableWindow(owner, FALSE) == FALSE;
    if (DialogOf(dialog) && !DialogOf(dialog)->ended) {
        ShowWindow(dialog, SW_SHOW);
        NoteDialogShown(dialog, IS_INTRESOURCE(templateName) ? LOWORD(reinterpret_cast<ULONG_PTR>(templateName)) : 0);
        RunModalLoop(dialog);
    }
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    const INT_PTR result = DialogOf(dialog) ? DialogOf(dialog)->result : 0;
    ForgetDialogDrawing(dialog);
    DestroyWindow(dialog);
    return result;
}

BOOL WINAPI EndDialog(HWND dialog, INT_PTR result) {
    DialogState* state = DialogOf(dialog);
    if (!state) return FALSE;
    state->ended = true;
    state->result = result;
    return TRUE;
}

}  // extern "C"
