// Uses the layer as an outside tool would: registry and GUID functions.
#include <cstdio>
#include <cstring>

#include <windows.h>

namespace {

int Fail(const char* what) {
    std::fprintf(stderr, "probe: %s\n", what);
    return 1;
}

}  // namespace

int main() {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Probe", 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return Fail("RegCreateKeyExW");
    const DWORD written = 0x12345678;
    if (RegSetValueExW(key, L"Value", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&written),
                       sizeof written) != ERROR_SUCCESS)
        return Fail("RegSetValueExW");
    RegCloseKey(key);

    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Probe", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return Fail("RegOpenKeyExW");
    DWORD read = 0, type = 0, size = sizeof read;
    LONG status = RegQueryValueExW(key, L"Value", nullptr, &type, reinterpret_cast<BYTE*>(&read),
                                   &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_DWORD || read != written)
        return Fail("RegQueryValueExW");

    GUID guid{};
    if (FAILED(CoCreateGuid(&guid))) return Fail("CoCreateGuid");
    WCHAR text[39];
    if (StringFromGUID2(guid, text, 39) != 39) return Fail("StringFromGUID2");
    GUID back{};
    if (FAILED(CLSIDFromString(text, &back)) || !IsEqualGUID(guid, back))
        return Fail("CLSIDFromString");

    std::puts("probe: ok");
    return 0;
}
