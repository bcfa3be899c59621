// What the device holds on a resource set on it (texture, buffer, render
// target): a hold keeps the resource alive but, unlike a COM reference,
// not its device. A device whose application references are gone thus
// ends even with resources still set, releasing its holds, as Direct3D 9's
// does; COM references both ways would keep both alive for ever.
#pragma once

#include <d3d9.h>

namespace platform::d3d9 {

class ResourceHold {
public:
    virtual void AddHold() = 0;
    virtual void ReleaseHold() = 0;

protected:
    ~ResourceHold() = default;
};

inline ResourceHold* AsResourceHold(IUnknown* resource) { return dynamic_cast<ResourceHold*>(resource); }

}  // namespace platform::d3d9
