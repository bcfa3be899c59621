// The current display layout as the Windows display functions and
// Direct3D see it: display devices in enumeration order, each with its
// device name, desktop rectangle, primary flag, mode list and monitor.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <windef.h>

#include "platform/sim_display.h"

namespace platform::display {

struct DisplayDevice {
    std::wstring name;  // \\.\DISPLAYn
    DisplayDeviceDescription description;  // primary resolved, modes filled in, sorted
    HMONITOR monitor = nullptr;  // none when detached or a mirroring driver
};

struct DisplayLayout {
    std::vector<DisplayDevice> devices;

    const DisplayDevice* FindByName(std::wstring_view name) const;  // case-insensitive
    const DisplayDevice* FindByMonitor(HMONITOR monitor) const;
    const DisplayDevice* Primary() const;
};

// The layout in force: the simulated one, else SAVER_MONITORS, else SDL's
// displays. Built on first use.
std::shared_ptr<const DisplayLayout> CurrentDisplayLayout();

// Turns descriptions into a layout: one primary, the primary's corner at
// (0, 0), the current mode in every mode list, and monitor handles that
// stay the same for a device name for the whole process.
DisplayLayout BuildDisplayLayout(std::vector<DisplayDeviceDescription> devices);

}  // namespace platform::display
