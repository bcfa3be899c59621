// Reader of the 32-bit .res format that resource compilers write.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include <windef.h>

#include "resources/resource_name.h"

namespace platform::resources {

struct ResEntry {
    ResourceName type;
    ResourceName name;
    WORD language;
    std::span<const uint8_t> data;  // inside the bytes given to ReadResEntries
};

// Sizes in the file are never trusted: a damaged file gives the entries
// read before the damage, or none when it is no .res file at all.
std::vector<ResEntry> ReadResEntries(std::span<const uint8_t> bytes);

}  // namespace platform::resources
