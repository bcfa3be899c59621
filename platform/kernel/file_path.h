// Windows paths as the file system takes them.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-8, with every backslash turned into '/'.
std::string NativePath(std::wstring_view path);

}  // namespace platform
