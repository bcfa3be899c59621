// The compressed .x encodings: MSZIP blocks after the 16-byte header.
#pragma once

#include <windef.h>

#include <span>
#include <vector>

namespace platform::d3dx9 {

// Inflates the blocks that follow the header into the uncompressed body.
// Fails on a block that does not inflate to exactly its stated size, and
// on output beyond the size the file states.
bool InflateMszip(std::span<const BYTE> compressed, std::vector<BYTE>& body);

}  // namespace platform::d3dx9
