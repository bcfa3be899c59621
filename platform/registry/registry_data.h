// The registry's contents in memory: keys by full path, such as
// "HKEY_CURRENT_USER\Software\Corvenna", each with its values. Key and value
// names compare without regard to case, as on Windows, and keep the case
// they were first given.
#pragma once

#include <windef.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

struct Value {
    std::wstring name;  // empty for the key's default value
    DWORD type = 0;
    std::vector<BYTE> data;
};

struct Key {
    std::wstring path;
    std::vector<Value> values;
};

inline constexpr std::wstring_view kCurrentUser = L"HKEY_CURRENT_USER";
inline constexpr std::wstring_view kClassesRoot = L"HKEY_CLASSES_ROOT";

// Splits "a\b\" into its names; empty names (doubled or trailing
// backslashes) are skipped.
std::vector<std::wstring> SplitKeyPath(std::wstring_view path);

class RegistryData {
public:
    // Both roots always exist.
    RegistryData();

    const Key* FindKey(std::wstring_view path) const;
    // Creates the key and every missing key above it; the root must be one
    // of the two roots. Returns true when the key itself was new.
    bool CreateKey(std::wstring_view path);

    const Value* FindValue(std::wstring_view keyPath, std::wstring_view name) const;
    // Creates the key when it is missing.
    void SetValue(std::wstring_view keyPath, std::wstring_view name, DWORD type,
                  std::vector<BYTE> data);

    // Parents come before their children.
    std::vector<const Key*> KeysInOrder() const;

private:
    Key* FindMutableKey(std::wstring_view path);

    std::map<std::wstring, Key> keys_;  // by case-folded path
};

// REG_SZ data: the characters and their terminator, as wchar_t bytes.
std::vector<BYTE> StringData(std::wstring_view text);

// A root's canonical name for a name in any case, or empty.
std::wstring_view RootNamed(std::wstring_view name);

}  // namespace platform::registry
