#include "scene/document/dds_resource.h"
#include "scene/document/embedded_file.h"

bool ResourceEntry::LoadFromModule() {
    // Never freed; a module that cannot be loaded leaves a null handle,
    // which searches the program's own module under the same id.
    HMODULE module = LoadLibraryW(ModuleName().c_str());
    const auto bytes = FindDdsResource(module, Id());
    if (!bytes) {
        return false;
    }
    SetBytes(static_cast<DWORD>(bytes->size()), bytes->data());
    return true;
}
