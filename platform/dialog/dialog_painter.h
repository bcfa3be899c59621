// Drawing a dialog and its controls on the display.
#pragma once

#include <windows.h>

namespace platform::dialog {

// Validates the dialog and its controls; on a display, draws them all.
void PaintDialog(HWND dialog);
// Drops what drawing keeps for a dialog that is going away.
void ForgetDialogDrawing(HWND dialog);

}  // namespace platform::dialog
