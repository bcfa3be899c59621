#include "registry/key_handles.h"

#include "registry/key_paths.h"

#include <winreg.h>

#include <memory>
#include <mutex>
#include <unordered_map>

namespace platform::registry {
namespace {

struct OpenKey {
    std::wstring path;
};

class KeyTable {
public:
    HKEY Add(std::wstring path) {
        auto key = std::make_unique<OpenKey>(OpenKey{std::move(path)});
        const auto handle = reinterpret_cast<HKEY>(key.get());
        const std::lock_guard guard(mutex_);
        keys_.emplace(handle, std::move(key));
        return handle;
    }

    std::optional<std::wstring> PathOf(HKEY handle) {
        const std::lock_guard guard(mutex_);
        const auto found = keys_.find(handle);
        if (found == keys_.end()) return std::nullopt;
        return found->second->path;
    }

    bool Remove(HKEY handle) {
        const std::lock_guard guard(mutex_);
        return keys_.erase(handle) == 1;
    }

private:
    std::mutex mutex_;
    std::unordered_map<HKEY, std::unique_ptr<OpenKey>> keys_;
};

KeyTable& Table() {
    static KeyTable table;
    return table;
}

std::wstring_view RootPathOf(HKEY key) {
    if (key == HKEY_CURRENT_USER) return kCurrentUser;
    if (key == HKEY_CLASSES_ROOT) return kClassesRoot;
    return {};
}

}  // namespace

HKEY AddKeyHandle(std::wstring path) { return Table().Add(std::move(path)); }

std::optional<std::wstring> KeyPathOf(HKEY key) {
    const std::wstring_view root = RootPathOf(key);
    if (!root.empty()) return std::wstring(root);
    return Table().PathOf(key);
}

bool RemoveKeyHandle(HKEY key) { return !RootPathOf(key).empty() || Table().Remove(key); }

}  // namespace platform::registry
