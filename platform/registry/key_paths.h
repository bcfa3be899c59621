// Key paths: a root's name, then the names of the keys below it, separated
// by backslashes. Names compare without regard to case, as on Windows.
#pragma once

#include <windef.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

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

// The names joined by backslashes.
std::wstring JoinedPath(const std::vector<std::wstring>& names);

// What tells a valid path's key from every other: the root's own name and
// the other names in one case.
std::wstring FoldedPath(const std::vector<std::wstring>& names);

// REG_SZ data: the characters and their terminator, as wchar_t bytes.
std::vector<BYTE> StringData(std::wstring_view text);

// A root's canonical name for a name in any case, or empty.
std::wstring_view RootNamed(std::wstring_view name);

}  // namespace platform::registry
