// Little-endian fields at checked offsets of a file in memory.
#pragma once

#include <windef.h>

#include <cstddef>
#include <span>

namespace platform::d3dx9 {

class ByteReader {
public:
    explicit ByteReader(std::span<const BYTE> bytes) : bytes_(bytes) {}

    bool Has(size_t offset, size_t count) const { return offset <= bytes_.size() && count <= bytes_.size() - offset; }

    // Zero when the field lies beyond the end; callers check Has first
    // where that matters.
    DWORD Dword(size_t offset) const { return DWORD(Field(offset, 4)); }
    WORD Word(size_t offset) const { return WORD(Field(offset, 2)); }

    std::span<const BYTE> Bytes(size_t offset, size_t count) const { return bytes_.subspan(offset, count); }

private:
    DWORD Field(size_t offset, size_t count) const {
        if (!Has(offset, count)) return 0;
        DWORD value = 0;
        for (size_t i = 0; i < count; ++i) value |= DWORD{bytes_[offset + i]} << (8 * i);
        return value;
    }

    std::span<const BYTE> bytes_;
};

}  // namespace platform::d3dx9
