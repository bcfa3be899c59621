// Reader factories: one static object per registered class creates a new
// object of its class and reads its record's fields for the stored version.
// Classes provide `Read(KV_IOF_Virtual&, DWORD version)` for their fields.
#pragma once

#include <memory>

#include <windef.h>

#include "scene/document/kv_iof_virtual.h"

class KV_ABObj_Constructor;

// What every factory's Create does: a new T that reads the record's fields.
template <class T>
std::unique_ptr<T> ReadNewObject(KV_IOF_Virtual& archive, DWORD version) {
    auto object = std::make_unique<T>();
    object->Read(archive, version);
    return object;
}

// Base of the factories whose objects are returned as B.
template <class B>
class IOF_Virtual_ReaderII {
public:
    virtual std::unique_ptr<B> Create(KV_IOF_Virtual& archive, DWORD version) const = 0;

protected:
    ~IOF_Virtual_ReaderII() = default;
};

// Base of the factories of scene-object descriptions.
class IOF_Virtual_Reader : public IOF_Virtual_ReaderII<KV_ABObj_Constructor> {
protected:
    ~IOF_Virtual_Reader() = default;
};

template <class T>
class IOF_Virtual_ReaderT final : public IOF_Virtual_Reader {
public:
    std::unique_ptr<KV_ABObj_Constructor> Create(KV_IOF_Virtual& archive,
                                                 DWORD version) const override {
        return ReadNewObject<T>(archive, version);
    }
};

template <class T, class B>
class IOF_Virtual_ReaderT_II final : public IOF_Virtual_ReaderII<B> {
public:
    std::unique_ptr<B> Create(KV_IOF_Virtual& archive, DWORD version) const override {
        return ReadNewObject<T>(archive, version);
    }
};
