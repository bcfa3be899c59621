#include "host/display_modes.h"

#include <cstdint>
#include <cstring>

int CompareDisplayModes(const D3DDISPLAYMODE& a, const D3DDISPLAYMODE& b) {
    if (a.Width != b.Width) return a.Width < b.Width ? -1 : 1;
    if (a.Height != b.Height) return a.Height < b.Height ? -1 : 1;
    if (a.Format != b.Format) return a.Format > b.Format ? -1 : 1;
    return 0;
}

bool Is32BitFormat(DWORD format) { return format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8; }

bool StepDownDisplayMode(DeviceRecord& device) {
    const DeviceMode current = device.modes[device.chosenMode];
    const uint64_t currentPixels = uint64_t{current.width} * current.height;
    int pick = -1;
    for (UINT i = 0; i < device.modeCount; ++i) {
        if (i == device.chosenMode) continue;
        const DeviceMode& mode = device.modes[i];
        // From a 32-bit mode the same size in fewer bits comes first.
        if (Is32BitFormat(current.format) && mode.width == current.width && mode.height == current.height &&
            !Is32BitFormat(mode.format)) {
            pick = static_cast<int>(i);
            break;
        }
        const uint64_t pixels = uint64_t{mode.width} * mode.height;
        if (pixels >= currentPixels) continue;
        if (pick < 0) {
            pick = static_cast<int>(i);
            continue;
        }
        const DeviceMode& picked = device.modes[pick];
        const uint64_t pickedPixels = uint64_t{picked.width} * picked.height;
        if (pixels > pickedPixels || (!Is32BitFormat(picked.format) && Is32BitFormat(mode.format)))
            pick = static_cast<int>(i);
    }
    if (pick < 0) return false;
    device.chosenMode = static_cast<UINT>(pick);
    return true;
}

bool AdapterIdEquals(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
