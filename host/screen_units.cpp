// One Direct3D device per monitor in use: the choice of device kind,
// display mode and formats, and the creation of the units.
#include <algorithm>

#include "host/d3d_screensaver.h"
#include "host/display_modes.h"
#include "host/host_errors.h"

namespace {

bool Is16BitFormat(DWORD format) {
    return format == D3DFMT_R5G6B5 || format == D3DFMT_X1R5G5B5 || format == D3DFMT_A1R5G5B5 ||
           format == D3DFMT_A4R4G4B4 || format == D3DFMT_X4R4G4B4;
}

// The automatic full-screen mode of a device.
UINT AutomaticMode(const DeviceRecord& device, const D3DDISPLAYMODE& desktop) {
    UINT chosen = 0;
    if (device.kind == D3DDEVTYPE_SW) {
        int pick = -1;
        for (UINT i = 0; i < device.modeCount; ++i) {
            const DeviceMode& mode = device.modes[i];
            if (mode.height == 400) continue;
            if (pick < 0 || mode.height < device.modes[pick].height ||
                (mode.height == device.modes[pick].height && Is16BitFormat(mode.format) &&
                 !Is16BitFormat(device.modes[pick].format)))
                pick = static_cast<int>(i);
        }
        if (pick >= 0) chosen = static_cast<UINT>(pick);
        return chosen;
    }
    bool desktopSizeFound = false;
    for (UINT i = 0; i < device.modeCount; ++i) {
        const DeviceMode& mode = device.modes[i];
        if (mode.width != desktop.Width || mode.height != desktop.Height) continue;
        if (!desktopSizeFound) {
            chosen = i;
            desktopSizeFound = true;
        }
        if (Is32BitFormat(mode.format)) return i;
    }
    return chosen;
}

// The saved mode when the device has it, else the automatic one.
UINT StartingMode(const DeviceRecord& device, const AdapterRecord& adapter) {
    for (UINT i = 0; i < device.modeCount; ++i) {
        const DeviceMode& mode = device.modes[i];
        if (mode.width == adapter.savedWidth && mode.height == adapter.savedHeight &&
            mode.format == adapter.savedFormat)
            return i;
    }
    return AutomaticMode(device, adapter.desktopMode);
}

}  // namespace

int CD3DScreensaver::PickWindowedAdapter() const {
    int software = -1;
    for (int m = 0; m < monitorCount_; ++m) {
        const int a = monitors_[m].adapterIndex;
        if (a < 0) continue;
        if (adapters_[a]->hardwareUsable) return a;
        if (adapters_[a]->softwareUsable) software = a;
    }
    return software;
}

ScreenUnit& CD3DScreensaver::AddScreenUnit(UINT adapterIndex, int monitorIndex) {
    ScreenUnit& unit = units_[unitCount_++];
    unit.adapterIndex = adapterIndex;
    unit.monitorIndex = monitorIndex;
    unit.kind = D3DDEVTYPE_HAL;
    unit.behavior = 0;
    unit.device.Reset();
    unit.presentParameters = D3DPRESENT_PARAMETERS{};
    unit.deviceObjectsCreated = false;
    unit.deviceObjectsActive = false;
    return unit;
}

void CD3DScreensaver::RemoveLastScreenUnit() { units_[--unitCount_].device.Reset(); }

HRESULT CD3DScreensaver::CreateScreenUnits() {
    HRESULT error = S_OK;
    if (mode_ == kModePreview || mode_ == kModeTest) {
        windowed_ = true;
        renderRect_ = clientRect_;
        const int a = PickWindowedAdapter();
        if (a < 0) {
            error = kErrorNoDevice;
        } else {
            adapters_[a]->window = mainWindow_;
            ScreenUnit& unit = AddScreenUnit(static_cast<UINT>(a), adapters_[a]->monitorIndex);
            if (FAILED(CreateWindowedUnit(unit))) {
                RemoveLastScreenUnit();
                error = mode_ == kModePreview ? kErrorNoPreview : kErrorNoDevice;
            }
        }
    } else {
        for (int m = 0; m < monitorCount_; ++m) {
            const int a = monitors_[m].adapterIndex;
            if (a < 0) continue;
            AdapterRecord& adapter = *adapters_[a];
            if (adapter.disableHardware && !adapter.softwareUsable) adapter.leaveBlack = 1;
            if (adapter.leaveBlack || adapter.deviceCount == 0) continue;
            adapter.window = monitors_[m].window;
            ScreenUnit& unit = AddScreenUnit(static_cast<UINT>(a), m);
            if (FAILED(CreateFullScreenUnit(unit))) {
                RemoveLastScreenUnit();
                error = kErrorNoDevice;
            }
        }
    }

    for (int m = 0; m < monitorCount_; ++m) {
        MonitorRecord& monitor = monitors_[m];
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (monitor.monitor != nullptr && GetMonitorInfoW(monitor.monitor, &info)) monitor.rect = info.rcMonitor;
        if (mode_ == kModeFullScreen && monitor.window != nullptr) {
            const RECT& rect = monitor.rect;
            SetWindowPos(monitor.window, HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
                         rect.bottom - rect.top, SWP_NOACTIVATE);
        }
    }
    if (mode_ == kModeFullScreen) {
        clientRect_ = RECT{};
        for (int i = 0; i < unitCount_; ++i) {
            const RECT& rect = monitors_[units_[i].monitorIndex].rect;
            if (i == 0) {
                clientRect_ = rect;
                continue;
            }
            clientRect_.left = std::min(clientRect_.left, rect.left);
            clientRect_.top = std::min(clientRect_.top, rect.top);
            clientRect_.right = std::max(clientRect_.right, rect.right);
            clientRect_.bottom = std::max(clientRect_.bottom, rect.bottom);
        }
    }

    if (FAILED(error)) {
        EnterErrorMode(error);
        mouseMoveCount_ = 0;
        return S_OK;
    }

    // Every unit gets both calls, whatever an earlier one answered.
    for (int i = 0; i < unitCount_; ++i) {
        MakeUnitCurrent(i);
        ScreenUnit& unit = units_[i];
        const HRESULT attached = AttachDevice();
        if (SUCCEEDED(attached)) unit.deviceObjectsCreated = true;
        const HRESULT activated = ActivateDevice();
        if (SUCCEEDED(activated)) unit.deviceObjectsActive = true;
        if (FAILED(attached) || FAILED(activated)) EnterErrorMode(kErrorDeviceObjectsFailed);
    }
    mouseMoveCount_ = 0;
    return S_OK;
}

HRESULT CD3DScreensaver::CreateFullScreenUnit(ScreenUnit& unit) {
    AdapterRecord& adapter = *adapters_[unit.adapterIndex];
    int chosen = -1;
    for (UINT i = 0; i < adapter.deviceCount && !adapter.disableHardware && chosen < 0; ++i) {
        if (adapter.devices[i].kind == D3DDEVTYPE_HAL) chosen = static_cast<int>(i);
    }
    for (UINT i = 0; i < adapter.deviceCount && chosen < 0; ++i) {
        if (adapter.devices[i].kind == D3DDEVTYPE_SW) chosen = static_cast<int>(i);
    }
    if (chosen < 0) return kErrorNoHardwareDevice;

    DeviceRecord& device = adapter.devices[chosen];
    device.chosenMode = StartingMode(device, adapter);
    unit.kind = device.kind;

    bool failedBefore = false;
    for (;;) {
        const DeviceMode& mode = device.modes[device.chosenMode];
        D3DPRESENT_PARAMETERS& present = unit.presentParameters;
        present = D3DPRESENT_PARAMETERS{};
        present.BackBufferWidth = mode.width;
        present.BackBufferHeight = mode.height;
        present.BackBufferFormat = static_cast<D3DFORMAT>(mode.format);
        present.BackBufferCount = 1;
        present.MultiSampleType = D3DMULTISAMPLE_NONE;
        present.SwapEffect = fullScreenSwapEffect_;
        present.hDeviceWindow = adapter.window;
        present.Windowed = FALSE;
        present.EnableAutoDepthStencil = useDepthBuffer_;
        present.AutoDepthStencilFormat = static_cast<D3DFORMAT>(mode.depthStencilFormat);
        present.FullScreen_RefreshRateInHz = D3DPRESENT_RATE_DEFAULT;
        present.PresentationInterval = D3DPRESENT_INTERVAL_ONE;
        unit.behavior = mode.behavior;

        HRESULT result = d3d_->CreateDevice(unit.adapterIndex, unit.kind, mainWindow_, mode.behavior, &present,
                                            unit.device.Receive());
        if (SUCCEEDED(result)) result = AcceptCreatedDevice(unit.device.Get());
        if (SUCCEEDED(result)) {
            if (failedBefore) {
                adapter.savedWidth = mode.width;
                adapter.savedHeight = mode.height;
                adapter.savedFormat = mode.format;
                SaveDisplayMode(unit.monitorIndex, adapter);
            }
            return S_OK;
        }
        unit.device.Reset();
        failedBefore = true;
        if (!StepDownDisplayMode(device)) return result;
    }
}

HRESULT CD3DScreensaver::CreateWindowedUnit(ScreenUnit& unit) {
    AdapterRecord& adapter = *adapters_[unit.adapterIndex];
    int chosen = -1;
    for (UINT i = 0; i < adapter.deviceCount && !adapter.disableHardware && chosen < 0; ++i) {
        const DeviceRecord& device = adapter.devices[i];
        if (device.kind == D3DDEVTYPE_HAL && device.windowedCapable) chosen = static_cast<int>(i);
    }
    if (chosen < 0) {
        for (UINT i = 0; i < adapter.deviceCount; ++i) {
            const DeviceRecord& device = adapter.devices[i];
            if (device.kind == D3DDEVTYPE_SW && device.windowedCapable) chosen = static_cast<int>(i);
        }
    }
    if (chosen < 0) return kErrorNoHardwareDevice;
    adapter.chosenDevice = static_cast<UINT>(chosen);
    const DeviceRecord& device = adapter.devices[chosen];
    unit.kind = device.kind;

    const D3DFORMAT desktopFormat = adapter.desktopMode.Format;
    const D3DFORMAT candidates[] = {desktopFormat, D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8, D3DFMT_A1R5G5B5,
                                    D3DFMT_R5G6B5};
    D3DFORMAT backBufferFormat = D3DFMT_UNKNOWN;
    D3DFORMAT depthStencilFormat = D3DFMT_UNKNOWN;
    DWORD behavior = 0;
    for (D3DFORMAT candidate : candidates) {
        if (FAILED(d3d_->CheckDeviceType(unit.adapterIndex, unit.kind, desktopFormat, candidate, TRUE))) continue;
        behavior = ChooseBehaviorFlags(device.caps, candidate);
        if (behavior == 0) continue;
        if (useDepthBuffer_ &&
            !ChooseDepthStencilFormat(unit.adapterIndex, unit.kind, candidate, &depthStencilFormat))
            continue;
        backBufferFormat = candidate;
        break;
    }
    if (backBufferFormat == D3DFMT_UNKNOWN) return E_FAIL;

    D3DPRESENT_PARAMETERS& present = unit.presentParameters;
    present = D3DPRESENT_PARAMETERS{};
    present.BackBufferFormat = backBufferFormat;
    present.BackBufferCount = 1;
    present.MultiSampleType = D3DMULTISAMPLE_NONE;
    present.SwapEffect = windowedSwapEffect_;
    present.hDeviceWindow = adapter.window;
    present.Windowed = TRUE;
    present.EnableAutoDepthStencil = useDepthBuffer_;
    present.AutoDepthStencilFormat = depthStencilFormat;
    present.FullScreen_RefreshRateInHz = D3DPRESENT_RATE_DEFAULT;
    present.PresentationInterval = D3DPRESENT_INTERVAL_DEFAULT;
    unit.behavior = behavior;
    return d3d_->CreateDevice(unit.adapterIndex, unit.kind, mainWindow_, behavior, &present, unit.device.Receive());
}
