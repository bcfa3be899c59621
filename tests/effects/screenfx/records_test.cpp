// The records of the masked effects at every version, read from fixtures
// that must be read exactly to their end, written back, and the clone and
// grid of the base.
#include <functional>
#include <tuple>
#include <memory>

#include <gtest/gtest.h>

#include "effects/screenfx/background_copy.h"
#include "effects/screenfx/bend_fx.h"
#include "effects/screenfx/cloud_fx.h"
#include "effects/screenfx/expand_fx.h"
#include "effects/screenfx/fire_fx.h"
#include "effects/screenfx/light_fx.h"
#include "effects/screenfx/light_fx_ii.h"
#include "effects/screenfx/move_fx.h"
#include "effects/screenfx/pattern_brush.h"
#include "effects/screenfx/radial_wave_fx.h"
#include "effects/screenfx/rotation_fx.h"
#include "effects/screenfx/underwater_fx.h"
#include "effects/screenfx/water_fx.h"
#include "effects/screenfx/waterfall_fx.h"
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

// The direction part with its strength and angle, and the centre part
// with its centre, each over a version-3 base part.
Bytes DirectionPart(DWORD strength, DWORD angle)
{
    return Join({Frame(u"KV_DirectionBased", 1), Le32(strength), Le32(angle), BasePart(3)});
}
Bytes CentrePart(float x, float y)
{
    return Join({Frame(u"KV_CentralBased", 1), LeFloat(x), LeFloat(y), LeFloat(0.0f), BasePart(3)});
}
Bytes Link(std::u16string_view path, DWORD stamp) { return Join({ShortString(path), Le32(stamp), Le32(0)}); }

// The fire's colours, spare int and links, and its three scaled values.
const Bytes kFireLooks = Join({Le32(0x0000C0FF), Le32(0x00000080), LeInt(5), Link(u"flames.png", 2),
                               Link(u"noise.png", 3)});
const Bytes kFireScales = Join({Le32(150), Le32(25), Le32(50)});

void ExpectFireLooks(const KV_FireFX& fire)
{
    EXPECT_EQ(fire.fireColour1.Value(), 0x0000C0FFu);
    EXPECT_EQ(fire.fireColour2.Value(), 0x00000080u);
    EXPECT_EQ(fire.fireExtraInt.Value(), 5);
    EXPECT_EQ(fire.firePatternLink.Key(), (ResourceKey{L"flames.png", 2}));
    EXPECT_EQ(fire.fireNoiseLink.Key(), (ResourceKey{L"noise.png", 3}));
    EXPECT_FLOAT_EQ(fire.fireDensity.Result(), 0.5f);
    EXPECT_FLOAT_EQ(fire.fireBrightness.Result(), 0.5f);
    EXPECT_FLOAT_EQ(fire.fireZoom.Result(), 0.5f);
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
    {"MoveFXVersion1SwingsBackAsFarAsForward",
     Join({Frame(u"KV_MoveFX", 1), LeInt(1), DirectionPart(100, 90)}),
     [](KV_ABObj_Constructor& read) {
         auto& move = As<KV_MoveFX>(read);
         EXPECT_EQ(move.moveMode.Value(), 1);
         EXPECT_FLOAT_EQ(move.directionStrength.Result(), 0.02f);
         EXPECT_FLOAT_EQ(move.returnStrength.Result(), 0.02f);
         EXPECT_EQ(move.directionAngle.Value(), 90u);
         EXPECT_EQ(move.speed.Value(), 7u);
     }},
    {"MoveFX", Join({Frame(u"KV_MoveFX", 2), LeInt(0), Le32(30), DirectionPart(100, 180)}),
     [](KV_ABObj_Constructor& read) {
         auto& move = As<KV_MoveFX>(read);
         EXPECT_FLOAT_EQ(move.returnStrength.Result(), 0.006f);
         EXPECT_FLOAT_EQ(move.directionStrength.Result(), 0.02f);
         EXPECT_EQ(move.directionAngle.Value(), 180u);
     }},
    {"WaterfallFX",
     Join({Frame(u"KV_WaterfallFX", 1), Le32(50), Le32(4), Le32(200), Le32(7), Le32(300), Link(u"noise.png", 4),
           Le32(0x00C0E0FF), LeInt(1), DirectionPart(25, 270)}),
     [](KV_ABObj_Constructor& read) {
         auto& waterfall = As<KV_WaterfallFX>(read);
         EXPECT_FLOAT_EQ(waterfall.layerOpacity.Result(), 0.5f);
         EXPECT_EQ(waterfall.layerCount.Value(), 4u);
         EXPECT_FLOAT_EQ(waterfall.noiseAmplitude.Result(), 0.02f);
         EXPECT_FLOAT_EQ(waterfall.reservedValue.Result(), 7.0f);
         EXPECT_FLOAT_EQ(waterfall.threshold.Result(), 0.7f);
         EXPECT_EQ(waterfall.noiseLink.Key(), (ResourceKey{L"noise.png", 4}));
         EXPECT_EQ(waterfall.baseColour.Value(), 0x00C0E0FFu);
         EXPECT_EQ(waterfall.drawDisabled.Value(), 1);
         EXPECT_FLOAT_EQ(waterfall.directionStrength.Result(), 0.1f);
         EXPECT_EQ(waterfall.directionAngle.Value(), 270u);
     }},
    {"ExpandFX", Join({Frame(u"KV_ExpandFX", 1), Le32(60), Le32(20), LeInt(1), CentrePart(400, 150)}),
     [](KV_ABObj_Constructor& read) {
         auto& expand = As<KV_ExpandFX>(read);
         EXPECT_FLOAT_EQ(expand.expandAmount.Result(), 0.3f);
         EXPECT_FLOAT_EQ(expand.contractAmount.Result(), 0.1f);
         EXPECT_EQ(expand.expandMode.Value(), 1);
         EXPECT_EQ(expand.centre.Value(), D3DXVECTOR3(400, 150, 0));
         EXPECT_EQ(expand.name, L"fx");
     }},
    {"RadialWaveFXVersion1KeepsItsWaves", Join({Frame(u"KV_RadialWaveFX", 1), CentrePart(100, 200)}),
     [](KV_ABObj_Constructor& read) {
         auto& rings = As<KV_RadialWaveFX>(read);
         EXPECT_FLOAT_EQ(rings.ringAmplitude.Result(), 0.0125f);
         EXPECT_FLOAT_EQ(rings.ringLength.Result(), 0.006f);
         EXPECT_FLOAT_EQ(rings.ringZoom.Result(), 75.0f);
         EXPECT_EQ(rings.ringDirectionFlag.Value(), 0);
         EXPECT_EQ(rings.centre.Value(), D3DXVECTOR3(100, 200, 0));
     }},
    {"RadialWaveFX",
     Join({Frame(u"KV_RadialWaveFX", 2), Le32(100), Le32(20), Le32(75), LeInt(1), CentrePart(100, 200)}),
     [](KV_ABObj_Constructor& read) {
         auto& rings = As<KV_RadialWaveFX>(read);
         EXPECT_FLOAT_EQ(rings.ringAmplitude.Result(), 0.025f);
         EXPECT_FLOAT_EQ(rings.ringLength.Result(), 0.003f);
         EXPECT_FLOAT_EQ(rings.ringZoom.Result(), 100.0f);
         EXPECT_EQ(rings.ringDirectionFlag.Value(), 1);
     }},
    {"RotationFX", Join({Frame(u"KV_RotationFX", 1), Le32(1000), Le32(30), LeInt(1), CentrePart(512, 384)}),
     [](KV_ABObj_Constructor& read) {
         auto& rotation = As<KV_RotationFX>(read);
         EXPECT_FLOAT_EQ(rotation.ellipseRatio.Result(), 1.0f);
         EXPECT_EQ(rotation.ellipseAngle.Value(), 30u);
         EXPECT_EQ(rotation.rotateReverse.Value(), 1);
         EXPECT_EQ(rotation.centre.Value(), D3DXVECTOR3(512, 384, 0));
         EXPECT_EQ(rotation.TimeLine().speedMode.Value(), 2);
     }},
    {"BendFX", Join({Frame(u"KV_BendFX", 1), Le32(100), Le32(50), Le32(40), LeInt(1), CentrePart(10, 20)}),
     [](KV_ABObj_Constructor& read) {
         auto& bend = As<KV_BendFX>(read);
         EXPECT_FLOAT_EQ(bend.bendForward.Result(), 0.2f);
         EXPECT_FLOAT_EQ(bend.bendBack.Result(), 0.1f);
         EXPECT_FLOAT_EQ(bend.bendStrength.Result(), 0.8f);
         EXPECT_EQ(bend.bendMode.Value(), 1);
         EXPECT_EQ(bend.centre.Value(), D3DXVECTOR3(10, 20, 0));
     }},
    {"FireFXVersion1KeepsItsFire", Join({Frame(u"KV_FireFX", 1), BasePart(2)}),
     [](KV_ABObj_Constructor& read) {
         auto& fire = As<KV_FireFX>(read);
         EXPECT_EQ(fire.fireColour1.Value(), 0x00FFFFu);
         EXPECT_EQ(fire.firePatternLink.Key(), (ResourceKey{L"common_res.dll", 93}));
         EXPECT_FLOAT_EQ(fire.fireZoom.Result(), 1.0f);
         EXPECT_FLOAT_EQ(fire.scale.Result(), 1.6f);
     }},
    {"FireFXVersion2CarriesThePlacement",
     Join({Frame(u"KV_FireFX", 2), LeFloat(1), LeFloat(2), LeFloat(0), LeFloat(1), LeFloat(9), LeFloat(0), LeFloat(8),
           LeFloat(2), LeFloat(0), LeFloat(8), LeFloat(9), LeFloat(0), kFireLooks, LeInt(6), kFireScales,
           BasePart(2)}),
     [](KV_ABObj_Constructor& read) {
         auto& fire = As<KV_FireFX>(read);
         ExpectFireLooks(fire);
         EXPECT_EQ(fire.placement.corners[3].Value(), D3DXVECTOR3(8, 9, 0));
         EXPECT_EQ(fire.placementInt.Value(), 6);
     }},
    {"FireFX", Join({Frame(u"KV_FireFX", 3), kFireLooks, kFireScales, BasePart(3)}),
     [](KV_ABObj_Constructor& read) {
         auto& fire = As<KV_FireFX>(read);
         ExpectFireLooks(fire);
         EXPECT_EQ(fire.placement.corners[3].Value(), D3DXVECTOR3(3, 30, 0.5f));
         EXPECT_EQ(fire.placementInt.Value(), 3);
     }},
    {"CloudFX",
     Join({Frame(u"KV_CloudFX", 1), Le32(0x00806040), Le32(0x00FFFFFF), Link(u"clouds.png", 6), Link(u"spare.png", 7),
           Le32(50), Le32(10), Le32(50), Le32(4), Le32(30), LeInt(1), Le32(20), Le32(40), DirectionPart(9, 45)}),
     [](KV_ABObj_Constructor& read) {
         auto& cloud = As<KV_CloudFX>(read);
         EXPECT_EQ(cloud.cloudColour1.Value(), 0x00806040u);
         EXPECT_EQ(cloud.cloudColour2.Value(), 0x00FFFFFFu);
         EXPECT_EQ(cloud.cloudLink.Key(), (ResourceKey{L"clouds.png", 6}));
         EXPECT_EQ(cloud.spareCloudLink.Key(), (ResourceKey{L"spare.png", 7}));
         EXPECT_FLOAT_EQ(cloud.cloudThreshold.Result(), 2.0f);
         EXPECT_FLOAT_EQ(cloud.cloudDensity.Result(), 0.2f);
         const CloudPerspective& perspective = cloud.perspective;
         EXPECT_FLOAT_EQ(perspective.perspectiveDepth.Result(), 2.0f);
         EXPECT_FLOAT_EQ(perspective.perspectiveHeight.Result(), 1.0f);
         EXPECT_FLOAT_EQ(perspective.perspectiveShift.Result(), 0.3f);
         EXPECT_EQ(perspective.perspectiveFlip.Value(), 1);
         EXPECT_FLOAT_EQ(perspective.perspectiveSpare1.Result(), 3.0f);
         EXPECT_FLOAT_EQ(perspective.perspectiveSpare2.Result(), 0.4f);
         EXPECT_FLOAT_EQ(cloud.directionStrength.Result(), 9.0f);
         EXPECT_EQ(cloud.directionAngle.Value(), 45u);
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
                    {"water", std::make_unique<KV_WaterFX>(), 90, 1.0f},
                    {"move", std::make_unique<KV_MoveFX>(), 91, 1.0f},
                    {"fire", std::make_unique<KV_FireFX>(), 92, 1.0f},
                    {"expand", std::make_unique<KV_ExpandFX>(), 102, 1.0f},
                    {"radial wave", std::make_unique<KV_RadialWaveFX>(), 103, 50.0f}};
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

// The documents carry these kinds' effects; fields the constructors leave
// unset start at 0.
TEST(KindDefaults, KindsWithoutADefaultEffectLeaveTheLinkEmpty)
{
    struct Case {
        const char* name;
        std::unique_ptr<KV_FX_Constructor> description;
    };
    Case cases[] = {{"rotation", std::make_unique<KV_RotationFX>()},
                    {"bend", std::make_unique<KV_BendFX>()},
                    {"cloud", std::make_unique<KV_CloudFX>()},
                    {"waterfall", std::make_unique<KV_WaterfallFX>()}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.description->effectLink.Key(), ResourceKey());
        EXPECT_FLOAT_EQ(c.description->speed.Result(), 0.0f);
    }
    KV_WaterfallFX waterfall;
    EXPECT_EQ(waterfall.layerCount.Value(), 0u);
    EXPECT_EQ(waterfall.drawDisabled.Value(), 0);
    EXPECT_EQ(waterfall.baseColour.Value(), 0u);
    EXPECT_FLOAT_EQ(KV_CloudFX().scale.Result(), 0.4f);
    EXPECT_EQ(KV_CloudFX().perspective.perspectiveFlip.Value(), 0);
    EXPECT_FLOAT_EQ(KV_MoveFX().directionStrength.Result(), 0.01f);
    const KV_FireFX fire;
    EXPECT_EQ(fire.fireColour1.Value(), 0x00FFFFu);
    EXPECT_EQ(fire.fireColour2.Value(), 0x0000FFu);
    EXPECT_EQ(fire.firePatternLink.Key(), (ResourceKey{L"common_res.dll", 93}));
    EXPECT_EQ(fire.fireNoiseLink.Key(), (ResourceKey{L"common_res.dll", 8}));
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

    for (const auto& [angle, x, y] : {std::tuple{0u, 1.0f, 0.0f}, {90u, 0.0f, -1.0f}, {180u, -1.0f, 0.0f}}) {
        KV_MoveFX move;
        move.directionAngle.Value() = angle;
        const std::unique_ptr<KV_FX_Constructor> moved = move.Clone();
        const D3DXVECTOR4& direction = static_cast<KV_MoveFX&>(*moved).direction;
        EXPECT_NEAR(direction.x, x, 1e-6f) << angle;
        EXPECT_NEAR(direction.y, y, 1e-6f) << angle;
    }

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
