// The common controls need no registration here: the dialog layer knows
// every control class it builds.
#include <commctrl.h>

extern "C" void WINAPI InitCommonControls() {}
