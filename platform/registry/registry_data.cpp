#include "registry/registry_data.h"

#include "text/case_fold.h"

#include <algorithm>
#include <cstring>


namespace platform::registry {
namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
    return std::ranges::equal(a, b, [](wchar_t x, wchar_t y) { return UpperCaseChar(x) == UpperCaseChar(y); });
}

std::wstring FoldedPath(std::wstring_view path) {
    std::wstring joined;
    for (const std::wstring& name : SplitKeyPath(path)) {
        if (!joined.empty()) joined += L'\\';
        joined += UpperCase(name);
    }
    return joined;
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

RegistryData::RegistryData() {
    for (std::wstring_view root : {kCurrentUser, kClassesRoot}) {
        keys_.emplace(std::wstring(root), Key{std::wstring(root), {}});
    }
}

const Key* RegistryData::FindKey(std::wstring_view path) const {
    const auto found = keys_.find(FoldedPath(path));
    return found == keys_.end() ? nullptr : &found->second;
}

Key* RegistryData::FindMutableKey(std::wstring_view path) {
    const auto found = keys_.find(FoldedPath(path));
    return found == keys_.end() ? nullptr : &found->second;
}

bool RegistryData::CreateKey(std::wstring_view path) {
    const std::vector<std::wstring> names = SplitKeyPath(path);
    if (names.empty() || RootNamed(names.front()).empty()) return false;
    std::wstring folded = UpperCase(names.front());
    const Key* parent = &keys_.at(folded);
    bool created = false;
    for (std::size_t i = 1; i < names.size(); ++i) {
        folded += L'\\';
        folded += UpperCase(names[i]);
        auto [entry, inserted] = keys_.try_emplace(folded, Key{parent->path + L'\\' + names[i], {}});
        parent = &entry->second;
        created = inserted;
    }
    return created;
}

const Value* RegistryData::FindValue(std::wstring_view keyPath, std::wstring_view name) const {
    const Key* key = FindKey(keyPath);
    if (key == nullptr) return nullptr;
    for (const Value& value : key->values) {
        if (SameName(value.name, name)) return &value;
    }
    return nullptr;
}

void RegistryData::SetValue(std::wstring_view keyPath, std::wstring_view name, DWORD type,
                            std::vector<BYTE> data) {
    CreateKey(keyPath);
    Key* key = FindMutableKey(keyPath);
    if (key == nullptr) return;
    for (Value& value : key->values) {
        if (SameName(value.name, name)) {
            value.type = type;
            value.data = std::move(data);
            return;
        }
    }
    key->values.push_back(Value{std::wstring(name), type, std::move(data)});
}

std::vector<const Key*> RegistryData::KeysInOrder() const {
    std::vector<const Key*> ordered;
    ordered.reserve(keys_.size());
    for (const auto& [folded, key] : keys_) ordered.push_back(&key);
    return ordered;
}

}  // namespace platform::registry
