// Class registries: where the document may hold one of several classes,
// the record's class name selects the factory that reads it. Each class
// registers itself in its own file with one line, for example
//     static const RegisterReader<KV_FlameLight, KV_2D_Light> registration(L"KV_FlameLight");
#pragma once

#include <map>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include <windef.h>

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/reader_factory.h"

class KV_2D_Light;
class KV_SlideContainer;
class KV_ABObj_Constructor;

// Class name → factory of the classes returned as B.
template <class B>
class ReaderRegistry {
public:
    using Factory = IOF_Virtual_ReaderII<B>;

    // Inserts, or replaces an entry of the same name.
    void Add(kv_string className, const Factory& factory) {
        factories_[std::move(className)] = &factory;
    }

    // Reads a record's class name and version and lets the class's factory
    // read the rest. A name that is not registered leaves the stream out
    // of step (records carry no length), so it fails the archive.
    std::unique_ptr<B> Find(KV_IOF_Virtual& archive) const {
        kv_string className;
        archive.ReadString(&className);
        DWORD version = 0;
        archive.ReadDword(&version);
        if (archive.Failed()) {
            return nullptr;
        }
        const auto found = factories_.find(className);
        if (found == factories_.end()) {
            archive.Fail();
            return nullptr;
        }
        return found->second->Create(archive, version);
    }

    std::vector<kv_string> Names() const {
        std::vector<kv_string> names;
        for (const auto& entry : factories_) {
            names.push_back(entry.first);
        }
        return names;
    }

private:
    std::map<kv_string, const Factory*> factories_;
};

ReaderRegistry<KV_2D_Light>& GetLightReaderRegistry();
ReaderRegistry<KV_SlideContainer>& GetSlideReaderRegistry();
ReaderRegistry<KV_ABObj_Constructor>& GetConstructorReaderRegistry();

// The registry of the classes returned as B.
template <class B>
ReaderRegistry<B>& RegistryOf();
template <>
inline ReaderRegistry<KV_2D_Light>& RegistryOf<KV_2D_Light>() {
    return GetLightReaderRegistry();
}
template <>
inline ReaderRegistry<KV_SlideContainer>& RegistryOf<KV_SlideContainer>() {
    return GetSlideReaderRegistry();
}
template <>
inline ReaderRegistry<KV_ABObj_Constructor>& RegistryOf<KV_ABObj_Constructor>() {
    return GetConstructorReaderRegistry();
}

// The static registration step of class T, returned as B: stores T's static
// factory under its class name in B's registry, once.
template <class T, class B>
class RegisterReader {
public:
    explicit RegisterReader(kv_string className) {
        static bool registered = false;
        if (!registered) {
            RegistryOf<B>().Add(std::move(className), Factory());
            registered = true;
        }
    }

private:
    using FactoryType = std::conditional_t<std::is_same_v<B, KV_ABObj_Constructor>,
                                           IOF_Virtual_ReaderT<T>, IOF_Virtual_ReaderT_II<T, B>>;

    static const FactoryType& Factory() {
        static const FactoryType factory;
        return factory;
    }
};
