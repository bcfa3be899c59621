// SAVER_RUN_SECONDS: after that many seconds, the run ends as a user would
// end it, whatever was shown.
#include <gtest/gtest.h>

#include <cstdlib>

#include <platform/sim_clock.h>
#include <windows.h>

#include "platform/window/recording_window.h"

namespace {

using namespace window_test;

// Read when the message loop first runs.
const bool kLimitSet = setenv("SAVER_RUN_SECONDS", "2", 1) == 0;

TEST(RunLimit, AfterTheSecondsAKeyPressThenEveryWindowCloses) {
    ASSERT_TRUE(kLimitSet);
    platform::sim::ControlledClock clock;
    WindowTest windows;
    HWND window = CreateTopLevel(WS_POPUP);
    // Swallows the close button, as the full-screen saver does; the key
    // press is what ends that one.
    SetOverride([](HWND, UINT message, WPARAM, LPARAM, LRESULT*) { return message == WM_SYSCOMMAND; });
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    clock.AdvanceMilliseconds(1999);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    clock.AdvanceMilliseconds(1);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_KEYDOWN);
    EXPECT_EQ(message.hwnd, window);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(Messages(WM_SYSCOMMAND).size(), 1u);
    EXPECT_TRUE(IsWindow(window));
}

}  // namespace
