// Tests only: a clock that moves only when told to. While a ControlledClock
// lives, QueryPerformanceCounter, timeGetTime and the window timers read
// it; Sleep advances it, and a GetMessageW with nothing to return moves it
// to the next timer, so that no test waits for real time.
#pragma once

#include <cstdint>
#include <memory>

namespace platform::sim {

class ControlledClock {
public:
    explicit ControlledClock(int64_t startNanoseconds = 1'000'000'000'000);
    ~ControlledClock();
    ControlledClock(const ControlledClock&) = delete;
    ControlledClock& operator=(const ControlledClock&) = delete;

    void AdvanceMilliseconds(int64_t milliseconds);
    int64_t NowNanoseconds() const;

private:
    class Source;
    std::unique_ptr<Source> source_;
};

// While a FixedWallClock lives, _time64 returns its time (seconds since
// 1970, UTC), which may be one that _localtime64_s rejects.
class FixedWallClock {
public:
    explicit FixedWallClock(int64_t secondsSince1970);
    ~FixedWallClock();
    FixedWallClock(const FixedWallClock&) = delete;
    FixedWallClock& operator=(const FixedWallClock&) = delete;

    void Set(int64_t secondsSince1970);
};

}  // namespace platform::sim
