// A simulated machine with ten display devices: a primary, a mirroring
// driver over it, an adapter output off the desktop, an output with no
// monitor, and six more monitors around the primary.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/sim_display.h"

// Found by argument-dependent lookup, next to RECT.
inline bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline void PrintTo(const RECT& r, std::ostream* out) {
    *out << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace display_test {

inline platform::DisplayDeviceDescription Device(const wchar_t* adapter, RECT rect) {
    platform::DisplayDeviceDescription device;
    device.adapterString = adapter;
    device.rect = rect;
    return device;
}

inline std::vector<platform::DisplayDeviceDescription> TenDevices() {
    std::vector<platform::DisplayDeviceDescription> devices;
    devices.push_back(Device(L"Adapter One", {0, 0, 1920, 1080}));
    devices.back().primary = true;
    devices.back().monitorString = L"Wide Monitor";
    devices.push_back(Device(L"Mirror Driver", {0, 0, 1920, 1080}));
    devices.back().mirroring = true;
    devices.push_back(Device(L"Adapter Off", {0, 0, 1024, 768}));
    devices.back().attachedToDesktop = false;
    devices.push_back(Device(L"Adapter Left", {-1280, 0, 0, 1024}));
    devices.back().bitsPerPel = 16;
    devices.back().frequency = 75;
    devices.push_back(Device(L"Adapter Unplugged", {0, 0, 800, 600}));
    devices.back().attachedToDesktop = false;
    devices.back().monitorString.clear();
    for (int i = 0; i < 5; ++i) {
        devices.push_back(Device(L"Adapter Row", {1920 + 800 * i, 0, 2720 + 800 * i, 600}));
    }
    return devices;
}

// Tests that describe their own machine; the real one comes back afterwards.
class SimulatedMachineTest : public testing::Test {
protected:
    void TearDown() override { platform::sim::ResetDisplayDevices(); }
};

class SimulatedLayoutTest : public SimulatedMachineTest {
protected:
    void SetUp() override { platform::sim::SetDisplayDevices(TenDevices()); }
};

inline RECT MonitorRect(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(GetMonitorInfoW(monitor, &info));
    return info.rcMonitor;
}

}  // namespace display_test
