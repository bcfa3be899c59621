// Reading a found resource back as bytes or text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

namespace test {

// The bytes of the resource, through SizeofResource, LoadResource and
// LockResource; empty when any of them fails.
inline std::vector<uint8_t> ResourceBytes(HMODULE module, HRSRC resource) {
    const DWORD size = SizeofResource(module, resource);
    const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, resource)));
    if (data == nullptr) return {};
    return {data, data + size};
}

inline std::string ResourceText(HMODULE module, LPCWSTR name, LPCWSTR type) {
    HRSRC resource = FindResourceW(module, name, type);
    if (resource == nullptr) return "<missing>";
    auto bytes = ResourceBytes(module, resource);
    return {bytes.begin(), bytes.end()};
}

}  // namespace test
