// IUnknown for the layer's COM classes. A class lists what it answers:
//
//   class FilterGraph : public platform::ComObject<
//       platform::Implements<IGraphBuilder, IID_IGraphBuilder>,
//       platform::AlsoAnswers<IFilterGraph, IID_IFilterGraph, IGraphBuilder>,
//       platform::Implements<IMediaControl, IID_IMediaControl>> { ... };
//
// A new object holds one reference, its creator's; the last Release deletes
// it. IID_IUnknown is answered through the first interface, so that every
// interface of one object gives the same IUnknown pointer.
#pragma once

#include <atomic>
#include <new>

#include <unknwn.h>

namespace platform {

// An interface the class derives from, answered for its own IID.
template <typename Interface, const IID& Iid>
struct Implements : Interface {
    static const IID& Id() { return Iid; }
    template <typename Object>
    static Interface* Cast(Object* object) {
        return static_cast<Interface*>(object);
    }
};

// A base interface of an implemented one, answered through it.
template <typename Base, const IID& Iid, typename Through>
struct AlsoAnswers {
    static const IID& Id() { return Iid; }
    template <typename Object>
    static Base* Cast(Object* object) {
        return static_cast<Through*>(object);
    }
};

template <typename First, typename... Rest>
class ComObject : public First, public Rest... {
public:
    ComObject() = default;
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = Find(iid);
        if (*object == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

    STDMETHODIMP_(ULONG) AddRef() override {
        return references_.fetch_add(1, std::memory_order_relaxed) + 1;
    }

    STDMETHODIMP_(ULONG) Release() override {
        const ULONG left = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0) delete this;
        return left;
    }

protected:
    virtual ~ComObject() = default;

private:
    void* Find(REFIID iid) {
        if (IsEqualGUID(iid, IID_IUnknown)) return static_cast<IUnknown*>(First::Cast(this));
        void* found = nullptr;
        ((IsEqualGUID(iid, First::Id()) && (found = First::Cast(this)) != nullptr) || ... ||
         (IsEqualGUID(iid, Rest::Id()) && (found = Rest::Cast(this)) != nullptr));
        return found;
    }

    std::atomic<ULONG> references_{1};
};

// A class factory for RegisterComClass: a new object, asked for the
// interface, so that a refused interface leaves nothing behind.
template <typename Object>
HRESULT CreateComObject(REFIID iid, void** result) {
    Object* object = new (std::nothrow) Object();
    if (object == nullptr) {
        *result = nullptr;
        return E_OUTOFMEMORY;
    }
    const HRESULT status = object->QueryInterface(iid, result);
    object->Release();
    return status;
}

}  // namespace platform
