#include "d3d9/adapters.h"

#include <algorithm>
#include <tuple>

#include "d3d9/formats.h"
#include "d3d9/sim_adapters.h"
#include "display/display_layout.h"

namespace platform::d3d9 {
namespace {

bool ModeOrder(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) {
    return std::tie(a.Format, a.Width, a.Height, a.RefreshRate) <
           std::tie(b.Format, b.Width, b.Height, b.RefreshRate);
}

bool SameMode(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) {
    return !ModeOrder(a, b) && !ModeOrder(b, a);
}

// Every display mode in both display formats, as drivers list them.
std::vector<D3DDISPLAYMODE> ModesOfDisplay(const DisplayDeviceDescription& display) {
    std::vector<D3DDISPLAYMODE> modes;
    for (const DisplayMode& mode : display.modes) {
        for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5}) {
            modes.push_back({mode.width, mode.height, mode.frequency, format});
        }
    }
    return modes;
}

Adapter AdapterOfDisplay(UINT ordinal, const display::DisplayDevice& display) {
    Adapter adapter;
    adapter.ordinal = ordinal;
    adapter.deviceName = display.name;
    adapter.monitor = display.monitor;
    const RECT& rect = display.description.rect;
    adapter.desktopMode = {static_cast<UINT>(rect.right - rect.left), static_cast<UINT>(rect.bottom - rect.top),
                           display.description.frequency, DisplayFormatOfBits(display.description.bitsPerPel)};
    if (auto simulated = SimulatedAdapter(ordinal)) {
        adapter.simulated = true;
        adapter.description = std::move(*simulated);
    }
    adapter.modes = adapter.description.modes.empty() ? ModesOfDisplay(display.description)
                                                      : adapter.description.modes;
    adapter.modes.push_back(adapter.desktopMode);
    std::sort(adapter.modes.begin(), adapter.modes.end(), ModeOrder);
    adapter.modes.erase(std::unique(adapter.modes.begin(), adapter.modes.end(), SameMode), adapter.modes.end());
    return adapter;
}

}  // namespace

bool Adapter::Offers(D3DDEVTYPE type) const {
    if (type == D3DDEVTYPE_HAL) return description.hardwareDevice;
    if (type == D3DDEVTYPE_SW) return description.softwareDevice;
    return false;
}

bool Adapter::HasMode(UINT width, UINT height, D3DFORMAT format) const {
    return std::any_of(modes.begin(), modes.end(), [&](const D3DDISPLAYMODE& mode) {
        return mode.Width == width && mode.Height == height && mode.Format == format;
    });
}

bool Adapter::FailsToCreate(UINT width, UINT height, D3DFORMAT format) const {
    const auto& failing = description.failingModes;
    return std::any_of(failing.begin(), failing.end(), [&](const D3DDISPLAYMODE& mode) {
        return mode.Width == width && mode.Height == height && mode.Format == format;
    });
}

std::vector<Adapter> CurrentAdapters() {
    const auto layout = display::CurrentDisplayLayout();
    std::vector<const display::DisplayDevice*> displays;
    for (const auto& device : layout->devices) {
        if (device.monitor && device.description.attachedToDesktop && !device.description.mirroring) {
            displays.push_back(&device);
        }
    }
    std::stable_partition(displays.begin(), displays.end(),
                          [](const display::DisplayDevice* device) { return device->description.primary; });
    std::vector<Adapter> adapters;
    for (const display::DisplayDevice* display : displays) {
        adapters.push_back(AdapterOfDisplay(static_cast<UINT>(adapters.size()), *display));
    }
    return adapters;
}

}  // namespace platform::d3d9
