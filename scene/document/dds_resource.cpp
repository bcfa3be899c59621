#include "scene/document/dds_resource.h"

std::optional<std::span<const BYTE>> FindModuleResource(HMODULE module, int id, LPCWSTR type) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) {
        return std::nullopt;
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return std::nullopt;
    }
    return std::span(static_cast<const BYTE*>(bytes), SizeofResource(module, found));
}

std::optional<std::span<const BYTE>> FindDdsResource(HMODULE module, int id) {
    return FindModuleResource(module, id, L"DDS");
}
