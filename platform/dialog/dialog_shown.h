// Tells the simulated machine's user that a dialog box is up.
#pragma once

#include <windows.h>

namespace platform::dialog {

void NoteDialogShown(HWND dialog, int templateId);

}  // namespace platform::dialog
