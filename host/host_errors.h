// The host's own error codes.
#pragma once

#include <windows.h>

inline constexpr HRESULT kErrorNoDirect3D = static_cast<HRESULT>(0x82000001);
inline constexpr HRESULT kErrorNoCompatibleDevices = static_cast<HRESULT>(0x82000003);
inline constexpr HRESULT kErrorNoHardwareDevice = static_cast<HRESULT>(0x82000005);
inline constexpr HRESULT kErrorHardwareLacksFeatures = static_cast<HRESULT>(0x82000006);
inline constexpr HRESULT kErrorInitFailed = static_cast<HRESULT>(0x82000007);
inline constexpr HRESULT kErrorDesktopLacksFeatures = static_cast<HRESULT>(0x82000009);
inline constexpr HRESULT kErrorMediaNotLoaded = static_cast<HRESULT>(0x8200000b);
inline constexpr HRESULT kErrorResetFailed = static_cast<HRESULT>(0x8200000c);
inline constexpr HRESULT kErrorDeviceObjectsFailed = static_cast<HRESULT>(0x8200000d);
inline constexpr HRESULT kErrorNoDevice = static_cast<HRESULT>(0x8200000e);
inline constexpr HRESULT kErrorNoPreview = static_cast<HRESULT>(0x8200000f);
