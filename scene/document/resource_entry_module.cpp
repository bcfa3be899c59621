#include <windows.h>

#include "scene/document/embedded_file.h"

bool ResourceEntry::LoadFromModule() {
    // Never freed; a module that cannot be loaded leaves a null handle,
    // which searches the program's own module under the same id.
    HMODULE module = LoadLibraryW(ModuleName().c_str());
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(Id()), L"DDS");
    if (found == nullptr) {
        return false;
    }
    const DWORD size = SizeofResource(module, found);
    HGLOBAL loaded = LoadResource(module, found);
    if (loaded == nullptr) {
        return false;
    }
    const void* bytes = LockResource(loaded);
    if (bytes == nullptr) {
        return false;
    }
    SetBytes(size, static_cast<const BYTE*>(bytes));
    return true;
}
