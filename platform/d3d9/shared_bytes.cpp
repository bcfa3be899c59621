#include "d3d9/shared_bytes.h"

#include <algorithm>
#include <cstring>

namespace platform::d3d9 {
namespace {

// Enough for the frames a device runs behind.
constexpr size_t kKeptBlocks = 4;

}  // namespace

ByteBlock* ByteBlock::Create(size_t size) { return new ByteBlock(size); }

void ByteBlock::Release() {
    if (users_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

SharedBytes::SharedBytes(size_t size) : block_(size ? ByteBlock::Create(size) : nullptr) {}

SharedBytes::SharedBytes(SharedBytes&& other) noexcept
    : block_(std::exchange(other.block_, nullptr)), renamed_(std::move(other.renamed_)) {}

SharedBytes& SharedBytes::operator=(SharedBytes&& other) noexcept {
    std::swap(block_, other.block_);
    std::swap(renamed_, other.renamed_);
    return *this;
}

SharedBytes::~SharedBytes() {
    if (block_) block_->Release();
    for (ByteBlock* block : renamed_) block->Release();
}

BYTE* SharedBytes::Writable(bool keep) {
    if (!block_ || !block_->Shared()) return block_ ? block_->data() : nullptr;
    ByteBlock* fresh = nullptr;
    const auto unused = std::find_if(renamed_.begin(), renamed_.end(), [](ByteBlock* b) { return !b->Shared(); });
    if (unused != renamed_.end()) {
        fresh = *unused;
        renamed_.erase(unused);
    } else {
        fresh = ByteBlock::Create(block_->size());
    }
    if (keep) std::memcpy(fresh->data(), block_->data(), block_->size());
    renamed_.push_back(block_);
    if (renamed_.size() > kKeptBlocks) {
        renamed_.front()->Release();
        renamed_.erase(renamed_.begin());
    }
    block_ = fresh;
    return block_->data();
}

ByteBlock* SharedBytes::Share() {
    block_->Retain();
    return block_;
}

}  // namespace platform::d3d9
