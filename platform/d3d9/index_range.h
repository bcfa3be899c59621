// The lowest and highest vertex an index list names: what a draw reads.
#pragma once

#include <d3d9.h>

#include <limits>

namespace platform::d3d9 {

struct IndexRange {
    UINT lowest = std::numeric_limits<UINT>::max();
    UINT highest = 0;
};

// count indices of size bytes (2 or 4), little-endian.
IndexRange ScanIndices(const BYTE* indices, UINT size, UINT count);

}  // namespace platform::d3d9
