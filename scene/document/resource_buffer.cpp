#include "scene/document/resource_buffer.h"

#include <cstring>

ResourceBuffer::ResourceBuffer(const void* bytes, std::size_t size)
    : cursor_(static_cast<const BYTE*>(bytes)), end_(cursor_ + size) {}

bool ResourceBuffer::StartsWith(const BYTE* bytes, std::size_t size) const {
    return !failed_ && size <= Remaining() && std::memcmp(cursor_, bytes, size) == 0;
}

const BYTE* ResourceBuffer::Take(std::size_t size) {
    if (failed_ || size > Remaining()) {
        failed_ = true;
        return nullptr;
    }
    const BYTE* taken = cursor_;
    cursor_ += size;
    return taken;
}

bool ResourceBuffer::CanHold(std::uint64_t count, std::size_t minBytesEach) {
    // Compared by division: count × size may not fit in 64 bits.
    if (failed_ || (minBytesEach != 0 && count > Remaining() / minBytesEach)) {
        failed_ = true;
    }
    return !failed_;
}
