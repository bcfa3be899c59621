#include "host/browser.h"

namespace {

constexpr const WCHAR* kBrowserCommandKey = L"http\\shell\\open\\command";
constexpr const WCHAR* kPlaceholder = L"\"%1\"";

// The default value of the key, terminated whatever the registry holds.
bool ReadBrowserCommand(std::wstring* command) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, kBrowserCommandKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    WCHAR buffer[kMaxBrowserCommand + 1]{};
    DWORD type = 0;
    DWORD size = sizeof(buffer) - sizeof(WCHAR);
    const LSTATUS status = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || type != REG_SZ) return false;
    buffer[size / sizeof(WCHAR)] = 0;
    *command = buffer;
    return !command->empty();
}

}  // namespace

std::wstring BuildBrowserCommand(const std::wstring& command, const std::wstring& argument) {
    std::wstring line;
    const std::wstring placeholder = kPlaceholder;
    const size_t at = command.find(placeholder);
    if (at == std::wstring::npos)
        line = command + L" " + argument;
    else
        line = command.substr(0, at) + L"\"" + argument + L"\"" + command.substr(at + placeholder.size());
    if (line.size() > static_cast<size_t>(kMaxBrowserCommand)) line.resize(kMaxBrowserCommand);
    return line;
}

void OpenWithBrowser(const WCHAR* argument) {
    std::wstring command;
    if (!ReadBrowserCommand(&command)) return;
    std::wstring line = BuildBrowserCommand(command, argument ? argument : L"");
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
