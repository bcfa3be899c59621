#include "d3d9/index_range.h"

#include <algorithm>

namespace platform::d3d9 {

IndexRange ScanIndices(const BYTE* indices, UINT size, UINT count) {
    IndexRange range;
    for (UINT i = 0; i < count; ++i) {
        UINT index = 0;
        if (size == 2) {
            index = static_cast<UINT>(indices[i * 2] | indices[i * 2 + 1] << 8);
        } else {
            const BYTE* at = indices + static_cast<size_t>(i) * 4;
            index = static_cast<UINT>(at[0] | at[1] << 8 | at[2] << 16) | static_cast<UINT>(at[3]) << 24;
        }
        range.lowest = std::min(range.lowest, index);
        range.highest = std::max(range.highest, index);
    }
    return range;
}

}  // namespace platform::d3d9
