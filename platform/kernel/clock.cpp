#include "kernel/clock.h"

#include <atomic>
#include <cerrno>
#include <ctime>

#include <sched.h>

namespace platform {
namespace {

constexpr int64_t kNanosecondsPerSecond = 1'000'000'000;

std::atomic<TimeSource*> g_source{nullptr};

timespec TimespecFromNanoseconds(int64_t nanoseconds) {
    return {static_cast<time_t>(nanoseconds / kNanosecondsPerSecond),
            static_cast<long>(nanoseconds % kNanosecondsPerSecond)};
}

}  // namespace

void SetTimeSource(TimeSource* source) { g_source.store(source); }

int64_t MonotonicNanoseconds() {
    if (TimeSource* source = g_source.load()) return source->NowNanoseconds();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * kNanosecondsPerSecond + now.tv_nsec;
}

void SleepNanoseconds(int64_t duration) {
    if (TimeSource* source = g_source.load()) {
        source->SleepNanoseconds(duration);
        return;
    }
    if (duration <= 0) {
        sched_yield();
        return;
    }
    // An absolute deadline, so that signals do not stretch the sleep.
    const timespec deadline = TimespecFromNanoseconds(MonotonicNanoseconds() + duration);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
    }
}

}  // namespace platform
