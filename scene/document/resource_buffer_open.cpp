#include <windows.h>

#include "scene/document/resource_buffer.h"

bool ResourceBuffer::OpenResource(HMODULE module, int id) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), L"DDS");
    if (found == nullptr) {
        return false;
    }
    const DWORD size = SizeofResource(module, found);
    if (size == 0) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr) {
        return false;
    }
    const void* bytes = LockResource(loaded);
    if (bytes == nullptr) {
        return false;
    }
    *this = ResourceBuffer(bytes, size);
    return HasCursor();
}
