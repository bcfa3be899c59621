// Case-insensitive names, as Windows compares them: by upper-casing with
// Unicode's simple mapping, whatever C locale the program has set.
#pragma once

#include <string>
#include <string_view>

namespace platform {

wchar_t UpperCaseChar(wchar_t c);
std::wstring UpperCase(std::wstring_view text);

}  // namespace platform
