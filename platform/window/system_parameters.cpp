#include "window/system_parameters.h"

#include <atomic>

#include <windows.h>

namespace platform::window {
namespace {

std::atomic<bool> g_screenSaverRunning{false};

}  // namespace

bool ScreenSaverRunning() {
    return g_screenSaverRunning.load();
}

}  // namespace platform::window

// Only the screen saver's running flag, which the system uses to know that
// a saver covers the screen; the previous value goes to pvParam.
extern "C" BOOL WINAPI SystemParametersInfoW(UINT action, UINT uiParam, PVOID pvParam, UINT) {
    if (action != SPI_SETSCREENSAVERRUNNING) return FALSE;
    const bool previous = platform::window::g_screenSaverRunning.exchange(uiParam != 0);
    if (pvParam) *static_cast<BOOL*>(pvParam) = previous ? TRUE : FALSE;
    return TRUE;
}
