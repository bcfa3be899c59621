// SAVER_RUN_SECONDS in a run that has no window at all, such as a preview
// whose parent does not exist: the run is told to quit.
#include <gtest/gtest.h>

#include <cstdlib>

#include <platform/sim_clock.h>
#include <windows.h>

namespace {

// Read when the message loop first runs.
const bool kLimitSet = setenv("SAVER_RUN_SECONDS", "2", 1) == 0;

TEST(RunLimit, WithoutAnyWindowTheRunIsToldToQuit) {
    ASSERT_TRUE(kLimitSet);
    platform::sim::ControlledClock clock;
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    clock.AdvanceMilliseconds(2000);
    EXPECT_EQ(GetMessageW(&message, nullptr, 0, 0), FALSE);
}

}  // namespace
