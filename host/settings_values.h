// The application's values under the settings key of the current user.
#pragma once

#include <string>

#include <windows.h>

inline constexpr const WCHAR* kSettingsKeyPath = L"Software\\Corvenna\\Lumaweft Maker\\Screensaver\\";

// The key path that ReadSettingValue and WriteSettingValue open.
extern std::wstring g_settingsKeyPath;

// A missing or oversized value, or a key that cannot be opened, leaves *value unchanged.
void ReadSettingValue(DWORD* value, const WCHAR* name);
void WriteSettingValue(DWORD value, const WCHAR* name);
