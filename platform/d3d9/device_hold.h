// The device's hold on what is set on it (textures, buffers, render
// targets): it keeps the resource alive without keeping the device alive
// (resource_hold.h), and goes when replaced or when the device goes.
#pragma once

#include <utility>

#include "d3d9/resource_hold.h"

namespace platform::d3d9 {

template <typename Interface>
class DeviceHold {
public:
    DeviceHold() = default;
    ~DeviceHold() { Set(nullptr); }
    DeviceHold(const DeviceHold&) = delete;
    DeviceHold& operator=(const DeviceHold&) = delete;

    // pointer: a resource of this layer (every one is a ResourceHold), or nullptr.
    void Set(Interface* pointer) {
        if (pointer) AsResourceHold(pointer)->AddHold();
        Interface* previous = std::exchange(pointer_, pointer);
        if (previous) AsResourceHold(previous)->ReleaseHold();
    }
    Interface* get() const { return pointer_; }
    // For a Get method: the caller gets a COM reference of its own.
    Interface* HandOut() const {
        if (pointer_) pointer_->AddRef();
        return pointer_;
    }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace platform::d3d9
