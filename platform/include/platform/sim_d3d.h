// The simulated machine's Direct3D adapters and device faults (tests only).
// Adapter n is the n-th display device on the desktop, the primary first;
// a description replaces what the real machine would report for it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <d3d9.h>

namespace platform::sim {

// A device fault, scheduled by the number of frames a device on the
// adapter has presented. Each fires once, on the device current then.
struct DeviceEvent {
    enum class Kind {
        Lost,          // TestCooperativeLevel: DEVICELOST for lostChecks calls, then DEVICENOTRESET
        NeedsReset,    // DEVICENOTRESET at once
        ResetFails,    // the next Reset fails with resetResult (the device stays not reset)
    };
    Kind kind = Kind::Lost;
    UINT afterFrames = 0;  // 0: before the first Present
    UINT lostChecks = 1;
    HRESULT resetResult = D3DERR_NOTAVAILABLE;
};

struct AdapterDescription {
    std::string description = "Simulated Direct3D 9 Adapter";
    std::string driver = "simd3d9.dll";
    DWORD vendorId = 0x1234;
    DWORD deviceId = 0x0001;
    std::optional<GUID> deviceIdentifier;  // none: derived from the description and device name
    bool hardwareDevice = true;             // false: D3DDEVTYPE_HAL is not available
    bool softwareDevice = false;            // true: D3DDEVTYPE_SW is, with software caps
    bool bumpEnvMap = true;                 // D3DTEXOPCAPS_BUMPENVMAP in TextureOpCaps
    bool v8u8Textures = true;               // CheckDeviceFormat for D3DFMT_V8U8 textures
    std::vector<D3DDISPLAYMODE> modes;      // empty: from the display device's modes
    // Depth-stencil formats CheckDeviceFormat refuses as surfaces, and those
    // CheckDepthStencilMatch refuses with every render target.
    std::vector<D3DFORMAT> missingDepthStencilSurfaces;
    std::vector<D3DFORMAT> missingDepthStencilMatches;
    std::vector<D3DDISPLAYMODE> failingModes;  // CreateDevice fails with a back buffer of these (refresh ignored)
    std::vector<DeviceEvent> events;
};

// Adapters beyond the list keep the real machine's description.
void SetAdapters(std::vector<AdapterDescription> adapters);
// Schedules one more event on adapter's devices.
void ScheduleDeviceEvent(UINT adapter, DeviceEvent event);
// Back to the real machine: no descriptions, no pending events.
void ResetAdapters();
// Whether devices created from now on run their GL work on a thread of
// their own (true) or on the calling thread; nullopt: as SAVER_DEVICE_QUEUE says.
void SetDeviceQueue(std::optional<bool> queue);

}  // namespace platform::sim
