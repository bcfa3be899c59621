// The counts behind a resource's lifetime: the application's COM
// references, which keep the device alive while there are any, and the
// device's holds (resource_hold.h), which do not.
#pragma once

#include <atomic>

#include <d3d9.h>

namespace platform::d3d9 {

class ResourceLifetime {
public:
    // initialReferences: 1 for a resource handed to the application at
    // creation, 0 for one the device owns and hands out later.
    ResourceLifetime(IDirect3DDevice9& device, ULONG initialReferences)
        : device_(&device), references_(initialReferences) {
        if (initialReferences > 0) device.AddRef();
    }

    IDirect3DDevice9& device() const { return *device_; }
    ULONG references() const { return references_.load(std::memory_order_relaxed); }

    ULONG AddRef() {
        const ULONG count = references_.fetch_add(1, std::memory_order_relaxed) + 1;
        if (count == 1) device_->AddRef();
        return count;
    }
    // end() deletes the resource, this with it, once nothing is left.
    template <typename End>
    ULONG Release(End end) {
        const ULONG left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0) {
            IDirect3DDevice9* device = device_;
            if (holds_.load(std::memory_order_acquire) == 0) end();
            device->Release();  // may end the device, and with it the last hold
        }
        return left;
    }
    void AddHold() { holds_.fetch_add(1, std::memory_order_relaxed); }
    template <typename End>
    void ReleaseHold(End end) {
        if (holds_.fetch_sub(1, std::memory_order_acq_rel) == 1 && references() == 0) end();
    }

private:
    IDirect3DDevice9* device_;
    std::atomic<ULONG> references_;
    std::atomic<ULONG> holds_{0};
};

}  // namespace platform::d3d9
