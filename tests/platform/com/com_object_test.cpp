#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include <windows.h>

#include "platform/com/class_registry.h"
#include "platform/com/com_object.h"

namespace {

DEFINE_GUID(IID_ICounter, 0x5A1E0001, 0x0000, 0x4000, 0x80, 0, 0, 0, 0, 0, 0, 1);
DEFINE_GUID(IID_IResettableCounter, 0x5A1E0002, 0x0000, 0x4000, 0x80, 0, 0, 0, 0, 0, 0, 2);
DEFINE_GUID(IID_INamed, 0x5A1E0003, 0x0000, 0x4000, 0x80, 0, 0, 0, 0, 0, 0, 3);
DEFINE_GUID(IID_INeverImplemented, 0x5A1E0004, 0x0000, 0x4000, 0x80, 0, 0, 0, 0, 0, 0, 4);
DEFINE_GUID(CLSID_Probe, 0x5A1E1000, 0x0000, 0x4000, 0x80, 0, 0, 0, 0, 0, 0, 5);
DEFINE_GUID(CLSID_Unregistered, 0x5A1E1001, 0x0000, 0x4000, 0x80, 0, 0, 0, 0, 0, 0, 6);

struct ICounter : IUnknown {
    STDMETHOD_(int, Next)() PURE;
};

struct IResettableCounter : ICounter {
    STDMETHOD_(void, Reset)() PURE;
};

struct INamed : IUnknown {
    STDMETHOD_(const wchar_t*, Name)() PURE;
};

// Counts its live instances, so that tests see exactly when it is deleted.
class Probe : public platform::ComObject<
                  platform::Implements<IResettableCounter, IID_IResettableCounter>,
                  platform::AlsoAnswers<ICounter, IID_ICounter, IResettableCounter>,
                  platform::Implements<INamed, IID_INamed>> {
public:
    Probe() { ++alive; }

    STDMETHODIMP_(int) Next() override { return ++count_; }
    STDMETHODIMP_(void) Reset() override { count_ = 0; }
    STDMETHODIMP_(const wchar_t*) Name() override { return L"probe"; }

    static inline std::atomic<int> alive{0};

protected:
    ~Probe() override { --alive; }

private:
    int count_ = 0;
};

template <typename Interface>
Interface* Query(IUnknown* object, REFIID iid) {
    void* result = nullptr;
    EXPECT_EQ(object->QueryInterface(iid, &result), S_OK);
    return static_cast<Interface*>(result);
}

class ComObjectTest : public testing::Test {
protected:
    ~ComObjectTest() override { EXPECT_EQ(Probe::alive.load(), 0); }
};

TEST_F(ComObjectTest, EveryInterfaceGivesTheSameIdentity) {
    auto* counter = static_cast<IResettableCounter*>(new Probe);
    auto* named = Query<INamed>(counter, IID_INamed);
    auto* base = Query<ICounter>(named, IID_ICounter);
    auto* fromCounter = Query<IUnknown>(counter, IID_IUnknown);
    auto* fromNamed = Query<IUnknown>(named, IID_IUnknown);
    EXPECT_EQ(fromCounter, fromNamed);
    EXPECT_EQ(named->Name(), std::wstring(L"probe"));
    EXPECT_EQ(base->Next(), 1);
    counter->Reset();
    EXPECT_EQ(base->Next(), 1);
    for (IUnknown* reference : std::vector<IUnknown*>{named, base, fromCounter, fromNamed})
        reference->Release();
    EXPECT_EQ(Probe::alive.load(), 1);
    EXPECT_EQ(counter->Release(), 0u);
}

TEST_F(ComObjectTest, CountsReferencesExactly) {
    IUnknown* object = static_cast<INamed*>(new Probe);
    EXPECT_EQ(object->AddRef(), 2u);
    auto* named = Query<INamed>(object, IID_INamed);
    EXPECT_EQ(object->AddRef(), 4u);
    EXPECT_EQ(object->Release(), 3u);
    EXPECT_EQ(named->Release(), 2u);
    EXPECT_EQ(object->Release(), 1u);
    EXPECT_EQ(Probe::alive.load(), 1);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(Probe::alive.load(), 0);
}

TEST_F(ComObjectTest, RefusesUnknownInterfacesAndNullResults) {
    IUnknown* object = static_cast<INamed*>(new Probe);
    void* result = &result;
    EXPECT_EQ(object->QueryInterface(IID_INeverImplemented, &result), E_NOINTERFACE);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(object->QueryInterface(IID_INamed, nullptr), E_POINTER);
    EXPECT_EQ(object->Release(), 0u);
}

TEST_F(ComObjectTest, ReferencesFromManyThreadsAddUp) {
    IUnknown* object = static_cast<INamed*>(new Probe);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([object] {
            for (int i = 0; i < 20000; ++i) {
                object->AddRef();
                object->AddRef();
                object->Release();
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(object->AddRef(), 80002u);
    for (ULONG left = 80001; left > 0; --left) ASSERT_EQ(object->Release(), left);
    EXPECT_EQ(object->Release(), 0u);
}

class CoCreateInstanceTest : public ComObjectTest {
protected:
    CoCreateInstanceTest() {
        platform::RegisterComClass(CLSID_Probe, &platform::CreateComObject<Probe>);
    }
};

TEST_F(CoCreateInstanceTest, CreatesARegisteredClass) {
    INamed* named = nullptr;
    ASSERT_EQ(CoCreateInstance(CLSID_Probe, nullptr, CLSCTX_INPROC_SERVER, IID_INamed,
                               reinterpret_cast<void**>(&named)),
              S_OK);
    EXPECT_EQ(named->Name(), std::wstring(L"probe"));
    EXPECT_EQ(named->Release(), 0u);
}

TEST_F(CoCreateInstanceTest, RefusalsLeaveNoObjectBehind) {
    void* object = &object;
    EXPECT_EQ(CoCreateInstance(CLSID_Unregistered, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_Probe, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);

    Probe* outer = new Probe;
    EXPECT_EQ(CoCreateInstance(CLSID_Probe, static_cast<INamed*>(outer), CLSCTX_INPROC_SERVER,
                               IID_IUnknown, &object),
              CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
    static_cast<INamed*>(outer)->Release();

    EXPECT_EQ(CoCreateInstance(CLSID_Probe, nullptr, CLSCTX_INPROC_SERVER, IID_INeverImplemented,
                               &object),
              E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(Probe::alive.load(), 0);
    EXPECT_EQ(CoCreateInstance(CLSID_Probe, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, nullptr),
              E_POINTER);
}

}  // namespace
