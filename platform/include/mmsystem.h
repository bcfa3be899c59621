// Windows multimedia.
#pragma once

#include <windef.h>

typedef UINT MMRESULT;
#define TIMERR_NOERROR 0

extern "C" {

// Milliseconds since the system started, wrapping at 2^32.
DWORD WINAPI timeGetTime();
MMRESULT WINAPI timeBeginPeriod(UINT period);
MMRESULT WINAPI timeEndPeriod(UINT period);

}  // extern "C"
