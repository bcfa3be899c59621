// The Windows clock functions, all read from the layer's one clock.
#include <windows.h>

#include "kernel/clock.h"

namespace {

// Modern Windows counts performance ticks at 10 MHz.
constexpr int64_t kPerformanceFrequency = 10'000'000;
constexpr int64_t kNanosecondsPerTick = 1'000'000'000 / kPerformanceFrequency;
constexpr int64_t kNanosecondsPerMillisecond = 1'000'000;

DWORD Milliseconds32() {
    return static_cast<DWORD>(platform::MonotonicNanoseconds() / kNanosecondsPerMillisecond);
}

}  // namespace

extern "C" {

BOOL WINAPI QueryPerformanceCounter(LARGE_INTEGER* count) {
    if (count == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    count->QuadPart = platform::MonotonicNanoseconds() / kNanosecondsPerTick;
    return TRUE;
}

BOOL WINAPI QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
    if (frequency == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    frequency->QuadPart = kPerformanceFrequency;
    return TRUE;
}

DWORD WINAPI GetTickCount() { return Milliseconds32(); }

DWORD WINAPI timeGetTime() { return Milliseconds32(); }

// The clock is always as fine as a millisecond: nothing to change.
MMRESULT WINAPI timeBeginPeriod(UINT) { return TIMERR_NOERROR; }
MMRESULT WINAPI timeEndPeriod(UINT) { return TIMERR_NOERROR; }

void WINAPI Sleep(DWORD milliseconds) {
    platform::SleepNanoseconds(int64_t{milliseconds} * kNanosecondsPerMillisecond);
}

}  // extern "C"
