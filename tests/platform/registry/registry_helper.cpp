// A second process for the registry tests. It knows only the file:
//   registry_helper set-many <key> <prefix> <count>  sets <prefix>0... = 0...
//   registry_helper get <key> <name>                 prints "<type> <hex bytes>"
#include <windows.h>

#include <platform/unicode.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

int SetMany(const std::wstring& subKey, const std::wstring& prefix, int count) {
    for (int i = 0; i < count; ++i) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
            return 2;
        }
        const DWORD number = static_cast<DWORD>(i);
        const std::wstring name = prefix + std::to_wstring(i);
        const LSTATUS status = RegSetValueExW(key, name.c_str(), 0, REG_DWORD,
                                              reinterpret_cast<const BYTE*>(&number), sizeof number);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) return 3;
    }
    return 0;
}

int Get(const std::wstring& subKey, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return 1;
    DWORD type = 0;
    DWORD size = 0;
    std::vector<BYTE> data;
    LSTATUS status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        data.resize(size);
        status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return 1;
    std::printf("%u ", type);
    for (BYTE byte : data) std::printf("%02x", byte);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "set-many" && argc == 5) {
        return SetMany(platform::WideFromUtf8(argv[2]), platform::WideFromUtf8(argv[3]), std::atoi(argv[4]));
    }
    if (command == "get" && argc == 4) {
        return Get(platform::WideFromUtf8(argv[2]), platform::WideFromUtf8(argv[3]));
    }
    std::fprintf(stderr, "usage: registry_helper set-many <key> <prefix> <count> | get <key> <name>\n");
    return 64;
}
