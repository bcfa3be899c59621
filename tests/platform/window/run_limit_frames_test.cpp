// SAVER_CAPTURE_FRAMES: after that many frames shown, the run ends as a user
// would end it.
#include <gtest/gtest.h>

#include <cstdlib>

#include <platform/sim_input.h>
#include <windows.h>

#include "platform/window/recording_window.h"
#include "window/run_limit.h"

namespace {

using namespace window_test;

// Read when the first frame is counted.
const bool kLimitSet = setenv("SAVER_CAPTURE_FRAMES", "3", 1) == 0;

// Whatever the display had to say about the new windows, unpainted, so that
// only the test's own paints count as frames.
void DiscardPending() {
    SettleDisplay();
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        if (message.message == WM_PAINT) ValidateRect(message.hwnd, nullptr);
}

void PaintOnce(HWND window) {
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

TEST(RunLimit, AfterTheFramesOfEveryUnitAKeyPressThenEveryWindowCloses) {
    ASSERT_TRUE(kLimitSet);
    WindowTest windows;
    HWND first = CreateTopLevel(WS_POPUP | WS_VISIBLE);
    HWND second = CreateTopLevel(WS_POPUP | WS_VISIBLE, {300, 0, 400, 100});
    platform::sim::FocusWindow(first);
    DiscardPending();
    MSG message;

    // While a device presents, its frames are the ones that count.
    const int device = 0;
    platform::NoteFramePresented(&device);
    for (int i = 0; i < 3; ++i) PaintOnce(first);
    PaintOnce(second);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    platform::NoteDeviceGone(&device);

    // Then every window's paints: the first has shown three, the second
    // must show its own three too.
    PaintOnce(first);
    PaintOnce(second);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    HWND third = CreateTopLevel(WS_POPUP | WS_VISIBLE, {500, 0, 600, 100});
    DiscardPending();
    PaintOnce(third);
    PaintOnce(third);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    DestroyWindow(third);  // a window that is gone does not hold the run

    Log().clear();
    PaintOnce(second);
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_KEYDOWN);
    EXPECT_EQ(message.hwnd, first);
    EXPECT_EQ(message.wParam, VK_ESCAPE);
    DispatchMessageW(&message);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    std::vector<HWND> closed;
    for (const Received& received : Messages(WM_SYSCOMMAND)) {
        EXPECT_EQ(received.wParam, SC_CLOSE);
        closed.push_back(received.window);
    }
    EXPECT_EQ(closed, (std::vector<HWND>{first, second}));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_FALSE(IsWindow(second));

    // The ending happens once.
    HWND later = CreateTopLevel(WS_POPUP | WS_VISIBLE);
    DiscardPending();
    PaintOnce(later);
    PaintOnce(later);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(IsWindow(later));
}

}  // namespace
