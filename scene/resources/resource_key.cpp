#include "scene/resources/resource_key.h"

#include <objbase.h>

#include <cstring>
#include <tuple>
#include <utility>

bool operator<(const ResourceKey& a, const ResourceKey& b) {
    return std::tie(a.name, a.stamp) < std::tie(b.name, b.stamp);
}

GuidKey::GuidKey() : id{}, flag(true) {
    CoCreateGuid(&id);
}

GuidKey::GuidKey(const GUID& id, kv_string name, bool flag) : id(id), name(std::move(name)), flag(flag) {}

bool operator<(const GuidKey& a, const GuidKey& b) {
    return std::memcmp(&a.id, &b.id, sizeof(GUID)) < 0;
}
