// Kernel objects behind HANDLE values. A handle is a number in a table, so
// that a closed or made-up handle is refused instead of dereferenced, and
// an object stays alive while a call that looked it up still uses it.
#pragma once

#include <memory>

#include <windef.h>

namespace platform {

class KernelObject {
public:
    virtual ~KernelObject() = default;
    // WAIT_OBJECT_0 once signalled, WAIT_TIMEOUT when the time runs out.
    virtual DWORD Wait(DWORD milliseconds) = 0;
};

HANDLE AddHandle(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> ObjectOfHandle(HANDLE handle);

}  // namespace platform
