#include "host/settings_values.h"

#include "host/registry_key.h"

std::wstring g_settingsKeyPath;

void ReadSettingValue(DWORD* value, const WCHAR* name) {
    RegistryKey key(HKEY_CURRENT_USER, g_settingsKeyPath.c_str());
    ReadDwordValue(key.Get(), name, value);
}

void WriteSettingValue(DWORD value, const WCHAR* name) {
    RegistryKey key(HKEY_CURRENT_USER, g_settingsKeyPath.c_str());
    WriteDwordValue(key.Get(), name, value);
}
