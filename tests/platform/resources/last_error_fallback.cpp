// The thread's last error, for as long as this test is linked without the
// kernel area's own: weak, so that the real one wins once it is there.
#include <windows.h>

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

extern "C" __attribute__((weak)) DWORD WINAPI GetLastError() { return lastError; }
extern "C" __attribute__((weak)) void WINAPI SetLastError(DWORD error) { lastError = error; }
