// The records of the masked effects at every version, read from fixtures
// that must be read exactly to their end, written back, and the clone and
// grid of the base.
#include <functional>
#include <memory>

#include <gtest/gtest.h>

#include "effects/screenfx/background_copy.h"
#include "effects/screenfx/light_fx.h"
#include "effects/screenfx/light_fx_ii.h"
#include "effects/screenfx/pattern_brush.h"
#include "effects/screenfx/underwater_fx.h"
#include "effects/screenfx/water_fx.h"
#include "effects/screenfx/waves_fx.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/model/picture_placement.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/render/render_fixture.h"
#include "support/document_bytes.h"

namespace screenfx_test {
namespace {

const GUID kMaskGuid = {0x12345678, 0x9ABC, 0xDEF0, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88}};
constexpr char16_t kMaskGuidText[] = u"{12345678-9ABC-DEF0-1122-334455667788}";

// The base part at a version, with speed 7, the scene read, scale 80 and a
// placement of corner k at (k, 10 k, 0.5).
Bytes BasePart(DWORD version)
{
    Bytes bytes = Join({Frame(u"KV_FX_Constructor", version), Le32(7), LeInt(1), ShortString(kMaskGuidText),
                        ShortString(u"mask"), {0}, ShortString(u"common_res.dll"), Le32(77), Le32(0)});
    if (version >= 2)
        Append(bytes, Le32(80));
    if (version >= 3) {
        for (int k = 0; k < 4; ++k)
            Append(bytes, Join({LeFloat(static_cast<float>(k)), LeFloat(10.0f * static_cast<float>(k)),
                                LeFloat(0.5f)}));
        Append(bytes, LeInt(3));
    }
    Append(bytes, Join({Frame(u"KV_ABObj_Constructor", 1), ShortString(u"fx")}));
    return bytes;
}

struct Fixture {
    explicit Fixture(const Bytes& bytes) : held(bytes), buffer(held.Buffer()), archive(buffer) {}
    HeldBytes held;
    ResourceBuffer buffer;
    KV_IOF_R<ResourceBuffer> archive;
};

std::unique_ptr<KV_ABObj_Constructor> ReadExactly(const Bytes& bytes)
{
    Fixture fixture(bytes);
    std::unique_ptr<KV_ABObj_Constructor> read = KV_ABObj_Constructor::ReadNew(fixture.archive);
    EXPECT_FALSE(fixture.archive.Failed());
    EXPECT_EQ(fixture.buffer.Remaining(), 0u);
    return read;
}

TEST(BaseRecord, EachVersionReadsItsFieldsAndKeepsTheDefaultsOfTheLaterOnes)
{
    for (const DWORD version : {1u, 2u, 3u}) {
        SCOPED_TRACE(version);
        const std::unique_ptr<KV_ABObj_Constructor> read =
            ReadExactly(Join({Frame(u"KV_LightFX", 1), Le32(40), LeInt(0), BasePart(version)}));
        auto* light = dynamic_cast<KV_LightFX*>(read.get());
        ASSERT_NE(light, nullptr);
        EXPECT_FLOAT_EQ(light->speed.Result(), 7.0f);
        EXPECT_EQ(light->usesBackground.Value(), 1);
        EXPECT_EQ(std::memcmp(&light->maskKey.id, &kMaskGuid, sizeof kMaskGuid), 0);
        EXPECT_EQ(light->maskKey.name, L"mask");
        EXPECT_FALSE(light->maskKey.flag);
        EXPECT_EQ(light->effectLink.Key(), (ResourceKey{L"common_res.dll", 77}));
        EXPECT_FLOAT_EQ(light->scale.Result(), version >= 2 ? 1.6f : 1.0f);
        EXPECT_FLOAT_EQ(light->placement.corners[3].Value().y, version >= 3 ? 30.0f : 0.0f);
        EXPECT_EQ(light->placementInt.Value(), version >= 3 ? 3 : 0);
        EXPECT_EQ(light->name, L"fx");
    }
}

struct KindRecord {
    const char* name;
    Bytes bytes;
    std::function<void(KV_ABObj_Constructor&)> check;
};

template <class T>
T& As(KV_ABObj_Constructor& read)
{
    auto* kind = dynamic_cast<T*>(&read);
    EXPECT_NE(kind, nullptr);
    return *kind;
}

const Bytes kPatternFields = Join({ShortString(u"stars.png"), Le32(9), Le32(0), LeInt(1), LeInt(0), Le32(90), Le32(200),
                                   Le32(30), Le32(40), BasePart(3)});

const KindRecord kKindRecords[] = {
    {"PatternBrush", Join({Frame(u"KV_PatternBrush", 1), kPatternFields}),
     [](KV_ABObj_Constructor& read) {
         auto& brush = As<KV_PatternBrush>(read);
         EXPECT_EQ(brush.patternLink.Key(), (ResourceKey{L"stars.png", 9}));
         EXPECT_EQ(brush.flipVertical.Value(), 1);
         EXPECT_EQ(brush.patternAngle.Value(), 90u);
         EXPECT_FLOAT_EQ(brush.patternZoom.Result(), 2.0f);
         EXPECT_FLOAT_EQ(brush.patternOffsetX.Result(), -0.3f);
         EXPECT_FLOAT_EQ(brush.patternOffsetY.Result(), 0.4f);
         EXPECT_EQ(brush.TimeLine().speedMode.Value(), 1);
     }},
    {"PatternBrushC", Join({Frame(u"KV_PatternBrushC", 1), Frame(u"KV_PatternBrush", 1), kPatternFields}),
     [](KV_ABObj_Constructor& read) {
         EXPECT_NE(dynamic_cast<KV_PatternBrushC*>(&read), nullptr);
         EXPECT_FLOAT_EQ(As<KV_PatternBrush>(read).patternZoom.Result(), 2.0f);
     }},
    {"BackgroundCopy",
     Join({Frame(u"KV_BackgroundCopy", 1), LeInt(1), LeInt(2), LeInt(3), LeInt(4), LeInt(-16), LeInt(24), LeInt(1),
           LeInt(0), BasePart(1)}),
     [](KV_ABObj_Constructor& read) {
         auto& copy = As<KV_BackgroundCopy>(read);
         EXPECT_EQ(copy.copyRect.extra1.Value(), -16);
         EXPECT_EQ(copy.copyRect.extra2.Value(), 24);
         EXPECT_EQ(copy.copyFlagY.Value(), 1);
         EXPECT_EQ(copy.copyFlagX.Value(), 0);
     }},
    {"WavesFX", Join({Frame(u"KV_WavesFX", 1), Le32(100), Le32(10), Le32(90), LeInt(1), BasePart(2)}),
     [](KV_ABObj_Constructor& read) {
         auto& waves = As<KV_WavesFX>(read);
         EXPECT_FLOAT_EQ(waves.waveAmplitude.Result(), 0.025f);
         EXPECT_FLOAT_EQ(waves.waveLength.Result(), 0.006f);
         EXPECT_EQ(waves.waveAngle.Value(), 90u);
         EXPECT_EQ(waves.waveCrossFlag.Value(), 1);
     }},
    {"LightFX_II", Join({Frame(u"KV_LightFX_II", 1), Le32(60), LeInt(2), LeInt(3), Le32(0x00336699), BasePart(3)}),
     [](KV_ABObj_Constructor& read) {
         auto& blend = As<KV_LightFX_II>(read);
         EXPECT_FLOAT_EQ(blend.blendStrength.Result(), 0.6f);
         EXPECT_EQ(blend.pulseMode.Value(), 2);
         EXPECT_EQ(blend.blendMode.Value(), 3);
         EXPECT_EQ(blend.blendColour.Value(), 0x00336699u);
     }},
    {"WaterFX",
     Join({Frame(u"KV_WaterFX", 1), Le32(1), Le32(2), Le32(3), Le32(4), Le32(90), Le32(5), Le32(6), Le32(0x00102030),
           ShortString(u"bump.png"), Le32(5), Le32(0), BasePart(3)}),
     [](KV_ABObj_Constructor& read) {
         auto& water = As<KV_WaterFX>(read);
         EXPECT_FLOAT_EQ(water.surfaceLevel.Result(), 0.0001f);
         EXPECT_FLOAT_EQ(water.waveLength.Result(), 0.003f);
         EXPECT_EQ(water.flowAngle.Value(), 90u);
         EXPECT_FLOAT_EQ(water.shadowStrength.Result(), 0.05f);
         EXPECT_FLOAT_EQ(water.lightHeight.Result(), 0.6f);
         EXPECT_EQ(water.waterColour.Value(), 0x00102030u);
         EXPECT_EQ(water.bumpLink.Key(), (ResourceKey{L"bump.png", 5}));
     }},
};

void PrintTo(const KindRecord& c, std::ostream* os) { *os << c.name; }

class KindRecordCase : public testing::TestWithParam<KindRecord> {};

// Writing what was read and reading it again gives the same bytes again.
TEST_P(KindRecordCase, ReadsToTheEndAndWritesWhatItReads)
{
    const std::unique_ptr<KV_ABObj_Constructor> read = ReadExactly(GetParam().bytes);
    ASSERT_NE(read, nullptr);
    GetParam().check(*read);
    KV_IOF_W first;
    read->Write(first);
    const std::unique_ptr<KV_ABObj_Constructor> again = ReadExactly(first.Bytes());
    ASSERT_NE(again, nullptr);
    GetParam().check(*again);
    KV_IOF_W second;
    again->Write(second);
    EXPECT_EQ(second.Bytes(), first.Bytes());
}

INSTANTIATE_TEST_SUITE_P(Kinds, KindRecordCase, testing::ValuesIn(kKindRecords),
                         [](const testing::TestParamInfo<KindRecord>& info) { return info.param.name; });

TEST(UnderwaterRecord, ReadsItsValuesThenTheBasePartToTheEnd)
{
    Fixture fixture(Join({Frame(u"KV_UnderwaterFX", 1), Le32(100), Le32(20), BasePart(3)}));
    const std::unique_ptr<KV_UnderwaterFX> read = KV_UnderwaterFX::ReadNew(fixture.archive);
    EXPECT_EQ(fixture.buffer.Remaining(), 0u);
    EXPECT_FLOAT_EQ(read->wobbleAmplitude.Result(), 0.0125f);
    EXPECT_FLOAT_EQ(read->wobbleLength.Result(), 0.041f);
    EXPECT_FLOAT_EQ(read->scale.Result(), 1.6f);
    EXPECT_EQ(read->effectLink.Key(), (ResourceKey{L"common_res.dll", 77}));
}

TEST(KindDefaults, EachKindPointsAtItsEffectAndRunsItsClock)
{
    struct Case {
        const char* name;
        std::unique_ptr<KV_FX_Constructor> description;
        INT effectId;
        float speed;
    };
    Case cases[] = {{"pattern", std::make_unique<KV_PatternBrush>(), 78, 1.0f},
                    {"copy", std::make_unique<KV_BackgroundCopy>(), 75, 0.0f},
                    {"waves", std::make_unique<KV_WavesFX>(), 77, 25.0f},
                    {"light", std::make_unique<KV_LightFX>(), 76, 40.0f},
                    {"blend", std::make_unique<KV_LightFX_II>(), 76, 0.0f},
                    {"underwater", std::make_unique<KV_UnderwaterFX>(), 88, 25.0f},
                    {"water", std::make_unique<KV_WaterFX>(), 90, 1.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.description->effectLink.Key(), (ResourceKey{L"common_res.dll", c.effectId}));
        EXPECT_FLOAT_EQ(c.description->speed.Result(), c.speed);
        EXPECT_EQ(c.description->usesBackground.Value(), 0);
    }
    EXPECT_FLOAT_EQ(KV_WaterFX().scale.Result(), 0.6f);
    EXPECT_EQ(KV_WaterFX().bumpLink.Key(), (ResourceKey{L"common_res.dll", 89}));
    EXPECT_FLOAT_EQ(KV_LightFX().scale.Result(), 1.0f);
}

// The clone made for the runtime object derives its vectors from the values
// read, which were stored without notification.
TEST(KindVectors, ClonesDeriveTheirVectorsAndFollowTheirOwnAngles)
{
    KV_WavesFX waves;
    waves.waveAngle.Value() = 90;
    const std::unique_ptr<KV_FX_Constructor> clone = waves.Clone();
    auto& copied = static_cast<KV_WavesFX&>(*clone);
    EXPECT_NEAR(copied.waveDirection.y, -1.0f, 1e-6f);
    EXPECT_NEAR(waves.waveDirection.x, 1.0f, 1e-6f);
    copied.waveAngle.SetValue(180);
    EXPECT_NEAR(copied.waveDirection.x, -1.0f, 1e-6f);
    EXPECT_NEAR(waves.waveDirection.x, 1.0f, 1e-6f);

    KV_WaterFX water;
    water.flowAngle.SetValue(90);
    EXPECT_NEAR(water.flowDirection.y, 1.0f, 1e-6f);
    const std::unique_ptr<KV_FX_Constructor> waterClone = water.Clone();
    EXPECT_NEAR(static_cast<KV_WaterFX&>(*waterClone).flowDirection.y, 1.0f, 1e-6f);
}

class BaseResources : public render_test::RenderTest {
protected:
    BaseResources() : RenderTest(16, 16) {}
};

ULONG References(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

TEST_F(BaseResources, ClonesShareMaskAndGridAndAssignKeyDetachesOnlyTheOne)
{
    IDirect3DTexture9* mask = MakeTexture(1, 1, {0xFFFFFFFF});
    KV_LightFX light;
    light.maskTexture.Share(mask);
    light.BuildGrid(2, 2);
    light.speed.Advance(0.1f);
    const ULONG maskAlone = References(mask);
    const ULONG bufferAlone = References(light.gridMesh.vertexBuffer.Get());
    std::unique_ptr<KV_FX_Constructor> clone = light.Clone();
    EXPECT_EQ(References(mask), maskAlone + 1);
    EXPECT_EQ(References(light.gridMesh.vertexBuffer.Get()), bufferAlone + 1);
    EXPECT_EQ(clone->gridMesh.indexBuffer.Get(), light.gridMesh.indexBuffer.Get());
    EXPECT_EQ(std::memcmp(&clone->maskKey.id, &light.maskKey.id, sizeof(GUID)), 0);
    EXPECT_FLOAT_EQ(clone->speed.Phase(), light.speed.Phase());
    EXPECT_EQ(clone->gridColumns, 2);

    clone->AssignKey();
    EXPECT_EQ(clone->maskTexture.Get(), nullptr);
    EXPECT_NE(std::memcmp(&clone->maskKey.id, &light.maskKey.id, sizeof(GUID)), 0);
    EXPECT_EQ(light.maskTexture.Get(), mask);
    EXPECT_EQ(References(mask), maskAlone);
    clone.reset();
    EXPECT_EQ(References(light.gridMesh.vertexBuffer.Get()), bufferAlone);
}

// The writer stores the mask as a 512 x 512 copy under its key, or nothing.
TEST_F(BaseResources, WritingPutsACopyOfTheMaskInTheGeneratedPictures)
{
    KV_DocResManager manager;
    g_currentDocResManager = &manager;
    KV_LightFX masked, bare;
    masked.maskTexture.Share(MakeTexture(2, 2, std::vector<D3DCOLOR>(4, 0xFFFFFFFF)));
    IDirect3DTexture9* stale = MakeTexture(1, 1, {0xFF000000});
    stale->AddRef();
    manager.GuidTextures()[bare.maskKey].Reset(stale);
    KV_IOF_W writer;
    masked.Write(writer);
    bare.Write(writer);
    g_currentDocResManager = nullptr;

    IDirect3DTexture9* copy = manager.GuidTextures()[masked.maskKey].Get();
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, masked.maskTexture.Get());
    D3DSURFACE_DESC description{};
    ASSERT_EQ(copy->GetLevelDesc(0, &description), D3D_OK);
    EXPECT_EQ(description.Width, 512u);
    EXPECT_EQ(description.Height, 512u);
    EXPECT_EQ(manager.GuidTextures()[bare.maskKey].Get(), nullptr);
}

TEST_F(BaseResources, TheTwoByTwoGridHasNineVerticesAndTheCentreAtTheMeanOfTheCorners)
{
    KV_LightFX light;
    light.BuildGrid(2, 2);
    EXPECT_EQ(light.gridMesh.vertexCount, 9u);
    EXPECT_EQ(light.gridMesh.triangleCount, 8u);
    EXPECT_EQ(light.gridMesh.primitiveType, D3DPT_TRIANGLELIST);
    const std::vector<D3DXVECTOR3> corners = {{100, 50, 0}, {100, 250, 0}, {500, 50, 0}, {700, 450, 0}};
    for (size_t k = 0; k < 4; ++k)
        light.placement.corners[k].SetValue(corners[k]);
    PicturePlacement placement;
    placement.pictureWidth = 800;
    placement.pictureHeight = 600;
    const PicturePlacement* saved = g_picturePlacement;
    g_picturePlacement = &placement;
    light.BuildMesh();
    g_picturePlacement = saved;

    void* locked = nullptr;
    ASSERT_EQ(light.gridMesh.vertexBuffer->Lock(0, 0, &locked, D3DLOCK_READONLY), D3D_OK);
    const auto* vertices = static_cast<const DX_V::PT*>(locked);
    EXPECT_FLOAT_EQ(vertices[4].x, 350.0f);
    EXPECT_FLOAT_EQ(vertices[4].y, 200.0f);
    EXPECT_FLOAT_EQ(vertices[4].u, 350.0f / 800.0f);
    EXPECT_FLOAT_EQ(vertices[4].v, 200.0f / 600.0f);
    EXPECT_FLOAT_EQ(vertices[2].x, 100.0f);
    EXPECT_FLOAT_EQ(vertices[2].y, 250.0f);
    EXPECT_FLOAT_EQ(vertices[6].x, 500.0f);
    light.gridMesh.vertexBuffer->Unlock();

    ASSERT_EQ(light.gridMesh.indexBuffer->Lock(0, 0, &locked, D3DLOCK_READONLY), D3D_OK);
    const auto* indices = static_cast<const WORD*>(locked);
    const std::vector<WORD> firstCells(indices, indices + 12);
    EXPECT_EQ(firstCells, (std::vector<WORD>{0, 1, 3, 3, 1, 4, 1, 2, 4, 4, 2, 5}));
    light.gridMesh.indexBuffer->Unlock();
}

}  // namespace
}  // namespace screenfx_test
