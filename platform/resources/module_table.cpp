#include "resources/module_table.h"

#include <span>
#include <vector>

#include <platform/unicode.h>

#include "resources/module_files.h"

// The resources linked into the program, when it has any: weak, so that
// a program without them has an empty own module.
extern "C" const unsigned char saver_own_module_res_begin[] __attribute__((weak));
extern "C" const unsigned char saver_own_module_res_end[] __attribute__((weak));

namespace platform::resources {
namespace {

std::span<const uint8_t> LinkedResources() {
    const unsigned char* begin = saver_own_module_res_begin;
    const unsigned char* end = saver_own_module_res_end;
    if (begin == nullptr || end == nullptr || end < begin) return {};
    return {begin, end};
}

std::wstring WidePath(const std::filesystem::path& path) { return WideFromUtf8(path.string()); }

}  // namespace

ModuleTable::ModuleTable() : own_(WidePath(ExecutablePath()), LinkedResources(), OwnOverlayFile()) {}

HMODULE ModuleTable::HandleOf(const Module& module) const {
    return reinterpret_cast<HMODULE>(const_cast<Module*>(&module));
}

Module* ModuleTable::Find(HMODULE handle) {
    if (handle == nullptr || handle == HandleOf(own_)) return &own_;
    for (auto& [key, loaded] : loaded_) {
        if (HandleOf(*loaded.module) == handle) return loaded.module.get();
    }
    return nullptr;
}

Module* ModuleTable::FindLoaded(const std::wstring& key) {
    auto it = loaded_.find(key);
    return it == loaded_.end() ? nullptr : it->second.module.get();
}

Module* ModuleTable::Load(const std::wstring& key) {
    if (auto it = loaded_.find(key); it != loaded_.end()) {
        ++it->second.references;
        return it->second.module.get();
    }
    auto path = FindModuleFile(key);
    if (!path) return nullptr;
    auto bytes = ReadFileBytes(*path);
    if (!bytes) return nullptr;
    auto module = std::make_unique<Module>(WidePath(*path), std::move(*bytes));
    return loaded_.emplace(key, Loaded{std::move(module), 1}).first->second.module.get();
}

bool ModuleTable::Release(HMODULE handle) {
    if (handle == HandleOf(own_)) return true;
    for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
        if (HandleOf(*it->second.module) != handle) continue;
        if (--it->second.references == 0) loaded_.erase(it);
        return true;
    }
    return false;
}

const Resource* ModuleTable::WithData(const void* data) const {
    if (const Resource* resource = own_.WithData(data)) return resource;
    for (const auto& [key, loaded] : loaded_) {
        if (const Resource* resource = loaded.module->WithData(data)) return resource;
    }
    return nullptr;
}

LockedModuleTable Modules() {
    static std::mutex mutex;
    static ModuleTable table;
    return LockedModuleTable(mutex, table);
}

}  // namespace platform::resources
