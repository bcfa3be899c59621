// A resource's bytes on the CPU, which Lock hands out, shared with the
// uploads queued from them. Writing to bytes that a queued upload still
// reads never waits for it: the writer gets a fresh block instead, a copy
// of the old one (copy on write) or, for D3DLOCK_DISCARD, a block whose
// contents are undefined (a rename). Blocks renamed away are kept to be
// renamed to again, so that a buffer discarded every frame allocates
// nothing once it has a few.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include <d3d9.h>

namespace platform::d3d9 {

class ByteBlock {
public:
    // size zero bytes, with one user: the caller.
    static ByteBlock* Create(size_t size);
    void Retain() { users_.fetch_add(1, std::memory_order_relaxed); }
    // Deletes the block with its last user.
    void Release();
    BYTE* data() { return bytes_.get(); }
    size_t size() const { return size_; }
    // Whether anyone besides the caller's one reference uses it.
    bool Shared() const { return users_.load(std::memory_order_acquire) > 1; }

private:
    explicit ByteBlock(size_t size) : bytes_(new BYTE[size]()), size_(size) {}

    std::atomic<unsigned> users_{1};
    std::unique_ptr<BYTE[]> bytes_;
    size_t size_;
};

class SharedBytes {
public:
    SharedBytes() = default;
    explicit SharedBytes(size_t size);
    ~SharedBytes();
    SharedBytes(SharedBytes&& other) noexcept;
    SharedBytes& operator=(SharedBytes&& other) noexcept;

    bool empty() const { return block_ == nullptr; }
    size_t size() const { return block_ ? block_->size() : 0; }
    const BYTE* data() const { return block_ ? block_->data() : nullptr; }
    // In place: for reading through a lock, or writing what no queued
    // upload reads.
    BYTE* data() { return block_ ? block_->data() : nullptr; }
    // The bytes to write to; keep: their contents must stay (else a
    // block in use is renamed to one whose contents are undefined).
    BYTE* Writable(bool keep);
    // A reference to the current block for an upload, released by it.
    ByteBlock* Share();

private:
    ByteBlock* block_ = nullptr;
    std::vector<ByteBlock*> renamed_;  // ours alone once their uploads ran
};

}  // namespace platform::d3d9
