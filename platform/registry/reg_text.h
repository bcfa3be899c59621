// The Windows Registry Editor text format ("Windows Registry Editor Version
// 5.00"), in UTF-8.
#pragma once

#include "registry/registry_data.h"

#include <string>
#include <string_view>

namespace platform::registry {

// Reads what it can: a line that does not parse is skipped, values outside
// a valid [key] section are skipped, so damaged text never fails as a whole.
RegistryData ParseRegText(std::string_view utf8);

std::string FormatRegText(const RegistryData& data);

}  // namespace platform::registry
