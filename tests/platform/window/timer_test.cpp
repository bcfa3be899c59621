// Window timers on the simulated clock.
#include <gtest/gtest.h>

#include <platform/sim_clock.h>
#include <windows.h>

#include "platform/window/recording_window.h"

namespace {

using namespace window_test;

class Timers : public ::testing::Test {
protected:
    Timers() { window_ = CreateTopLevel(WS_POPUP); }

    int CountTimerMessages() {
        int count = 0;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message == WM_TIMER && message.hwnd == window_ && message.wParam == 1) ++count;
        return count;
    }

    WindowTest windows_;
    platform::sim::ControlledClock clock_;
    HWND window_;
};

TEST_F(Timers, NeverFiresEarly) {
    ASSERT_NE(SetTimer(window_, 1, 500, nullptr), 0u);
    clock_.AdvanceMilliseconds(499);
    EXPECT_EQ(CountTimerMessages(), 0);
    clock_.AdvanceMilliseconds(1);
    EXPECT_EQ(CountTimerMessages(), 1);
    clock_.AdvanceMilliseconds(499);
    EXPECT_EQ(CountTimerMessages(), 0);
    clock_.AdvanceMilliseconds(1);
    EXPECT_EQ(CountTimerMessages(), 1);
}

TEST_F(Timers, MissedPeriodsMergeIntoOne) {
    SetTimer(window_, 1, 500, nullptr);
    clock_.AdvanceMilliseconds(2600);  // busy for five periods
    EXPECT_EQ(CountTimerMessages(), 1);
    // The timer keeps its rhythm: the next period ends at 3000.
    clock_.AdvanceMilliseconds(399);
    EXPECT_EQ(CountTimerMessages(), 0);
    clock_.AdvanceMilliseconds(1);
    EXPECT_EQ(CountTimerMessages(), 1);
}

TEST_F(Timers, StopsAtKillTimerAndWithTheWindow) {
    SetTimer(window_, 1, 500, nullptr);
    EXPECT_TRUE(KillTimer(window_, 1));
    EXPECT_FALSE(KillTimer(window_, 1));
    clock_.AdvanceMilliseconds(1000);
    EXPECT_EQ(CountTimerMessages(), 0);
    SetTimer(window_, 1, 500, nullptr);
    DestroyWindow(window_);
    clock_.AdvanceMilliseconds(1000);
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(SetTimer(window_, 1, 500, nullptr), 0u);
}

TEST_F(Timers, SettingAgainRestartsThePeriod) {
    SetTimer(window_, 1, 500, nullptr);
    clock_.AdvanceMilliseconds(400);
    SetTimer(window_, 1, 500, nullptr);
    clock_.AdvanceMilliseconds(400);
    EXPECT_EQ(CountTimerMessages(), 0);
    clock_.AdvanceMilliseconds(100);
    EXPECT_EQ(CountTimerMessages(), 1);
}

TEST_F(Timers, GetMessageMovesTheClockToTheNextTimer) {
    const int64_t start = clock_.NowNanoseconds();
    SetTimer(window_, 1, 500, nullptr);
    MSG message;
    ASSERT_TRUE(GetMessageW(&message, window_, 0, 0));
    EXPECT_EQ(message.message, WM_TIMER);
    EXPECT_EQ(clock_.NowNanoseconds() - start, 500'000'000);
}

TEST_F(Timers, TimerProceduresAreRefused) {
    auto procedure = [](HWND, UINT, UINT_PTR, DWORD) {};
    EXPECT_EQ(SetTimer(window_, 1, 500, procedure), 0u);
    clock_.AdvanceMilliseconds(1000);
    EXPECT_EQ(CountTimerMessages(), 0);
}

TEST(ControlledClock, DrivesTheWindowsClockFunctionsAndSleep) {
    platform::sim::ControlledClock clock(5'000'000'000);
    LARGE_INTEGER frequency{}, before{}, after{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    QueryPerformanceCounter(&before);
    const DWORD milliseconds = timeGetTime();
    EXPECT_EQ(milliseconds, 5000u);
    Sleep(30);
    QueryPerformanceCounter(&after);
    EXPECT_EQ(timeGetTime() - milliseconds, 30u);
    EXPECT_EQ((after.QuadPart - before.QuadPart) * 1000 / frequency.QuadPart, 30);
    clock.AdvanceMilliseconds(1000);
    EXPECT_EQ(timeGetTime(), 6030u);
    EXPECT_EQ(GetTickCount(), 6030u);
}

}  // namespace
