// Holding a device's thread back, so that what a test records stays
// queued until the test lets the thread go on.
#pragma once

#include <condition_variable>
#include <mutex>

#include <d3d9.h>

namespace d3d9_test {

class Gate {
public:
    void Wait() {
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [this] { return open_; });
    }
    void Open() {
        {
            const std::lock_guard lock(mutex_);
            open_ = true;
        }
        opened_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

// The device's thread waits at the gate once it has run what came before.
// false when the device runs everything at once (it would wait for ever).
bool HoldAt(IDirect3DDevice9* device, Gate& gate);

}  // namespace d3d9_test
