#include "platform/display/simulated_layout.h"

#include <string>

namespace display_test {
namespace {

using LayoutOfItsOwnTest = SimulatedMachineTest;

using DisplayDevicesTest = SimulatedLayoutTest;

DISPLAY_DEVICEW EmptyDisplayDevice() {
    DISPLAY_DEVICEW device{};
    device.cb = sizeof device;
    return device;
}

TEST_F(DisplayDevicesTest, ListsEveryAdapterWithItsStateUntilTheIndexRunsOut) {
    struct Expected {
        const wchar_t* string;
        DWORD flags;
    };
    const Expected expected[] = {
        {L"Adapter One", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_PRIMARY_DEVICE},
        {L"Mirror Driver", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP | DISPLAY_DEVICE_MIRRORING_DRIVER},
        {L"Adapter Off", 0},
        {L"Adapter Left", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP},
        {L"Adapter Unplugged", 0},
        {L"Adapter Row", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP},
        {L"Adapter Row", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP},
        {L"Adapter Row", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP},
        {L"Adapter Row", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP},
        {L"Adapter Row", DISPLAY_DEVICE_ATTACHED_TO_DESKTOP},
    };
    DWORD index = 0;
    for (const Expected& want : expected) {
        DISPLAY_DEVICEW device = EmptyDisplayDevice();
        ASSERT_TRUE(EnumDisplayDevicesW(nullptr, index, &device, 0)) << index;
        EXPECT_EQ(std::wstring(device.DeviceName), L"\\\\.\\DISPLAY" + std::to_wstring(index + 1));
        EXPECT_STREQ(device.DeviceString, want.string);
        EXPECT_EQ(device.StateFlags, want.flags) << index;
        ++index;
    }
    DISPLAY_DEVICEW device = EmptyDisplayDevice();
    EXPECT_FALSE(EnumDisplayDevicesW(nullptr, index, &device, 0));
}

TEST_F(DisplayDevicesTest, AnAdapterNameListsItsMonitorOnly) {
    DISPLAY_DEVICEW monitor = EmptyDisplayDevice();
    ASSERT_TRUE(EnumDisplayDevicesW(L"\\\\.\\DISPLAY1", 0, &monitor, 0));
    EXPECT_STREQ(monitor.DeviceName, L"\\\\.\\DISPLAY1\\Monitor0");
    EXPECT_STREQ(monitor.DeviceString, L"Wide Monitor");
    EXPECT_EQ(monitor.StateFlags, DISPLAY_DEVICE_ACTIVE | DISPLAY_DEVICE_ATTACHED);
    EXPECT_FALSE(EnumDisplayDevicesW(L"\\\\.\\DISPLAY1", 1, &monitor, 0));

    // Names compare without case; a monitor off the desktop is connected, not active.
    ASSERT_TRUE(EnumDisplayDevicesW(L"\\\\.\\display3", 0, &monitor, 0));
    EXPECT_STREQ(monitor.DeviceString, L"Generic PnP Monitor");
    EXPECT_EQ(monitor.StateFlags, DISPLAY_DEVICE_ATTACHED);

    EXPECT_FALSE(EnumDisplayDevicesW(L"\\\\.\\DISPLAY2", 0, &monitor, 0));  // mirroring driver
    EXPECT_FALSE(EnumDisplayDevicesW(L"\\\\.\\DISPLAY5", 0, &monitor, 0));  // nothing plugged in
    EXPECT_FALSE(EnumDisplayDevicesW(L"\\\\.\\DISPLAY11", 0, &monitor, 0));
    EXPECT_FALSE(EnumDisplayDevicesW(L"\\\\.\\DISPLAY1\\Monitor0", 0, &monitor, 0));
}

TEST_F(DisplayDevicesTest, RefusesARecordWithoutItsSize) {
    DISPLAY_DEVICEW device{};
    EXPECT_FALSE(EnumDisplayDevicesW(nullptr, 0, &device, 0));
    EXPECT_FALSE(EnumDisplayDevicesW(nullptr, 0, nullptr, 0));
    // The older, shorter record is filled up to its end.
    device.cb = offsetof(DISPLAY_DEVICEW, DeviceID);
    device.DeviceID[0] = L'x';
    ASSERT_TRUE(EnumDisplayDevicesW(nullptr, 0, &device, 0));
    EXPECT_STREQ(device.DeviceString, L"Adapter One");
    EXPECT_EQ(device.DeviceID[0], L'x');
}

DEVMODEW EmptyDevMode() {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    return mode;
}

TEST_F(DisplayDevicesTest, CurrentSettingsGivePositionSizeAndDepth) {
    struct Expected {
        const wchar_t* name;
        LONG x, y;
        DWORD width, height, bits, frequency;
    };
    const Expected expected[] = {
        {L"\\\\.\\DISPLAY1", 0, 0, 1920, 1080, 32, 60},
        {L"\\\\.\\DISPLAY4", -1280, 0, 1280, 1024, 16, 75},
        {L"\\\\.\\DISPLAY10", 1920 + 3200, 0, 800, 600, 32, 60},
        {nullptr, 0, 0, 1920, 1080, 32, 60},  // the primary
    };
    for (const Expected& want : expected) {
        DEVMODEW mode = EmptyDevMode();
        ASSERT_TRUE(EnumDisplaySettingsW(want.name, ENUM_CURRENT_SETTINGS, &mode));
        EXPECT_TRUE(mode.dmFields & DM_POSITION);
        EXPECT_TRUE(mode.dmFields & DM_PELSWIDTH);
        EXPECT_EQ(mode.dmPosition.x, want.x);
        EXPECT_EQ(mode.dmPosition.y, want.y);
        EXPECT_EQ(mode.dmPelsWidth, want.width);
        EXPECT_EQ(mode.dmPelsHeight, want.height);
        EXPECT_EQ(mode.dmBitsPerPel, want.bits);
        EXPECT_EQ(mode.dmDisplayFrequency, want.frequency);
        EXPECT_EQ(mode.dmSize, sizeof mode);
    }
    DEVMODEW mode = EmptyDevMode();
    EXPECT_FALSE(EnumDisplaySettingsW(L"\\\\.\\DISPLAY3", ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_FALSE(EnumDisplaySettingsW(L"\\\\.\\DISPLAY99", ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_FALSE(EnumDisplaySettingsW(L"\\\\.\\DISPLAY1", ENUM_CURRENT_SETTINGS, nullptr));
}

std::vector<DEVMODEW> ModeList(const wchar_t* name) {
    std::vector<DEVMODEW> modes;
    for (DEVMODEW mode = EmptyDevMode(); EnumDisplaySettingsW(name, static_cast<DWORD>(modes.size()), &mode);) {
        modes.push_back(mode);
    }
    return modes;
}

TEST_F(DisplayDevicesTest, TheModeListHoldsTheCurrentModeAndOnlyModesThatFit) {
    const auto modes = ModeList(L"\\\\.\\DISPLAY4");
    ASSERT_FALSE(modes.empty());
    bool current = false;
    for (const DEVMODEW& mode : modes) {
        EXPECT_LE(mode.dmPelsWidth, 1280u);
        EXPECT_LE(mode.dmPelsHeight, 1024u);
        EXPECT_FALSE(mode.dmFields & DM_POSITION);
        current = current || (mode.dmPelsWidth == 1280 && mode.dmPelsHeight == 1024 &&
                              mode.dmBitsPerPel == 16 && mode.dmDisplayFrequency == 75);
    }
    EXPECT_TRUE(current);
    EXPECT_EQ(modes.front().dmPelsWidth, 640u);
    EXPECT_EQ(modes.front().dmPelsHeight, 480u);
    // A device off the desktop still lists its modes.
    EXPECT_FALSE(ModeList(L"\\\\.\\DISPLAY3").empty());
}

TEST_F(LayoutOfItsOwnTest, ExplicitModesAreSortedAndGainTheCurrentMode) {
    auto device = Device(L"Adapter", {0, 0, 1024, 768});
    device.modes = {{800, 600, 32, 60}, {640, 480, 16, 60}, {800, 600, 32, 60}, {640, 480, 32, 60}};
    platform::sim::SetDisplayDevices({device});
    const auto modes = ModeList(L"\\\\.\\DISPLAY1");
    ASSERT_EQ(modes.size(), 4u);
    const DWORD want[][3] = {{640, 480, 16}, {640, 480, 32}, {800, 600, 32}, {1024, 768, 32}};
    for (size_t i = 0; i < modes.size(); ++i) {
        EXPECT_EQ(modes[i].dmPelsWidth, want[i][0]) << i;
        EXPECT_EQ(modes[i].dmPelsHeight, want[i][1]) << i;
        EXPECT_EQ(modes[i].dmBitsPerPel, want[i][2]) << i;
    }
}

}  // namespace
}  // namespace display_test
