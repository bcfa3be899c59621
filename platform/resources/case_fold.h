// Upper-casing for names Windows compares case-insensitively (resource
// types and names, module file names).
#pragma once

#include <string>
#include <string_view>

namespace platform::resources {

std::wstring UpperCase(std::wstring_view text);

}  // namespace platform::resources
