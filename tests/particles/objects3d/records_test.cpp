// The records of the 3D objects and mesh arrays: hand-assembled bytes of
// every layout read through the description registry, each followed by a
// value that must still read, and written back the way they were read.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "particles/objects3d/kv_3d_in_2d_array_constructor.h"
#include "particles/objects3d/kv_butterfly_constructor.h"
#include "particles/objects3d/kv_clock_constructor.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/resources/kv_docresmanager.h"
#include "support/document_bytes.h"

namespace {

constexpr DWORD kSentinel = 0x5E471E1;

Bytes Le64(LONGLONG value)
{
    return Join({Le32(static_cast<DWORD>(value)), Le32(static_cast<DWORD>(static_cast<ULONGLONG>(value) >> 32))});
}

Bytes Link(std::u16string_view path, LONGLONG stamp) { return Join({ShortString(path), Le64(stamp)}); }

// The rectangle record (version 2) and a base record without a time line.
Bytes ViewObjCtrlRecord()
{
    return Join({Frame(u"KV_ViewObjCtrl", 2), LeInt(10), LeInt(90), LeInt(20), LeInt(80), LeInt(0), LeInt(0),
                 LeFloat(0.1f), LeFloat(0.9f), LeFloat(0.2f), LeFloat(0.8f), Bytes{1}, Le32(75),
                 Frame(u"KV_ABObj_Constructor", 1), ShortString(u"flyer")});
}

Bytes ObjCtrlRecord(DWORD count)
{
    return Join({Frame(u"KV_3D_Obj_Ctrl", 1), Le32(count), Le32(120), Link(u"wings.png", 77),
                 Link(u"common_res.dll", 69), ViewObjCtrlRecord()});
}

Bytes ButterflyRecord(DWORD version)
{
    Bytes record = Join({Frame(u"KV_ButterflyConstructor", version), Link(u"body.png", 12), Link(u"", 0), Le32(30),
                         Le32(40)});
    if (version >= 2)
        Append(record, LeFloat(1.5f));
    Append(record, ObjCtrlRecord(3));
    return record;
}

Bytes ClockRecord()
{
    return Join({Frame(u"KV_ClockConstructor", 1), LeInt(300), LeInt(500), LeInt(100), LeInt(300), LeInt(400),
                 LeInt(200), Link(u"common_res.dll", 73), ObjCtrlRecord(0xFFFFFFFF)});
}

Bytes Entry(INT id, std::u16string_view module, const Bytes& bytes, std::u16string_view fileName)
{
    return Join({LeInt(id), ShortString(module), Le32(static_cast<DWORD>(bytes.size())), bytes, ShortString(fileName)});
}

Bytes MeshArrayRecord()
{
    return Join({Frame(u"KV_3D_in_2D_array_Constructor", 1), ShortString(u"leaves"), Le32(5),
                 Entry(0, u"", {'x', 'o', 'f'}, u"leaf.x"), Entry(71, u"common_res.dll", {}, u""), Le32(40), Le32(60),
                 Le32(30), Le32(20), Le32(150), Le32(90), Frame(u"KV_ABObj_Constructor", 1), ShortString(u"leaves")});
}

// Reads one description and the sentinel after it.
std::unique_ptr<KV_ABObj_Constructor> ReadWithSentinel(const Bytes& record)
{
    const HeldBytes held(Join({record, Le32(kSentinel)}));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> archive(buffer);
    std::unique_ptr<KV_ABObj_Constructor> read = KV_ABObj_Constructor::ReadNew(archive);
    DWORD sentinel = 0;
    archive.ReadDword(&sentinel);
    EXPECT_FALSE(archive.Failed());
    EXPECT_EQ(sentinel, kSentinel);
    EXPECT_EQ(buffer.Remaining(), 0u);
    return read;
}

Bytes Written(const KV_ABObj_Constructor& description)
{
    KV_IOF_W writer;
    description.Write(writer);
    return writer.TakeBytes();
}

// Checks a description read from the fixture, then the same after a write
// and a read of what was written; writing that again gives the same bytes.
template <class T>
void ExpectRecord(const Bytes& fixture, const std::function<void(const T&)>& expect)
{
    const std::unique_ptr<KV_ABObj_Constructor> read = ReadWithSentinel(fixture);
    const T* kind = dynamic_cast<const T*>(read.get());
    ASSERT_NE(kind, nullptr);
    expect(*kind);
    const Bytes written = Written(*kind);
    const std::unique_ptr<KV_ABObj_Constructor> reread = ReadWithSentinel(written);
    const T* again = dynamic_cast<const T*>(reread.get());
    ASSERT_NE(again, nullptr);
    expect(*again);
    EXPECT_EQ(Written(*again), written);
}

void ExpectObjCtrlFields(const KV_3D_Obj_Ctrl& d, unsigned int count)
{
    EXPECT_EQ(d.instanceCount.Value(), count);
    EXPECT_EQ(d.size.Value(), 120u);
    EXPECT_EQ(d.texture.Key(), (ResourceKey{L"wings.png", 77}));
    EXPECT_EQ(d.mesh.Key(), (ResourceKey{L"common_res.dll", 69}));
    EXPECT_EQ(d.pixelRect.left.Value(), 10);
    EXPECT_EQ(d.pixelRect.bottom.Value(), 80);
    EXPECT_FLOAT_EQ(d.relative.right, 0.9f);
    EXPECT_TRUE(d.setting);
    EXPECT_EQ(d.speed.Value(), 75u);
    EXPECT_EQ(d.name, L"flyer");
}

TEST(ObjectRecordsTest, ButterflyOfEitherVersion)
{
    for (DWORD version : {1u, 2u}) {
        SCOPED_TRACE(version);
        ExpectRecord<KV_ButterflyConstructor>(ButterflyRecord(version), [&](const KV_ButterflyConstructor& d) {
            EXPECT_EQ(d.bodyTexture.Key(), (ResourceKey{L"body.png", 12}));
            // A stored empty link replaces the default.
            EXPECT_EQ(d.bodyMesh.Key(), (ResourceKey{L"", 0}));
            EXPECT_EQ(d.firstScaled.Value(), 30u);
            EXPECT_FLOAT_EQ(d.firstScaled.Result(), 30.0f);
            EXPECT_EQ(d.secondScaled.Value(), 40u);
            EXPECT_FLOAT_EQ(d.wingScale, version >= 2 ? 1.5f : 1.0f);
            ExpectObjCtrlFields(d, 3);
        });
    }
}

TEST(ObjectRecordsTest, Clock)
{
    ExpectRecord<KV_ClockConstructor>(ClockRecord(), [](const KV_ClockConstructor& d) {
        const MediaRectangle& r = d.placement;
        EXPECT_EQ(r.left.Value(), 300);
        EXPECT_EQ(r.right.Value(), 500);
        EXPECT_EQ(r.top.Value(), 100);
        EXPECT_EQ(r.bottom.Value(), 300);
        EXPECT_EQ(r.extra1.Value(), 400);
        EXPECT_EQ(r.extra2.Value(), 200);
        EXPECT_EQ(d.handsTexture.Key(), (ResourceKey{L"common_res.dll", 73}));
        ExpectObjCtrlFields(d, 0xFFFFFFFF);
    });
}

TEST(ObjectRecordsTest, MeshArrayWithBothEntries)
{
    ExpectRecord<KV_3D_in_2D_array_Constructor>(MeshArrayRecord(), [](const KV_3D_in_2D_array_Constructor& d) {
        EXPECT_EQ(d.name, L"leaves");
        EXPECT_EQ(d.instanceCount.Value(), 5u);
        EXPECT_EQ(d.mesh.Id(), 0);
        EXPECT_EQ(d.mesh.FileName(), L"leaf.x");
        ASSERT_EQ(d.mesh.Size(), 3u);
        EXPECT_EQ(d.mesh.Data()[0], 'x');
        EXPECT_EQ(d.texture.Id(), 71);
        EXPECT_EQ(d.texture.ModuleName(), L"common_res.dll");
        EXPECT_EQ(d.texture.Size(), 0u);
        EXPECT_EQ(d.drift.size.Value(), 40u);
        EXPECT_EQ(d.drift.speed.Value(), 60u);
        EXPECT_EQ(d.drift.sway.Value(), 30u);
        EXPECT_EQ(d.drift.wobbleChangeRate.Value(), 20u);
        EXPECT_EQ(d.drift.spinSpeed.Value(), 150u);
        // The direction goes through its setter: the axes match it.
        EXPECT_EQ(d.drift.angle, 90);
        EXPECT_NEAR(d.drift.direction.y, -1.0f, 1e-6f);
        EXPECT_NEAR(d.drift.side.x, -1.0f, 1e-6f);
    });
}

// A document cut anywhere inside a record fails the archive, never reads
// past its end.
TEST(ObjectRecordsTest, EveryTruncationFailsCleanly)
{
    for (const Bytes& record : {ButterflyRecord(2), ClockRecord(), MeshArrayRecord()}) {
        for (std::size_t size = 0; size < record.size(); ++size) {
            const HeldBytes held(Bytes(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(size)));
            ResourceBuffer buffer = held.Buffer();
            KV_IOF_R<ResourceBuffer> archive(buffer);
            KV_ABObj_Constructor::ReadNew(archive);
            EXPECT_TRUE(archive.Failed()) << size;
        }
    }
}

TEST(ObjectRecordsTest, DefaultsNameTheSharedModule)
{
    const KV_ButterflyConstructor butterfly;
    EXPECT_EQ(butterfly.bodyTexture.Key(), (ResourceKey{L"common_res.dll", 6}));
    EXPECT_EQ(butterfly.bodyMesh.Key(), (ResourceKey{L"common_res.dll", 68}));
    EXPECT_EQ(butterfly.mesh.Key(), (ResourceKey{L"common_res.dll", 69}));
    EXPECT_EQ(butterfly.texture.Key(), ResourceKey{});
    EXPECT_EQ(butterfly.size.Value(), 100u);
    EXPECT_EQ(butterfly.speed.Value(), 50u);
    const KV_ClockConstructor clock;
    EXPECT_EQ(clock.mesh.Key(), (ResourceKey{L"common_res.dll", 70}));
    EXPECT_EQ(clock.texture.Key(), (ResourceKey{L"common_res.dll", 71}));
    EXPECT_EQ(clock.handsTexture.Key(), (ResourceKey{L"common_res.dll", 72}));
    EXPECT_EQ(clock.size.Value(), 400u);
    EXPECT_TRUE(clock.HasRectPlacement());
    EXPECT_FALSE(butterfly.HasRectPlacement());
}

// Written image links take their pictures into the saved document.
TEST(ObjectRecordsTest, WritingRegistersThePicturesWithTheManager)
{
    KV_DocResManager manager;
    g_currentDocResManager = &manager;
    KV_ButterflyConstructor butterfly;
    const ResourceKey wings{L"wings.png", 5};
    butterfly.texture.SetKey(wings);
    manager.Tables().entries[wings].emplace_back(0);
    manager.Tables().entries[butterfly.bodyTexture.Key()].emplace_back(6, L"common_res.dll");
    Written(butterfly);
    g_currentDocResManager = nullptr;
    EXPECT_EQ(manager.Tables().images.count(wings), 1u);
    EXPECT_EQ(manager.Tables().images.count(butterfly.bodyTexture.Key()), 1u);
}

}  // namespace
