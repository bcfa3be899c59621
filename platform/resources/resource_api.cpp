// Finding and reading resources. HRSRC is a resource of the module and
// HGLOBAL its data; both are checked before use.
#include <windows.h>

#include "resources/module_table.h"
#include "resources/resource_name.h"

using platform::resources::Modules;
using platform::resources::Resource;
using platform::resources::ResourceName;

namespace {

constexpr WORD kLanguageNeutral = 0;

const Resource* AsResource(HRSRC resource) { return reinterpret_cast<const Resource*>(resource); }

}  // namespace

HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) {
    return FindResourceExW(module, type, name, kLanguageNeutral);
}

HRSRC WINAPI FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language) {
    auto modules = Modules();
    auto* found = modules->Find(module);
    if (found == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    const auto typeName = ResourceName::FromArgument(type);
    if (auto* resource = found->Find(typeName, ResourceName::FromArgument(name), language)) {
        return reinterpret_cast<HRSRC>(resource);
    }
    SetLastError(found->HasType(typeName) ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
    return nullptr;
}

DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource) {
    auto modules = Modules();
    auto* found = modules->Find(module);
    if (found == nullptr || !found->Holds(AsResource(resource))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<DWORD>(AsResource(resource)->data.size());
}

HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource) {
    auto modules = Modules();
    auto* found = modules->Find(module);
    if (found == nullptr || !found->Holds(AsResource(resource))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return const_cast<uint8_t*>(AsResource(resource)->data.data());
}

LPVOID WINAPI LockResource(HGLOBAL resourceData) {
    if (resourceData == nullptr || Modules()->WithData(resourceData) == nullptr) return nullptr;
    return resourceData;
}

BOOL WINAPI FreeResource(HGLOBAL /*resourceData*/) { return FALSE; }
