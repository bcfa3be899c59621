// A COM reference the device holds on what is set on it (textures,
// buffers, render targets), released when replaced or when the device goes.
#pragma once

#include <utility>

namespace platform::d3d9 {

template <typename Interface>
class HeldReference {
public:
    HeldReference() = default;
    ~HeldReference() { Set(nullptr); }
    HeldReference(const HeldReference&) = delete;
    HeldReference& operator=(const HeldReference&) = delete;

    void Set(Interface* pointer) {
        if (pointer) pointer->AddRef();
        Interface* previous = std::exchange(pointer_, pointer);
        if (previous) previous->Release();
    }
    Interface* get() const { return pointer_; }
    // For a Get method: the caller gets a reference of its own.
    Interface* HandOut() const {
        if (pointer_) pointer_->AddRef();
        return pointer_;
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace platform::d3d9
