// RegCreateKeyExW and friends over the registry file. Every call looks at
// the file, so values set by another process are seen at once.
#include <winreg.h>

#include "registry/key_handles.h"
#include "registry/key_paths.h"
#include "registry/reg_document.h"
#include "registry/registry_file.h"

#include <cstring>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace {

using platform::registry::RegDocument;
using platform::registry::RegValue;

constexpr std::wstring_view kBrowserCommandKey = L"HKEY_CLASSES_ROOT\\http\\shell\\open\\command";
constexpr std::wstring_view kBrowserCommand = L"xdg-open \"%1\"";

// The file's contents plus the built-in values it does not set itself, as
// a Windows machine has a browser command.
class RegistryView {
public:
    RegistryView() : document_(platform::registry::ReadRegistryFile()) {}

    bool HasKey(std::wstring_view path) const { return document_->HasKey(path) || BuiltIns().HasKey(path); }

    std::optional<RegValue> FindValue(std::wstring_view keyPath, std::wstring_view name) const {
        if (auto value = document_->FindValue(keyPath, name)) return value;
        return BuiltIns().FindValue(keyPath, name);
    }

private:
    static const RegDocument& BuiltIns() {
        static const RegDocument builtIns = [] {
            RegDocument document;
            document.SetValue(kBrowserCommandKey, L"", RegValue{REG_SZ, platform::registry::StringData(kBrowserCommand)});
            return document;
        }();
        return builtIns;
    }

    std::shared_ptr<const RegDocument> document_;
};

std::wstring SubKeyPath(const std::wstring& base, LPCWSTR subKey) {
    return subKey == nullptr ? base : base + L'\\' + subKey;
}

// A line break would end the key's section line in the file; Windows'
// limits on names and depth hold as well.
bool IsValidKeyName(const std::wstring& path, LPCWSTR subKey) {
    return std::wcspbrk(subKey, L"\r\n") == nullptr &&
           platform::registry::IsValidKeyPath(platform::registry::SplitKeyPath(path));
}

std::wstring_view ValueName(LPCWSTR name) { return name == nullptr ? std::wstring_view{} : name; }

}  // namespace

extern "C" {

LSTATUS WINAPI RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM,
                               SECURITY_ATTRIBUTES*, PHKEY result, LPDWORD disposition) {
    if (result == nullptr || subKey == nullptr) return ERROR_INVALID_PARAMETER;
    const auto base = platform::registry::KeyPathOf(key);
    if (!base) return ERROR_INVALID_HANDLE;
    std::wstring path = SubKeyPath(*base, subKey);
    if (!IsValidKeyName(path, subKey)) return ERROR_INVALID_PARAMETER;
    bool created = false;
    const LONG status = platform::registry::UpdateRegistryFile([&](RegDocument& document) {
        created = document.CreateKey(path).value_or(false);
        return created;
    });
    if (status != ERROR_SUCCESS) return status;
    *result = platform::registry::AddKeyHandle(std::move(path));
    if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
    if (result == nullptr) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    const auto base = platform::registry::KeyPathOf(key);
    if (!base) return ERROR_INVALID_HANDLE;
    std::wstring path = SubKeyPath(*base, subKey);
    if (!RegistryView().HasKey(path)) return ERROR_FILE_NOT_FOUND;
    *result = platform::registry::AddKeyHandle(std::move(path));
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD dataSize) {
    const auto path = platform::registry::KeyPathOf(key);
    if (!path) return ERROR_INVALID_HANDLE;
    if (reserved != nullptr || (data != nullptr && dataSize == nullptr)) return ERROR_INVALID_PARAMETER;
    const RegistryView registry;
    const auto value = registry.FindValue(*path, ValueName(valueName));
    if (!value) return ERROR_FILE_NOT_FOUND;
    if (type != nullptr) *type = value->type;
    const auto size = static_cast<DWORD>(value->data.size());
    if (data != nullptr) {
        if (*dataSize < size) {
            *dataSize = size;
            return ERROR_MORE_DATA;
        }
        if (size > 0) std::memcpy(data, value->data.data(), size);
    }
    if (dataSize != nullptr) *dataSize = size;
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data,
                              DWORD dataSize) {
    const auto path = platform::registry::KeyPathOf(key);
    if (!path) return ERROR_INVALID_HANDLE;
    if (data == nullptr && dataSize != 0) return ERROR_INVALID_PARAMETER;
    RegValue value{type, {}};
    if (dataSize > 0) value.data.assign(data, data + dataSize);
    // Writing what the file already holds leaves it alone.
    return platform::registry::UpdateRegistryFile([&](RegDocument& document) {
        return document.SetValue(*path, ValueName(valueName), std::move(value)).value_or(false);
    });
}

LSTATUS WINAPI RegCloseKey(HKEY key) {
    return platform::registry::RemoveKeyHandle(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // extern "C"
