// The bytes a reading archive takes its values from: a cursor into memory
// that knows where the document ends. A value that would run past the end
// fails the buffer, and a failed buffer yields nothing more.
#pragma once

#include <cstddef>
#include <cstdint>

#include <windef.h>

class ResourceBuffer {
public:
    ResourceBuffer() = default;
    ResourceBuffer(const void* bytes, std::size_t size);

    // Points the cursor at resource "DDS" `id` (low 16 bits) of `module`
    // (null: the program's own module). Returns whether the cursor is set.
    bool OpenResource(HMODULE module, int id);

    bool HasCursor() const { return cursor_ != nullptr; }
    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - cursor_); }
    bool Failed() const { return failed_; }
    void Fail() { failed_ = true; }

    // Whether the unread bytes begin with these; nothing is taken.
    bool StartsWith(const BYTE* bytes, std::size_t size) const;
    // The next `size` bytes, consumed; null (and failed) when fewer remain.
    const BYTE* Take(std::size_t size);
    // Whether `count` items of at least `minBytesEach` bytes fit in what
    // remains; fails the buffer when they do not.
    bool CanHold(std::uint64_t count, std::size_t minBytesEach);

private:
    const BYTE* cursor_ = nullptr;
    const BYTE* end_ = nullptr;
    bool failed_ = false;
};
