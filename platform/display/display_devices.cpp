// EnumDisplayDevicesW and EnumDisplaySettingsW over the current layout.
#include <windows.h>

#include <cstddef>
#include <cstring>

#include "display/display_layout.h"
#include "display/fixed_text.h"

using platform::display::CopyToField;
using platform::display::CurrentDisplayLayout;
using platform::display::DisplayDevice;

namespace {

constexpr WORD kDevModeSpecVersion = 0x0401;
constexpr DWORD kModeFields =
    DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFLAGS | DM_DISPLAYFREQUENCY;

DWORD AdapterStateFlags(const platform::DisplayDeviceDescription& device) {
    return (device.attachedToDesktop ? DISPLAY_DEVICE_ATTACHED_TO_DESKTOP : 0u) |
           (device.primary ? DISPLAY_DEVICE_PRIMARY_DEVICE : 0u) |
           (device.mirroring ? DISPLAY_DEVICE_MIRRORING_DRIVER : 0u);
}

bool HasMonitor(const platform::DisplayDeviceDescription& device) {
    return !device.mirroring && !device.monitorString.empty();
}

void FillDevMode(const DisplayDevice& device, const platform::DisplayMode& mode, DEVMODEW& devMode) {
    std::memset(&devMode, 0, sizeof devMode);
    CopyToField(devMode.dmDeviceName, device.description.adapterString);
    devMode.dmSpecVersion = kDevModeSpecVersion;
    devMode.dmSize = sizeof devMode;
    devMode.dmFields = kModeFields;
    devMode.dmBitsPerPel = mode.bitsPerPel;
    devMode.dmPelsWidth = mode.width;
    devMode.dmPelsHeight = mode.height;
    devMode.dmDisplayFrequency = mode.frequency;
}

}  // namespace

extern "C" BOOL WINAPI EnumDisplayDevicesW(LPCWSTR device, DWORD deviceIndex,
                                           PDISPLAY_DEVICEW displayDevice, DWORD /*flags*/) {
    // Callers built for an older record stop before DeviceID.
    if (!displayDevice || displayDevice->cb < offsetof(DISPLAY_DEVICEW, DeviceID)) return FALSE;
    const auto layout = CurrentDisplayLayout();
    std::wstring name;
    std::wstring_view description;
    DWORD stateFlags = 0;
    if (!device) {
        if (deviceIndex >= layout->devices.size()) return FALSE;
        const DisplayDevice& adapter = layout->devices[deviceIndex];
        name = adapter.name;
        description = adapter.description.adapterString;
        stateFlags = AdapterStateFlags(adapter.description);
    } else {
        const DisplayDevice* adapter = layout->FindByName(device);
        if (!adapter || deviceIndex != 0 || !HasMonitor(adapter->description)) return FALSE;
        name = adapter->name + L"\\Monitor0";
        description = adapter->description.monitorString;
        stateFlags = DISPLAY_DEVICE_ATTACHED |
                     (adapter->description.attachedToDesktop ? DISPLAY_DEVICE_ACTIVE : 0u);
    }
    CopyToField(displayDevice->DeviceName, name);
    CopyToField(displayDevice->DeviceString, description);
    displayDevice->StateFlags = stateFlags;
    if (displayDevice->cb >= sizeof(DISPLAY_DEVICEW)) {
        CopyToField(displayDevice->DeviceID, L"");
        CopyToField(displayDevice->DeviceKey, L"");
    }
    return TRUE;
}

extern "C" BOOL WINAPI EnumDisplaySettingsW(LPCWSTR deviceName, DWORD modeIndex, DEVMODEW* devMode) {
    if (!devMode) return FALSE;
    const auto layout = CurrentDisplayLayout();
    const DisplayDevice* device = deviceName ? layout->FindByName(deviceName) : layout->Primary();
    if (!device) return FALSE;
    const auto& description = device->description;
    if (modeIndex == ENUM_CURRENT_SETTINGS || modeIndex == ENUM_REGISTRY_SETTINGS) {
        // A device off the desktop has no current mode.
        if (!description.attachedToDesktop) return FALSE;
        const RECT& rect = description.rect;
        FillDevMode(*device,
                    {static_cast<DWORD>(rect.right - rect.left), static_cast<DWORD>(rect.bottom - rect.top),
                     description.bitsPerPel, description.frequency},
                    *devMode);
        devMode->dmFields |= DM_POSITION;
        devMode->dmPosition = {rect.left, rect.top};
        return TRUE;
    }
    if (modeIndex >= description.modes.size()) return FALSE;
    FillDevMode(*device, description.modes[modeIndex], *devMode);
    return TRUE;
}
