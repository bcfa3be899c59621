// The display layout as a description: what the real displays, the
// SAVER_MONITORS variable or a test say the machine has. Tests use the
// simulated machine below to describe monitors and display devices.
#pragma once

#include <string>
#include <vector>

#include <windef.h>

namespace platform {

struct DisplayMode {
    DWORD width = 0;
    DWORD height = 0;
    DWORD bitsPerPel = 32;
    DWORD frequency = 60;

    bool operator==(const DisplayMode&) const = default;
};

// One display adapter output and the monitor on it.
struct DisplayDeviceDescription {
    std::wstring adapterString;  // the adapter's DeviceString
    std::wstring monitorString = L"Generic PnP Monitor";  // empty: no monitor connected
    RECT rect{};  // desktop coordinates of the current mode
    bool attachedToDesktop = true;
    bool primary = false;
    bool mirroring = false;
    DWORD bitsPerPel = 32;
    DWORD frequency = 60;
    std::vector<DisplayMode> modes;  // empty: the usual modes up to the monitor's size
};

namespace sim {

// Replaces the machine's display devices, in enumeration order. Without a
// primary the first attached device that is not a mirroring driver is.
void SetDisplayDevices(std::vector<DisplayDeviceDescription> devices);
// Back to SAVER_MONITORS (read again) or the real displays.
void ResetDisplayDevices();

}  // namespace sim
}  // namespace platform
