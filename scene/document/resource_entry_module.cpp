#include "scene/document/dds_resource.h"
#include "scene/document/embedded_file.h"
#include "scene/document/module_name.h"

bool ResourceEntry::LoadFromModule() {
    // A picture or mesh path is never loaded as a module, nor looked up in
    // the program's own module under the low bits of its time stamp.
    if (!IsModuleName(ModuleName())) {
        return false;
    }
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
