#include "kernel/file_path.h"

#include <algorithm>

#include <platform/unicode.h>

namespace platform {

std::string NativePath(std::wstring_view path) {
    std::string native = Utf8FromWide(path);
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}

}  // namespace platform
