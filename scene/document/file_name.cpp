#include "scene/document/file_name.h"

kv_string ExtractFileName(const kv_string& path) {
    const auto slash = path.rfind(L'\\');
    return slash == kv_string::npos ? kv_string{} : path.substr(slash + 1);
}
