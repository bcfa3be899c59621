// Tests only: add or replace resources of the program's own module.
#pragma once

#include <cstdint>
#include <vector>

#include <windef.h>

namespace platform::sim {

// type and name as for FindResourceW (MAKEINTRESOURCEW or a string).
void SetOwnModuleResource(LPCWSTR type, LPCWSTR name, std::vector<uint8_t> bytes);
void RemoveOwnModuleResource(LPCWSTR type, LPCWSTR name);
// Back to the resources linked into the program, overlaid by the .res file
// named after the program beside it, read again.
void ResetOwnModuleResources();

}  // namespace platform::sim
