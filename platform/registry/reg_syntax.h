// The lines of the Windows Registry Editor text format: the header, a
// section line opening a key, and a value line, as text already decoded.
#pragma once

#include <windef.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::registry {

inline constexpr std::wstring_view kHeader = L"Windows Registry Editor Version 5.00";

struct RegValue {
    DWORD type = 0;
    std::vector<BYTE> data;

    bool operator==(const RegValue&) const = default;
};

struct NamedValue {
    std::wstring name;  // empty for the key's default value
    RegValue value;
};

// This format's header or the older one, with or without a byte-order mark.
bool IsHeader(std::wstring_view line);

// The names of the key a "[...]" line opens, or nothing when it names no
// key of ours.
std::vector<std::wstring> ParseSection(std::wstring_view line);

// "name"=data or @=data on one line; nothing when it does not parse.
std::optional<NamedValue> ParseValueLine(std::wstring_view line);
std::wstring FormatValueLine(std::wstring_view name, const RegValue& value);

// Without the spaces, tabs and carriage returns at the end, or the spaces
// and tabs at the start.
std::wstring_view TrimmedEnd(std::wstring_view line);
std::wstring_view TrimmedStart(std::wstring_view line);

}  // namespace platform::registry
