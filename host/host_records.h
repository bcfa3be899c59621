// The host's tables: monitors, Direct3D adapters with their device kinds
// and display modes, and the screen units that draw on them.
#pragma once

#include <string>

#include <d3d9.h>

#include "scene/model/com_holder.h"

inline constexpr int kMaxMonitors = 9;
inline constexpr int kMaxAdapters = 9;
inline constexpr int kMaxScreenUnits = 9;
inline constexpr int kMaxDeviceRecords = 3;
inline constexpr int kMaxDeviceModes = 150;

// The error box on one monitor, in window client coordinates; width 0
// means not placed yet. Velocities are in pixels per second.
struct ErrorBoxState {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    float xVelocity = 0;
    float yVelocity = 0;
};

struct MonitorRecord {
    std::wstring adapterDescription;
    std::wstring monitorDescription;
    HMONITOR monitor = nullptr;  // none: not attached to the desktop
    RECT rect{};                 // desktop coordinates
    int adapterIndex = -1;
    HWND window = nullptr;
    ErrorBoxState box;
};

struct DeviceMode {
    DWORD width = 0;
    DWORD height = 0;
    DWORD format = 0;
    DWORD behavior = 0;
    DWORD depthStencilFormat = 0;
};

struct DeviceRecord {
    D3DDEVTYPE kind = D3DDEVTYPE_HAL;
    D3DCAPS9 caps{};
    bool windowedCapable = false;
    UINT modeCount = 0;
    DeviceMode modes[kMaxDeviceModes]{};
    UINT chosenMode = 0;
};

struct AdapterRecord {
    int monitorIndex = -1;
    D3DADAPTER_IDENTIFIER9 identifier{};
    D3DDISPLAYMODE desktopMode{};
    UINT deviceCount = 0;
    DeviceRecord devices[kMaxDeviceRecords]{};
    bool hardwareFormatsPass = false;
    bool hardwareUsable = false;
    bool softwareFormatsPass = false;
    bool softwareUsable = false;
    // The saved display mode; 0 = automatic.
    DWORD savedWidth = 0;
    DWORD savedHeight = 0;
    DWORD savedFormat = 0;
    DWORD leaveBlack = 0;
    DWORD disableHardware = 0;
    UINT chosenDevice = 0;
    HWND window = nullptr;
};

struct ScreenUnit {
    UINT adapterIndex = 0;
    int monitorIndex = -1;
    D3DDEVTYPE kind = D3DDEVTYPE_HAL;
    DWORD behavior = 0;
    ComHolder<IDirect3DDevice9> device;
    D3DPRESENT_PARAMETERS presentParameters{};
    bool deviceObjectsCreated = false;
    bool deviceObjectsActive = false;
};
