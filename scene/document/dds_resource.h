// Module resources by type and id; those of type "DDS" are the documents
// and the pictures, meshes and effects they link to by module and id.
#pragma once

#include <optional>
#include <span>

#include <windows.h>

// The bytes of resource id of type `type` in module (nullptr: the
// program's own); nothing when it is missing. The bytes live as long as
// the module.
std::optional<std::span<const BYTE>> FindModuleResource(HMODULE module, int id, LPCWSTR type);
// The same for type "DDS".
std::optional<std::span<const BYTE>> FindDdsResource(HMODULE module, int id);
