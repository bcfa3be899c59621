#include "platform/display/simulated_layout.h"
#include "platform/window/recording_window.h"

namespace display_test {
namespace {

class MonitorFromWindowTest : public SimulatedLayoutTest {
protected:
    static HWND Window(RECT rect) { return window_test::CreateTopLevel(WS_POPUP, rect); }

    window_test::WindowTest windows_;
};

TEST_F(MonitorFromWindowTest, AWindowBelongsToTheMonitorItOverlapsMost) {
    const HMONITOR primary = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTONULL);
    const HMONITOR left = MonitorFromPoint({-1, 0}, MONITOR_DEFAULTTONULL);
    const HMONITOR row = MonitorFromPoint({1920, 0}, MONITOR_DEFAULTTONULL);
    EXPECT_EQ(MonitorFromWindow(Window({-1280, 0, 0, 1024}), MONITOR_DEFAULTTONULL), left);
    EXPECT_EQ(MonitorFromWindow(Window({1800, 100, 2100, 200}), MONITOR_DEFAULTTONULL), row);
    EXPECT_EQ(MonitorFromWindow(Window({-100, 100, 300, 200}), MONITOR_DEFAULTTONEAREST), primary);
}

TEST_F(MonitorFromWindowTest, OffTheDesktopOrGoneTheFlagsDecide) {
    const HMONITOR primary = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTONULL);
    const HMONITOR left = MonitorFromPoint({-1, 0}, MONITOR_DEFAULTTONULL);
    const HWND below = Window({-1300, 1100, -1290, 1110});
    EXPECT_EQ(MonitorFromWindow(below, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromWindow(below, MONITOR_DEFAULTTOPRIMARY), primary);
    EXPECT_EQ(MonitorFromWindow(below, MONITOR_DEFAULTTONEAREST), left);

    const HWND gone = Window({0, 0, 10, 10});
    ASSERT_TRUE(DestroyWindow(gone));
    EXPECT_EQ(MonitorFromWindow(gone, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromWindow(gone, MONITOR_DEFAULTTOPRIMARY), primary);
    EXPECT_EQ(MonitorFromWindow(nullptr, MONITOR_DEFAULTTONEAREST), primary);
}

}  // namespace
}  // namespace display_test
