// Class registries: exact lookup by class name, the stored version handed
// to the factory, and an unknown name ending the read. Uses registries of
// its own so that the engine's registries stay as the classes fill them.
#include <gtest/gtest.h>

#include "support/document_bytes.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/reader_registry.h"

namespace {

struct TestLayer {
    virtual ~TestLayer() = default;
    DWORD version = 0;
    INT field = 0;
};

// Layer classes that differ only in their type, each with its own factory.
template <int Kind>
struct KindOfLayer : TestLayer {
    void Read(KV_IOF_Virtual& archive, DWORD storedVersion) {
        version = storedVersion;
        archive.ReadInt(&field);
    }
};

using PlainLayer = KindOfLayer<0>;
using FlameLayer = KindOfLayer<1>;

}  // namespace

template <>
ReaderRegistry<TestLayer>& RegistryOf<TestLayer>() {
    static ReaderRegistry<TestLayer> registry;
    return registry;
}

namespace {

const RegisterReader<PlainLayer, TestLayer> plainRegistration(L"PlainLayer");
const RegisterReader<FlameLayer, TestLayer> flameRegistration(L"FlameLayer");
// A class registers once: a second step for the same class does nothing.
const RegisterReader<FlameLayer, TestLayer> repeatedRegistration(L"FlameLayerAgain");

Bytes Record(std::u16string_view className, DWORD version, INT field) {
    return Join({Frame(className, version), LeInt(field)});
}

TEST(ReaderRegistryTest, HoldsEachRegisteredClassOnce) {
    EXPECT_EQ(RegistryOf<TestLayer>().Names(),
              (std::vector<kv_string>{L"FlameLayer", L"PlainLayer"}));
}

struct VersionCase {
    std::u16string className;
    DWORD version;
};

void PrintTo(const VersionCase& c, std::ostream* os) {
    *os << std::string(c.className.begin(), c.className.end()) << " v" << c.version;
}

class RegistryLookups : public testing::TestWithParam<VersionCase> {};

TEST_P(RegistryLookups, CreateTheNamedClassWithTheStoredVersion) {
    const VersionCase& c = GetParam();
    HeldBytes held(Record(c.className, c.version, -5));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    std::unique_ptr<TestLayer> layer = RegistryOf<TestLayer>().Find(reader);
    ASSERT_NE(layer, nullptr);
    EXPECT_FALSE(reader.Failed());
    if (c.className == u"FlameLayer") {
        EXPECT_NE(dynamic_cast<FlameLayer*>(layer.get()), nullptr);
    } else {
        EXPECT_NE(dynamic_cast<PlainLayer*>(layer.get()), nullptr);
    }
    EXPECT_EQ(layer->version, c.version);
    EXPECT_EQ(layer->field, -5);
    EXPECT_EQ(buffer.Remaining(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Versions, RegistryLookups,
                         testing::Values(VersionCase{u"FlameLayer", 1}, VersionCase{u"FlameLayer", 4},
                                         VersionCase{u"PlainLayer", 0},
                                         VersionCase{u"PlainLayer", 0xFFFFFFFF}));

class RegistryUnknownNames : public testing::TestWithParam<std::u16string> {};

TEST_P(RegistryUnknownNames, YieldNothingAndFailTheArchive) {
    const Bytes trailing = Le32(123);
    HeldBytes held(Join({Frame(GetParam(), 2), trailing}));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    EXPECT_EQ(RegistryOf<TestLayer>().Find(reader), nullptr);
    EXPECT_TRUE(reader.Failed());
    // Only the class name and the version were consumed.
    EXPECT_EQ(buffer.Remaining(), trailing.size());
}

INSTANTIATE_TEST_SUITE_P(Names, RegistryUnknownNames,
                         testing::Values(u"flamelayer", u"FLAMELAYER", u"FlameLaye", u"FlameLayer ",
                                         u"FlameLayerAgain", u"KV_2D_Light", u""));

TEST(ReaderRegistryTest, ARecordCutShortYieldsNothing) {
    HeldBytes held(Join({ShortString(u"FlameLayer"), {2, 0}}));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    EXPECT_EQ(RegistryOf<TestLayer>().Find(reader), nullptr);
    EXPECT_TRUE(reader.Failed());
}

TEST(ReaderRegistryTest, ALaterEntryUnderTheSameNameReplacesTheFirst) {
    ReaderRegistry<TestLayer> registry;
    const IOF_Virtual_ReaderT_II<PlainLayer, TestLayer> plain;
    const IOF_Virtual_ReaderT_II<FlameLayer, TestLayer> flame;
    registry.Add(L"Layer", plain);
    registry.Add(L"Layer", flame);
    HeldBytes held(Record(u"Layer", 1, 0));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    const std::unique_ptr<TestLayer> layer = registry.Find(reader);
    EXPECT_NE(dynamic_cast<FlameLayer*>(layer.get()), nullptr);
}

}  // namespace
