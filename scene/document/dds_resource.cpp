#include "scene/document/dds_resource.h"

std::optional<std::span<const BYTE>> FindDdsResource(HMODULE module, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"DDS");
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
