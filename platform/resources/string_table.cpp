#include "resources/string_table.h"

#include <platform/unicode.h>

namespace platform::resources {

std::optional<std::wstring> StringInBlock(std::span<const uint8_t> block, UINT index) {
    std::size_t offset = 0;
    for (UINT slot = 0;; ++slot) {
        if (block.size() - offset < 2) return std::nullopt;
        const std::size_t bytes = 2 * std::size_t{static_cast<WORD>(block[offset] | (block[offset + 1] << 8))};
        offset += 2;
        if (block.size() - offset < bytes) return std::nullopt;
        if (slot == index) return WideFromUtf16Le(block.data() + offset, bytes);
        offset += bytes;
    }
}

}  // namespace platform::resources
