// String tables: RT_STRING blocks of 16 counted UTF-16LE strings.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include <windef.h>

namespace platform::resources {

constexpr UINT kStringsPerBlock = 16;

constexpr WORD StringBlockId(UINT stringId) { return static_cast<WORD>(stringId / kStringsPerBlock + 1); }

// The string at index (0 to 15) of a block; empty when the slot is
// empty, nullopt when the block ends before it.
std::optional<std::wstring> StringInBlock(std::span<const uint8_t> block, UINT index);

}  // namespace platform::resources
