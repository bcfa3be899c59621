// The program's own module and the loaded resource modules. Every access
// holds the table's lock; module handles are looked up, never dereferenced.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <windef.h>

#include "resources/module.h"

namespace platform::resources {

class ModuleTable {
public:
    ModuleTable();

    Module& Own() { return own_; }
    HMODULE HandleOf(const Module& module) const;
    // A null handle means the own module; an unknown one gives nullptr.
    Module* Find(HMODULE handle);
    Module* FindLoaded(const std::wstring& key);

    // Loads <key>.res, or takes one more reference to it; nullptr when
    // there is no such file.
    Module* Load(const std::wstring& key);
    // False for an unknown handle. The own module is never unloaded.
    bool Release(HMODULE handle);

    // The resource, in any module, whose data starts there.
    const Resource* WithData(const void* data) const;

private:
    struct Loaded {
        std::unique_ptr<Module> module;
        unsigned references;
    };

    Module own_;
    std::map<std::wstring, Loaded> loaded_;  // by module key
};

class LockedModuleTable {
public:
    LockedModuleTable(std::mutex& mutex, ModuleTable& table) : lock_(mutex), table_(table) {}
    ModuleTable* operator->() { return &table_; }

private:
    std::unique_lock<std::mutex> lock_;
    ModuleTable& table_;
};

LockedModuleTable Modules();

}  // namespace platform::resources
