#include "dialog/dialog_painter.h"

#include "window/window_table.h"

namespace platform::dialog {

void PaintDialog(HWND dialog) {
    ValidateRect(dialog, nullptr);
    for (HWND control : window::ChildWindows(dialog)) ValidateRect(control, nullptr);
}

void ForgetDialogDrawing(HWND) {}

}  // namespace platform::dialog
