// The layer's one clock. QueryPerformanceCounter, timeGetTime, Sleep and the
// message timers all read it, so that the simulated machine can take it over.
#pragma once

#include <cstdint>

namespace platform {

class TimeSource {
public:
    virtual ~TimeSource() = default;
    virtual int64_t NowNanoseconds() = 0;
    virtual void SleepNanoseconds(int64_t duration) = 0;
};

// nullptr returns to the real monotonic clock. A source must outlive every
// call that may still be reading it.
void SetTimeSource(TimeSource* source);

int64_t MonotonicNanoseconds();
void SleepNanoseconds(int64_t duration);

}  // namespace platform
