// The keys of the document resource manager's tables: what a link names
// (a path or module name with a stamp), and generated pictures and render
// targets (a GUID).
#pragma once

#include <windows.h>

#include "scene/document/kv_string.h"

struct ResourceKey {
    kv_string name;  // a file path, a module name such as "common_res.dll", or a file name
    LONGLONG stamp = 0;  // modification time, resource id or running counter

    friend bool operator==(const ResourceKey&, const ResourceKey&) = default;
};

// By name (code unit by code unit), then by stamp.
bool operator<(const ResourceKey& a, const ResourceKey& b);

struct GuidKey {
    // A new GUID from CoCreateGuid, an empty name and flag 1.
    GuidKey();
    GuidKey(const GUID& id, kv_string name, bool flag);

    GUID id;
    kv_string name;
    bool flag;
};

// By the GUID's 16 bytes as they lie in memory, unsigned, left to right;
// the name and the flag take no part.
bool operator<(const GuidKey& a, const GuidKey& b);
