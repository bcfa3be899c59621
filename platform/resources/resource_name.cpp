#include "resources/resource_name.h"

#include <optional>

#include <winbase.h>

#include "text/case_fold.h"

namespace platform::resources {
namespace {

// "#123" as Windows reads it: decimal digits that fit a WORD.
std::optional<WORD> NumberAfterHash(std::wstring_view text) {
    if (text.size() < 2 || text.size() > 6 || text[0] != L'#') return std::nullopt;
    DWORD value = 0;
    for (wchar_t c : text.substr(1)) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<DWORD>(c - L'0');
    }
    if (value > 0xFFFF) return std::nullopt;
    return static_cast<WORD>(value);
}

}  // namespace

ResourceName ResourceName::Integer(WORD id) { return ResourceName(id); }

ResourceName ResourceName::String(std::wstring_view text) { return ResourceName(UpperCase(text)); }

ResourceName ResourceName::FromArgument(LPCWSTR argument) {
    if (IS_INTRESOURCE(argument)) return Integer(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(argument)));
    const std::wstring_view text(argument);
    if (auto number = NumberAfterHash(text)) return Integer(*number);
    return String(text);
}

}  // namespace platform::resources
