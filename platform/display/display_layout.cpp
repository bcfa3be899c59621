#include "display/display_layout.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <tuple>

#include "display/monitor_layout_text.h"
#include "display/sdl_displays.h"
#include "display/usual_modes.h"
#include "text/case_fold.h"

namespace platform::display {

namespace {

std::mutex g_mutex;
std::shared_ptr<const DisplayLayout> g_layout;   // guarded by g_mutex
std::vector<std::wstring> g_monitorNames;        // index + 1 is the HMONITOR; guarded

HMONITOR MonitorHandleFor(const std::wstring& deviceName) {
    const auto index = static_cast<uintptr_t>(
        std::find(g_monitorNames.begin(), g_monitorNames.end(), deviceName) - g_monitorNames.begin());
    if (index == g_monitorNames.size()) g_monitorNames.push_back(deviceName);
    return reinterpret_cast<HMONITOR>(index + 1);
}

bool CanBePrimary(const DisplayDeviceDescription& device) {
    return device.attachedToDesktop && !device.mirroring;
}

void ResolvePrimary(std::vector<DisplayDeviceDescription>& devices) {
    bool found = false;
    for (auto& device : devices) {
        device.primary = device.primary && CanBePrimary(device) && !found;
        found = found || device.primary;
    }
    if (found) return;
    const auto first = std::find_if(devices.begin(), devices.end(), CanBePrimary);
    if (first != devices.end()) first->primary = true;
}

// Windows puts the primary monitor's corner at the desktop origin.
void MovePrimaryToOrigin(std::vector<DisplayDeviceDescription>& devices) {
    const auto primary = std::find_if(devices.begin(), devices.end(),
                                      [](const auto& device) { return device.primary; });
    if (primary == devices.end()) return;
    const POINT shift{primary->rect.left, primary->rect.top};
    for (auto& device : devices) {
        device.rect = {device.rect.left - shift.x, device.rect.top - shift.y,
                       device.rect.right - shift.x, device.rect.bottom - shift.y};
    }
}

void CompleteModes(DisplayDeviceDescription& device) {
    const DisplayMode current{static_cast<DWORD>(device.rect.right - device.rect.left),
                              static_cast<DWORD>(device.rect.bottom - device.rect.top),
                              device.bitsPerPel, device.frequency};
    if (device.modes.empty()) device.modes = UsualDisplayModes(current);
    if (std::find(device.modes.begin(), device.modes.end(), current) == device.modes.end()) {
        device.modes.push_back(current);
    }
    const auto order = [](const DisplayMode& a, const DisplayMode& b) {
        return std::tie(a.bitsPerPel, a.width, a.height, a.frequency) <
               std::tie(b.bitsPerPel, b.width, b.height, b.frequency);
    };
    std::sort(device.modes.begin(), device.modes.end(), order);
    device.modes.erase(std::unique(device.modes.begin(), device.modes.end()), device.modes.end());
}

std::vector<DisplayDeviceDescription> MachineDisplayDevices() {
    if (const char* text = std::getenv("SAVER_MONITORS"); text && *text) {
        if (auto devices = ParseMonitorLayout(text)) return std::move(*devices);
        std::cerr << "SAVER_MONITORS: malformed layout \"" << text << "\", using the real displays\n";
    }
    return SdlDisplayDevices();
}

}  // namespace

const DisplayDevice* DisplayLayout::FindByName(std::wstring_view name) const {
    const auto same = [name](const DisplayDevice& device) {
        return std::equal(device.name.begin(), device.name.end(), name.begin(), name.end(),
                          [](wchar_t a, wchar_t b) { return UpperCaseChar(a) == UpperCaseChar(b); });
    };
    const auto found = std::find_if(devices.begin(), devices.end(), same);
    return found == devices.end() ? nullptr : &*found;
}

const DisplayDevice* DisplayLayout::FindByMonitor(HMONITOR monitor) const {
    if (!monitor) return nullptr;
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [monitor](const auto& device) { return device.monitor == monitor; });
    return found == devices.end() ? nullptr : &*found;
}

const DisplayDevice* DisplayLayout::Primary() const {
    const auto found = std::find_if(devices.begin(), devices.end(),
                                    [](const auto& device) { return device.description.primary; });
    return found == devices.end() ? nullptr : &*found;
}

DisplayLayout BuildDisplayLayout(std::vector<DisplayDeviceDescription> devices) {
    ResolvePrimary(devices);
    MovePrimaryToOrigin(devices);
    DisplayLayout layout;
    std::lock_guard lock(g_mutex);
    for (auto& description : devices) {
        CompleteModes(description);
        DisplayDevice device;
        device.name = L"\\\\.\\DISPLAY" + std::to_wstring(layout.devices.size() + 1);
        if (CanBePrimary(description)) device.monitor = MonitorHandleFor(device.name);
        device.description = std::move(description);
        layout.devices.push_back(std::move(device));
    }
    return layout;
}

std::shared_ptr<const DisplayLayout> CurrentDisplayLayout() {
    {
        std::lock_guard lock(g_mutex);
        if (g_layout) return g_layout;
    }
    auto layout = std::make_shared<const DisplayLayout>(BuildDisplayLayout(MachineDisplayDevices()));
    std::lock_guard lock(g_mutex);
    if (!g_layout) g_layout = std::move(layout);
    return g_layout;
}

}  // namespace platform::display

namespace platform::sim {

void SetDisplayDevices(std::vector<DisplayDeviceDescription> devices) {
    auto layout = std::make_shared<const display::DisplayLayout>(
        display::BuildDisplayLayout(std::move(devices)));
    std::lock_guard lock(display::g_mutex);
    display::g_layout = std::move(layout);
}

void ResetDisplayDevices() {
    std::lock_guard lock(display::g_mutex);
    display::g_layout.reset();
}

}  // namespace platform::sim
