#include "registry/key_paths.h"

#include "text/case_fold.h"

#include <algorithm>
#include <cstring>

namespace platform::registry {
namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) { return UpperCaseChar(x) == UpperCaseChar(y); });
}

}  // namespace

std::vector<std::wstring> SplitKeyPath(std::wstring_view path) {
    std::vector<std::wstring> names;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find(L'\\'), path.size());
        if (end > 0) names.emplace_back(path.substr(0, end));
        path.remove_prefix(std::min(end + 1, path.size()));
    }
    return names;
}

bool IsValidKeyPath(const std::vector<std::wstring>& names) {
    if (names.empty() || RootNamed(names.front()).empty() || names.size() - 1 > kMaxKeyDepth) return false;
    return std::ranges::all_of(names, [](const std::wstring& name) { return name.size() <= kMaxKeyNameLength; });
}

std::wstring JoinedPath(const std::vector<std::wstring>& names) {
    std::wstring path;
    for (const std::wstring& name : names) {
        if (!path.empty()) path += L'\\';
        path += name;
    }
    return path;
}

std::wstring FoldedPath(const std::vector<std::wstring>& names) {
    std::wstring path(RootNamed(names.front()));
    for (std::size_t i = 1; i < names.size(); ++i) {
        path += L'\\';
        path += UpperCase(names[i]);
    }
    return path;
}

std::wstring_view RootNamed(std::wstring_view name) {
    for (std::wstring_view root : {kCurrentUser, kClassesRoot}) {
        if (SameName(name, root)) return root;
    }
    return {};
}

std::vector<BYTE> StringData(std::wstring_view text) {
    std::vector<BYTE> data((text.size() + 1) * sizeof(wchar_t), 0);
    std::memcpy(data.data(), text.data(), text.size() * sizeof(wchar_t));
    return data;
}

}  // namespace platform::registry
