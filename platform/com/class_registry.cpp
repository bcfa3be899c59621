#include "com/class_registry.h"

#include <dshow.h>

#include <mutex>
#include <utility>
#include <vector>

#include "dshow/filter_graph.h"

namespace platform {
namespace {

class ClassRegistry {
public:
    void Register(REFCLSID clsid, ComClassFactory factory) {
        const std::lock_guard lock(mutex_);
        for (auto& [registered, existing] : classes_) {
            if (IsEqualGUID(registered, clsid)) {
                existing = factory;
                return;
            }
        }
        classes_.emplace_back(clsid, factory);
    }

    ComClassFactory Find(REFCLSID clsid) {
        const std::lock_guard lock(mutex_);
        for (const auto& [registered, factory] : classes_)
            if (IsEqualGUID(registered, clsid)) return factory;
        return nullptr;
    }

private:
    std::mutex mutex_;
    std::vector<std::pair<CLSID, ComClassFactory>> classes_;
};

// The layer's own classes are there from the start.
ClassRegistry& Registry() {
    static ClassRegistry& registry = [] () -> ClassRegistry& {
        static ClassRegistry classes;
        classes.Register(CLSID_FilterGraph, &dshow::CreateFilterGraph);
        return classes;
    }();
    return registry;
}

}  // namespace

void RegisterComClass(REFCLSID clsid, ComClassFactory factory) {
    Registry().Register(clsid, factory);
}

}  // namespace platform

// Every class lives in this process; none supports aggregation.
extern "C" HRESULT WINAPI CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context,
                                           REFIID iid, LPVOID* object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    const platform::ComClassFactory factory = platform::Registry().Find(clsid);
    if (factory == nullptr || (context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return factory(iid, object);
}
