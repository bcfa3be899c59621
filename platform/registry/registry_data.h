// The registry's contents in memory: a tree of keys below the two roots,
// each with its values. Key and value names compare without regard to case,
// as on Windows, and keep the case they were first given.
#pragma once

#include <windef.h>

#include <cstddef>
#include <limits>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

inline constexpr std::size_t kNoLine = std::numeric_limits<std::size_t>::max();

// Where a value's text stands in the registry file, so that a change
// rewrites only its own lines.
struct TextPlace {
    std::size_t line = kNoLine;   // first line of the value, or the line it was added after
    std::size_t lineCount = 0;    // lines the value spans there; 0 when it was added
    std::size_t addedSlot = 0;    // its position among the lines added after `line`
};

struct Value {
    std::wstring name;  // empty for the key's default value
    DWORD type = 0;
    std::vector<BYTE> data;
    TextPlace place;
};

struct Key {
    std::wstring name;
    std::wstring foldedName;
    std::vector<Value> values;
    std::map<std::wstring, std::size_t> valueByFoldedName;
    std::vector<Key> children;
    std::map<std::wstring, std::size_t> childByFoldedName;
    // The line after which values added to this key are written, or kNoLine
    // when the file has no section for it.
    std::size_t sectionEnd = kNoLine;

    Key* FindChild(std::wstring_view foldedChildName);
    const Key* FindChild(std::wstring_view foldedChildName) const;
    Key& AddChild(std::wstring childName, std::wstring foldedChildName);
    Value* FindValue(std::wstring_view name);
    const Value* FindValue(std::wstring_view name) const;
    // Replaces the type and data of a value of that name, or adds one.
    Value& SetValue(std::wstring_view name, DWORD type, std::vector<BYTE> data);
};

inline constexpr std::wstring_view kCurrentUser = L"HKEY_CURRENT_USER";
inline constexpr std::wstring_view kClassesRoot = L"HKEY_CLASSES_ROOT";

// Windows' limits on key names.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxKeyDepth = 512;

// Splits "a\b\" into its names; empty names (doubled or trailing
// backslashes) are skipped.
std::vector<std::wstring> SplitKeyPath(std::wstring_view path);

// A path whose first name is a root and whose names keep Windows' limits.
bool IsValidKeyPath(const std::vector<std::wstring>& names);

class RegistryData {
public:
    // Both roots always exist.
    RegistryData();

    const Key* FindKey(std::wstring_view path) const;
    Key* FindKey(std::wstring_view path);
    // Creates the key and every missing key above it; the path must be
    // valid. Returns the key and whether it was new, or nothing.
    std::optional<std::pair<Key*, bool>> CreateKey(std::wstring_view path);

    const Value* FindValue(std::wstring_view keyPath, std::wstring_view name) const;
    // The path of an existing key with the names as they were first given.
    std::wstring StoredPath(std::wstring_view path) const;
    // Creates the key when it is missing; nothing for an invalid path.
    Value* SetValue(std::wstring_view keyPath, std::wstring_view name, DWORD type, std::vector<BYTE> data);

private:
    Key* FindRoot(std::wstring_view name);

    std::vector<Key> roots_;
};

// REG_SZ data: the characters and their terminator, as wchar_t bytes.
std::vector<BYTE> StringData(std::wstring_view text);

// A root's canonical name for a name in any case, or empty.
std::wstring_view RootNamed(std::wstring_view name);

}  // namespace platform::registry
