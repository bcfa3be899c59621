#include "registry/registry_data.h"

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

Key* Key::FindChild(std::wstring_view foldedChildName) {
    const auto found = childByFoldedName.find(std::wstring(foldedChildName));
    return found == childByFoldedName.end() ? nullptr : &children[found->second];
}

const Key* Key::FindChild(std::wstring_view foldedChildName) const {
    return const_cast<Key*>(this)->FindChild(foldedChildName);
}

Key& Key::AddChild(std::wstring childName, std::wstring foldedChildName) {
    childByFoldedName.emplace(foldedChildName, children.size());
    Key& child = children.emplace_back();
    child.name = std::move(childName);
    child.foldedName = std::move(foldedChildName);
    return child;
}

Value* Key::FindValue(std::wstring_view name) {
    const auto found = valueByFoldedName.find(UpperCase(name));
    return found == valueByFoldedName.end() ? nullptr : &values[found->second];
}

const Value* Key::FindValue(std::wstring_view name) const { return const_cast<Key*>(this)->FindValue(name); }

Value& Key::SetValue(std::wstring_view name, DWORD type, std::vector<BYTE> data) {
    if (Value* value = FindValue(name)) {
        value->type = type;
        value->data = std::move(data);
        return *value;
    }
    valueByFoldedName.emplace(UpperCase(name), values.size());
    return values.emplace_back(Value{std::wstring(name), type, std::move(data), {}});
}

RegistryData::RegistryData() {
    for (std::wstring_view root : {kCurrentUser, kClassesRoot}) {
        Key& key = roots_.emplace_back();
        key.name = root;
        key.foldedName = root;
    }
}

Key* RegistryData::FindRoot(std::wstring_view name) {
    const std::wstring_view root = RootNamed(name);
    for (Key& key : roots_) {
        if (key.name == root) return &key;
    }
    return nullptr;
}

Key* RegistryData::FindKey(std::wstring_view path) {
    const std::vector<std::wstring> names = SplitKeyPath(path);
    if (!IsValidKeyPath(names)) return nullptr;
    Key* key = FindRoot(names.front());
    for (std::size_t i = 1; i < names.size() && key != nullptr; ++i) key = key->FindChild(UpperCase(names[i]));
    return key;
}

const Key* RegistryData::FindKey(std::wstring_view path) const {
    return const_cast<RegistryData*>(this)->FindKey(path);
}

std::optional<std::pair<Key*, bool>> RegistryData::CreateKey(std::wstring_view path) {
    std::vector<std::wstring> names = SplitKeyPath(path);
    if (!IsValidKeyPath(names)) return std::nullopt;
    Key* key = FindRoot(names.front());
    bool created = false;
    for (std::size_t i = 1; i < names.size(); ++i) {
        std::wstring folded = UpperCase(names[i]);
        Key* child = key->FindChild(folded);
        created = child == nullptr;
        key = created ? &key->AddChild(std::move(names[i]), std::move(folded)) : child;
    }
    return std::pair{key, created};
}

std::wstring RegistryData::StoredPath(std::wstring_view path) const {
    const std::vector<std::wstring> names = SplitKeyPath(path);
    if (!IsValidKeyPath(names)) return {};
    const Key* key = const_cast<RegistryData*>(this)->FindRoot(names.front());
    std::wstring stored = key->name;
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (key != nullptr) key = key->FindChild(UpperCase(names[i]));
        stored += L'\\';
        stored += key == nullptr ? names[i] : key->name;
    }
    return stored;
}

const Value* RegistryData::FindValue(std::wstring_view keyPath, std::wstring_view name) const {
    const Key* key = FindKey(keyPath);
    return key == nullptr ? nullptr : key->FindValue(name);
}

Value* RegistryData::SetValue(std::wstring_view keyPath, std::wstring_view name, DWORD type,
                              std::vector<BYTE> data) {
    const auto created = CreateKey(keyPath);
    if (!created) return nullptr;
    return &created->first->SetValue(name, type, std::move(data));
}

}  // namespace platform::registry
