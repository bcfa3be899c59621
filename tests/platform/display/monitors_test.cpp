#include "platform/display/simulated_layout.h"

#include <set>
#include <string>

namespace display_test {
namespace {

using LayoutOfItsOwnTest = SimulatedMachineTest;

using MonitorsTest = SimulatedLayoutTest;

HMONITOR FromRect(RECT rect, DWORD flags) { return MonitorFromRect(&rect, flags); }

// The monitor list a host builds: every display device but mirroring
// drivers, with the rectangle and monitor handle of those on the desktop.
struct ListedMonitor {
    std::wstring adapter;
    std::wstring monitor;
    RECT rect{};
    HMONITOR handle = nullptr;
};

std::vector<ListedMonitor> ListMonitorsAsAHostDoes() {
    std::vector<ListedMonitor> list;
    DISPLAY_DEVICEW adapter{};
    adapter.cb = sizeof adapter;
    for (DWORD n = 0; list.size() < 9 && EnumDisplayDevicesW(nullptr, n, &adapter, 0); ++n) {
        if (adapter.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) continue;
        ListedMonitor entry;
        entry.adapter = adapter.DeviceString;
        DISPLAY_DEVICEW monitor{};
        monitor.cb = sizeof monitor;
        if (EnumDisplayDevicesW(adapter.DeviceName, 0, &monitor, 0)) entry.monitor = monitor.DeviceString;
        if (adapter.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) {
            DEVMODEW mode{};
            mode.dmSize = sizeof mode;
            EXPECT_TRUE(EnumDisplaySettingsW(adapter.DeviceName, ENUM_CURRENT_SETTINGS, &mode));
            const bool primary = adapter.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE;
            const LONG x = primary ? 0 : mode.dmPosition.x;
            const LONG y = primary ? 0 : mode.dmPosition.y;
            entry.rect = {x, y, x + static_cast<LONG>(mode.dmPelsWidth), y + static_cast<LONG>(mode.dmPelsHeight)};
            entry.handle = MonitorFromRect(&entry.rect, MONITOR_DEFAULTTONULL);
        }
        list.push_back(entry);
    }
    return list;
}

TEST_F(MonitorsTest, AHostListsNineMonitorsWithoutTheMirroringDriver) {
    const auto list = ListMonitorsAsAHostDoes();
    ASSERT_EQ(list.size(), 9u);
    EXPECT_EQ(list[0].adapter, L"Adapter One");
    EXPECT_EQ(list[0].monitor, L"Wide Monitor");
    EXPECT_EQ(list[0].rect, (RECT{0, 0, 1920, 1080}));
    EXPECT_EQ(list[1].adapter, L"Adapter Off");
    EXPECT_EQ(list[1].handle, nullptr);
    EXPECT_EQ(list[2].rect, (RECT{-1280, 0, 0, 1024}));
    EXPECT_EQ(list[3].adapter, L"Adapter Unplugged");
    EXPECT_EQ(list[3].monitor, L"");
    EXPECT_EQ(list[3].handle, nullptr);
    EXPECT_EQ(list[8].rect, (RECT{5120, 0, 5920, 600}));

    std::set<HMONITOR> handles;
    for (const auto& entry : list) {
        if (!entry.handle) continue;
        handles.insert(entry.handle);
        EXPECT_EQ(MonitorRect(entry.handle), entry.rect);
    }
    EXPECT_EQ(handles.size(), 7u);
}

TEST_F(MonitorsTest, ARectangleBelongsToTheMonitorItOverlapsMost) {
    const HMONITOR primary = FromRect({0, 0, 1920, 1080}, MONITOR_DEFAULTTONULL);
    const HMONITOR left = FromRect({-1280, 0, 0, 1024}, MONITOR_DEFAULTTONULL);
    const HMONITOR row = FromRect({1920, 0, 2720, 600}, MONITOR_DEFAULTTONULL);
    ASSERT_NE(primary, nullptr);
    ASSERT_NE(left, nullptr);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(FromRect({-100, 10, 20, 50}, MONITOR_DEFAULTTONULL), left);
    EXPECT_EQ(FromRect({-20, 10, 100, 50}, MONITOR_DEFAULTTONULL), primary);
    EXPECT_EQ(FromRect({1800, 100, 2100, 200}, MONITOR_DEFAULTTONULL), row);
    // An empty rectangle is its corner; the right and bottom edges are outside.
    EXPECT_EQ(FromRect({1919, 5, 1919, 5}, MONITOR_DEFAULTTONULL), primary);
    EXPECT_EQ(MonitorFromPoint({1920, 5}, MONITOR_DEFAULTTONULL), row);
    EXPECT_EQ(MonitorFromPoint({-1, 1023}, MONITOR_DEFAULTTONULL), left);
    EXPECT_EQ(MonitorFromPoint({-1, 1024}, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromRect(nullptr, MONITOR_DEFAULTTONEAREST), nullptr);
}

TEST_F(MonitorsTest, OffTheDesktopTheFlagsChooseTheAnswer) {
    const HMONITOR primary = FromRect({0, 0, 10, 10}, MONITOR_DEFAULTTONULL);
    const HMONITOR left = FromRect({-10, 0, 0, 10}, MONITOR_DEFAULTTONULL);
    const HMONITOR last = FromRect({5919, 0, 5920, 10}, MONITOR_DEFAULTTONULL);
    ASSERT_NE(primary, nullptr);
    ASSERT_NE(left, nullptr);
    ASSERT_NE(last, nullptr);
    ASSERT_NE(left, last);
    const RECT below{-1000, 5000, -900, 5100};
    EXPECT_EQ(FromRect(below, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(FromRect(below, MONITOR_DEFAULTTOPRIMARY), primary);
    EXPECT_EQ(FromRect(below, MONITOR_DEFAULTTONEAREST), left);
    EXPECT_EQ(MonitorFromPoint({9000, 300}, MONITOR_DEFAULTTONEAREST), last);
    EXPECT_EQ(MonitorFromPoint({LONG(0x7FFFFFFF), LONG(0x7FFFFFFF)}, MONITOR_DEFAULTTONEAREST), last);
    EXPECT_EQ(MonitorFromPoint({LONG(-0x7FFFFFFF - 1), 0}, MONITOR_DEFAULTTONEAREST), left);
}

TEST_F(MonitorsTest, MonitorInfoGivesRectangleFlagsAndDeviceName) {
    const HMONITOR left = MonitorFromPoint({-5, 5}, MONITOR_DEFAULTTONULL);
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(left, &info));
    EXPECT_EQ(info.rcMonitor, (RECT{-1280, 0, 0, 1024}));
    EXPECT_EQ(info.rcWork, info.rcMonitor);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_STREQ(info.szDevice, L"\\\\.\\DISPLAY4");

    MONITORINFO plain{};
    plain.cbSize = sizeof plain;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint({5, 5}, MONITOR_DEFAULTTONULL), &plain));
    EXPECT_EQ(plain.dwFlags, MONITORINFOF_PRIMARY);

    plain.cbSize = sizeof plain + 1;
    EXPECT_FALSE(GetMonitorInfoW(left, &plain));
    plain.cbSize = sizeof plain;
    EXPECT_FALSE(GetMonitorInfoW(nullptr, &plain));
    EXPECT_FALSE(GetMonitorInfoW(reinterpret_cast<HMONITOR>(uintptr_t{0xBAD0}), &plain));
    EXPECT_FALSE(GetMonitorInfoW(left, nullptr));
}

TEST_F(LayoutOfItsOwnTest, ThePrimaryMovesToTheOriginWhereverItIsListed) {
    std::vector<platform::DisplayDeviceDescription> devices;
    devices.push_back(Device(L"Second", {100, 100, 900, 700}));
    devices.push_back(Device(L"Main", {900, 200, 1924, 968}));
    devices.back().primary = true;
    platform::sim::SetDisplayDevices(devices);

    DISPLAY_DEVICEW adapter{};
    adapter.cb = sizeof adapter;
    ASSERT_TRUE(EnumDisplayDevicesW(nullptr, 1, &adapter, 0));
    EXPECT_EQ(adapter.StateFlags, DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_PRIMARY_DEVICE);
    EXPECT_EQ(MonitorRect(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTONULL)), (RECT{0, 0, 1024, 768}));
    EXPECT_EQ(MonitorRect(MonitorFromPoint({-1, 0}, MONITOR_DEFAULTTONULL)), (RECT{-800, -100, 0, 500}));
}

TEST_F(LayoutOfItsOwnTest, WithoutAnAttachedPrimaryTheFirstDesktopDeviceIsPrimary) {
    std::vector<platform::DisplayDeviceDescription> devices;
    devices.push_back(Device(L"Mirror", {0, 0, 800, 600}));
    devices.back().mirroring = true;
    devices.back().primary = true;  // a mirroring driver cannot be the primary
    devices.push_back(Device(L"Real", {0, 0, 800, 600}));
    platform::sim::SetDisplayDevices(devices);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTONULL), &info));
    EXPECT_EQ(info.dwFlags, MONITORINFOF_PRIMARY);
    DISPLAY_DEVICEW adapter{};
    adapter.cb = sizeof adapter;
    ASSERT_TRUE(EnumDisplayDevicesW(nullptr, 0, &adapter, 0));
    EXPECT_EQ(adapter.StateFlags, DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_MIRRORING_DRIVER);
}

TEST_F(LayoutOfItsOwnTest, AHandleStaysWithItsDeviceAcrossLayouts) {
    platform::sim::SetDisplayDevices(TenDevices());
    const HMONITOR fourth = MonitorFromPoint({-5, 5}, MONITOR_DEFAULTTONULL);
    platform::sim::SetDisplayDevices({Device(L"Only", {0, 0, 640, 480})});
    EXPECT_FALSE(GetMonitorInfoW(fourth, nullptr));
    MONITORINFO info{};
    info.cbSize = sizeof info;
    EXPECT_FALSE(GetMonitorInfoW(fourth, &info));  // gone with its device
    platform::sim::SetDisplayDevices(TenDevices());
    EXPECT_EQ(MonitorFromPoint({-5, 5}, MONITOR_DEFAULTTONULL), fourth);
}

}  // namespace
}  // namespace display_test
