// A registry key opened (and created when missing) for reading and
// writing, closed when it goes out of scope.
#pragma once

#include <windows.h>

class RegistryKey {
public:
    RegistryKey(HKEY parent, const WCHAR* path);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    // nullptr when the key could not be opened.
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// Leaves *value unchanged unless the value is a four-byte DWORD.
void ReadDwordValue(HKEY key, const WCHAR* name, DWORD* value);
void WriteDwordValue(HKEY key, const WCHAR* name, DWORD value);
