#include <windows.h>

#include "scene/document/module_name.h"

bool IsModuleName(const kv_string& name) {
    constexpr size_t kSuffixLength = 4;  // ".dll"
    if (name.empty()) {
        return true;
    }
    return name.size() > kSuffixLength && lstrcmpiW(name.c_str() + name.size() - kSuffixLength, L".dll") == 0;
}
