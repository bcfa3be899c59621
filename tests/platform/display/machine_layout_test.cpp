// The layout when no test describes one: SAVER_MONITORS, else SDL's
// displays (one 1024 by 768 display under the offscreen driver).
#include <gtest/gtest.h>

#include <cstdlib>

#include <windows.h>

#include "platform/sim_display.h"

namespace {

class MachineLayoutTest : public testing::Test {
protected:
    void TearDown() override {
        unsetenv("SAVER_MONITORS");
        platform::sim::ResetDisplayDevices();
    }

    static void UseMonitorsVariable(const char* value) {
        setenv("SAVER_MONITORS", value, 1);
        platform::sim::ResetDisplayDevices();
    }
};

DEVMODEW CurrentSettings(const wchar_t* device) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    EXPECT_TRUE(EnumDisplaySettingsW(device, ENUM_CURRENT_SETTINGS, &mode));
    return mode;
}

int AdapterCount() {
    DISPLAY_DEVICEW device{};
    device.cb = sizeof device;
    int count = 0;
    while (EnumDisplayDevicesW(nullptr, static_cast<DWORD>(count), &device, 0)) ++count;
    return count;
}

TEST_F(MachineLayoutTest, TheVariableDescribesTheMonitors) {
    UseMonitorsVariable("1920x1080,1280x1024+1920+0");
    ASSERT_EQ(AdapterCount(), 2);
    const DEVMODEW second = CurrentSettings(L"\\\\.\\DISPLAY2");
    EXPECT_EQ(second.dmPosition.x, 1920);
    EXPECT_EQ(second.dmPosition.y, 0);
    EXPECT_EQ(second.dmPelsWidth, 1280u);
    EXPECT_EQ(second.dmPelsHeight, 1024u);
    EXPECT_EQ(second.dmBitsPerPel, 32u);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint({100, 100}, MONITOR_DEFAULTTONULL), &info));
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
    EXPECT_EQ(info.rcMonitor.right, 1920);
}

TEST_F(MachineLayoutTest, AMalformedVariableLeavesTheRealDisplays) {
    UseMonitorsVariable("1920x1080,oops");
    ASSERT_EQ(AdapterCount(), 1);
    EXPECT_EQ(CurrentSettings(nullptr).dmPelsWidth, 1024u);
}

TEST_F(MachineLayoutTest, TheOffscreenDisplayIsOnePrimaryMonitorWithUsualModes) {
    ASSERT_EQ(AdapterCount(), 1);
    DISPLAY_DEVICEW adapter{};
    adapter.cb = sizeof adapter;
    ASSERT_TRUE(EnumDisplayDevicesW(nullptr, 0, &adapter, 0));
    EXPECT_EQ(adapter.StateFlags, DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_PRIMARY_DEVICE);
    EXPECT_NE(adapter.DeviceString[0], L'\0');
    const DEVMODEW current = CurrentSettings(adapter.DeviceName);
    EXPECT_EQ(current.dmPelsWidth, 1024u);
    EXPECT_EQ(current.dmPelsHeight, 768u);
    EXPECT_EQ(current.dmBitsPerPel, 32u);
    EXPECT_EQ(current.dmDisplayFrequency, 60u);

    std::vector<std::pair<DWORD, DWORD>> sizes;
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    for (DWORD i = 0; EnumDisplaySettingsW(adapter.DeviceName, i, &mode); ++i) {
        sizes.emplace_back(mode.dmPelsWidth, mode.dmPelsHeight);
    }
    const std::vector<std::pair<DWORD, DWORD>> expected{{640, 480}, {800, 600}, {1024, 768}};
    EXPECT_EQ(sizes, expected);
    EXPECT_NE(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTONULL), nullptr);
}

}  // namespace
