// A resource type or name: an integer id or a string. Strings are kept
// upper-cased, so that they compare case-insensitively as on Windows.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include <windef.h>

namespace platform::resources {

class ResourceName {
public:
    static ResourceName Integer(WORD id);
    static ResourceName String(std::wstring_view text);
    // What FindResourceW and friends receive: MAKEINTRESOURCEW(id) or a
    // string, where "#123" means the integer 123.
    static ResourceName FromArgument(LPCWSTR argument);

    bool operator==(const ResourceName&) const = default;

private:
    explicit ResourceName(std::variant<WORD, std::wstring> value) : value_(std::move(value)) {}

    std::variant<WORD, std::wstring> value_;
};

}  // namespace platform::resources
