// The run-time library's 64-bit time: the wall clock or the one the
// simulated machine fixes, and the local conversion with its limits.
#include <gtest/gtest.h>

#include <time.h>

#include <cerrno>

#include "platform/sim_clock.h"

namespace {

TEST(CrtTime, Time64ReadsTheWallClockOrTheFixedOne) {
    const __time64_t now = _time64(nullptr);
    EXPECT_NEAR(static_cast<double>(now), static_cast<double>(time(nullptr)), 5.0);
    platform::sim::FixedWallClock fixed(1234567890);
    __time64_t stored = 0;
    EXPECT_EQ(_time64(&stored), 1234567890);
    EXPECT_EQ(stored, 1234567890);
}

TEST(CrtTime, LocalConversionAcceptsOnlyTimesFrom1970ToTheYear3000) {
    struct Case {
        __time64_t time;
        bool accepted;
    };
    for (const Case& c : {Case{0, true}, Case{1765362600, true}, Case{32535215999, true}, Case{-1, false},
                          Case{32535216000, false}}) {
        SCOPED_TRACE(c.time);
        tm converted{};
        const int result = _localtime64_s(&converted, &c.time);
        if (c.accepted) {
            EXPECT_EQ(result, 0);
            const time_t plain = static_cast<time_t>(c.time);
            tm expected{};
            localtime_r(&plain, &expected);
            EXPECT_EQ(converted.tm_year, expected.tm_year);
            EXPECT_EQ(converted.tm_hour, expected.tm_hour);
            EXPECT_EQ(converted.tm_min, expected.tm_min);
        } else {
            EXPECT_EQ(result, EINVAL);
            EXPECT_EQ(converted.tm_hour, -1);
            EXPECT_EQ(converted.tm_year, -1);
        }
    }
    const __time64_t zero = 0;
    tm converted{};
    EXPECT_EQ(_localtime64_s(nullptr, &zero), EINVAL);
    EXPECT_EQ(_localtime64_s(&converted, nullptr), EINVAL);
}

}  // namespace
