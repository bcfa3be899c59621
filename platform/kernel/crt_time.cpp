// The run-time library's 64-bit time functions, on the wall clock or on the
// time the simulated machine fixes.
#include <time.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "platform/sim_clock.h"

namespace {

// The last second _localtime64_s converts: 3000-12-31 23:59:59 UTC.
constexpr __time64_t kLastConvertible = 32535215999;

std::optional<__time64_t> g_fixedTime;

}  // namespace

namespace platform::sim {

FixedWallClock::FixedWallClock(int64_t secondsSince1970) { Set(secondsSince1970); }
FixedWallClock::~FixedWallClock() { g_fixedTime.reset(); }
void FixedWallClock::Set(int64_t secondsSince1970) { g_fixedTime = secondsSince1970; }

}  // namespace platform::sim

extern "C" {

__time64_t _time64(__time64_t* destination) {
    const __time64_t now = g_fixedTime ? *g_fixedTime : static_cast<__time64_t>(time(nullptr));
    if (destination != nullptr) {
        *destination = now;
    }
    return now;
}

int _localtime64_s(struct tm* result, const __time64_t* time) {
    if (result == nullptr) {
        return EINVAL;
    }
    std::memset(result, 0xFF, sizeof(*result));
    if (time == nullptr || *time < 0 || *time > kLastConvertible) {
        return EINVAL;
    }
    const time_t converted = static_cast<time_t>(*time);
    if (localtime_r(&converted, result) == nullptr) {
        std::memset(result, 0xFF, sizeof(*result));
        return EINVAL;
    }
    return 0;
}

}  // extern "C"
