#include "host/registry_key.h"

RegistryKey::RegistryKey(HKEY parent, const WCHAR* path) {
    if (parent == nullptr) return;
    HKEY key = nullptr;
    if (RegCreateKeyExW(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
        key_ = key;
}

RegistryKey::~RegistryKey() {
    if (key_ != nullptr) RegCloseKey(key_);
}

void ReadDwordValue(HKEY key, const WCHAR* name, DWORD* value) {
    if (key == nullptr) return;
    DWORD type = 0;
    DWORD read = 0;
    DWORD size = sizeof(read);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&read), &size) != ERROR_SUCCESS)
        return;
    // A shorter or differently typed value would fill only part of the DWORD.
    if (type == REG_DWORD && size == sizeof(read)) *value = read;
}

void WriteDwordValue(HKEY key, const WCHAR* name, DWORD value) {
    if (key == nullptr) return;
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}
