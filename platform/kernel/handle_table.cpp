#include "kernel/handle_table.h"

#include <mutex>
#include <unordered_map>

#include <windows.h>

namespace platform {
namespace {

class HandleTable {
public:
    HANDLE Add(std::shared_ptr<KernelObject> object) {
        const std::lock_guard lock(mutex_);
        const uintptr_t value = (++lastId_) * 4;  // like Windows, multiples of four
        objects_.emplace(value, std::move(object));
        return reinterpret_cast<HANDLE>(value);
    }

    std::shared_ptr<KernelObject> Find(HANDLE handle) {
        const std::lock_guard lock(mutex_);
        const auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
        return found == objects_.end() ? nullptr : found->second;
    }

    // The object itself goes outside the lock: its destructor may take time.
    std::shared_ptr<KernelObject> Remove(HANDLE handle) {
        const std::lock_guard lock(mutex_);
        const auto found = objects_.find(reinterpret_cast<uintptr_t>(handle));
        if (found == objects_.end()) return nullptr;
        std::shared_ptr<KernelObject> object = std::move(found->second);
        objects_.erase(found);
        return object;
    }

private:
    std::mutex mutex_;
    uintptr_t lastId_ = 0;
    std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> objects_;
};

HandleTable& Table() {
    static HandleTable table;
    return table;
}

}  // namespace

HANDLE AddHandle(std::shared_ptr<KernelObject> object) { return Table().Add(std::move(object)); }

std::shared_ptr<KernelObject> ObjectOfHandle(HANDLE handle) { return Table().Find(handle); }

}  // namespace platform

extern "C" {

BOOL WINAPI CloseHandle(HANDLE object) {
    if (object == GetCurrentThread()) return TRUE;  // pseudo handles need no closing
    if (platform::Table().Remove(object) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE object, DWORD milliseconds) {
    const std::shared_ptr<platform::KernelObject> target = platform::ObjectOfHandle(object);
    if (target == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    return target->Wait(milliseconds);
}

}  // extern "C"
