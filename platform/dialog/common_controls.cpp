// Registers the control classes, as the common controls library does;
// dialogs register them too, so a program that never calls these still
// gets its controls.
#include <commctrl.h>

#include "dialog/controls.h"

extern "C" {

void WINAPI InitCommonControls() { platform::dialog::RegisterControlClasses(); }

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* classes) {
    if (!classes || classes->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
    platform::dialog::RegisterControlClasses();
    return TRUE;
}

}  // extern "C"
