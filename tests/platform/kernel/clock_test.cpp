#include <gtest/gtest.h>

#include <cstdint>

#include <windows.h>

#include "platform/kernel/clock.h"

namespace {

class FakeTimeSource : public platform::TimeSource {
public:
    int64_t NowNanoseconds() override { return now; }
    void SleepNanoseconds(int64_t duration) override { now += duration; }

    int64_t now = 0;
};

class SimulatedClock : public testing::Test {
protected:
    SimulatedClock() { platform::SetTimeSource(&source); }
    ~SimulatedClock() override { platform::SetTimeSource(nullptr); }

    FakeTimeSource source;
};

constexpr int64_t kMillisecond = 1'000'000;

TEST_F(SimulatedClock, PerformanceCounterTicksAtTenMegahertz) {
    source.now = 1'500'000'250;
    LARGE_INTEGER frequency{};
    LARGE_INTEGER count{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    ASSERT_TRUE(QueryPerformanceCounter(&count));
    EXPECT_EQ(frequency.QuadPart, 10'000'000);
    EXPECT_EQ(count.QuadPart, 15'000'002);
}

TEST_F(SimulatedClock, MillisecondsWrapAt32Bits) {
    source.now = ((int64_t{1} << 32) + 5) * kMillisecond + 900'000;
    EXPECT_EQ(GetTickCount(), 5u);
    EXPECT_EQ(timeGetTime(), 5u);
}

TEST_F(SimulatedClock, SleepAdvancesTheSourceInsteadOfWaiting) {
    source.now = 40 * kMillisecond;
    Sleep(250);
    EXPECT_EQ(source.now, 290 * kMillisecond);
    EXPECT_EQ(timeGetTime(), 290u);
}

TEST(RealClock, SleepWaitsOnTheMonotonicClock) {
    LARGE_INTEGER before{};
    LARGE_INTEGER after{};
    QueryPerformanceCounter(&before);
    const DWORD ticksBefore = GetTickCount();
    Sleep(30);
    QueryPerformanceCounter(&after);
    EXPECT_GE(after.QuadPart - before.QuadPart, 300'000);
    EXPECT_GE(GetTickCount() - ticksBefore, 29u);
    EXPECT_EQ(timeBeginPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));
    EXPECT_EQ(timeEndPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));
}

}  // namespace
