// Generator records read from hand-assembled bytes, one table of class and
// record version; each record is followed by a sentinel that must still read.
#include "particles/generators/bling.h"
#include "particles/generators/brown_animation.h"
#include "particles/generators/custom_air_brush.h"
#include "particles/generators/falling_stars.h"
#include "particles/generators/firework.h"
#include "particles/generators/lightning.h"
#include "particles/generators/path_animation.h"
#include "particles/generators/plant.h"
#include "particles/generators/radial_rays.h"
#include "particles/generators/smoke.h"
#include "particles/generators/static_animation.h"
#include "particles/generators/twinkling_stars.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/writer/kv_iof_w.h"
#include "support/document_bytes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const std::u16string_view kSentinel = u"sentinel";

Bytes Le64(uint64_t value) { return Join({Le32(static_cast<DWORD>(value)), Le32(static_cast<DWORD>(value >> 32))}); }

Bytes Link(std::u16string_view path, uint64_t stamp) { return Join({ShortString(path), Le64(stamp)}); }

Bytes Floats(std::initializer_list<float> values)
{
    Bytes bytes;
    for (float v : values)
        Append(bytes, LeFloat(v));
    return bytes;
}

// The description base as the writer puts it: a name and a default time line.
Bytes ConstructorRecord()
{
    KV_IOF_W writer;
    KV_TimeLineControl().Write(writer);
    return Join({Frame(u"KV_ABObj_Constructor", 2), ShortString(u"stars"), writer.Bytes()});
}

Bytes GeneratorRecord(DWORD version)
{
    Bytes bytes = Frame(u"KV_ParticleGenerator", version);
    if (version > 1)
        Append(bytes, Join({Le32(1), Floats({1, 2, 3})}));
    if (version >= 3)
        Append(bytes, Join({Le32(150), Le32(7), Le32(40), Le32(60), LeInt(1)}));
    Append(bytes, ConstructorRecord());
    return bytes;
}

Bytes TexRecord(DWORD version, DWORD generatorVersion)
{
    Bytes bytes = Join({Frame(u"KV_TexParticleGenerator", version), Le32(2), Link(u"star.png", 5), Link(u"glow.png", 6),
                        Link(u"stars.fx", 9), Le32(0x0000FF), Le32(50), Le32(0x00FF00), Le32(0), LeInt(2)});
    if (version >= 2)
        Append(bytes, Join({LeInt(1), LeInt(1)}));
    if (version >= 3)
        Append(bytes, LeInt(1));
    Append(bytes, GeneratorRecord(generatorVersion));
    return bytes;
}

Bytes AirBrushRecord(DWORD texVersion = 3, DWORD generatorVersion = 3, DWORD points = 2)
{
    Bytes bytes = Join({Frame(u"KV_AirBrush", 1), Le32(32), Le32(points)});
    for (DWORD i = 0; i < std::min<DWORD>(points, 2); ++i)
        Append(bytes, Floats({10.0f + i, 20, 0}));
    Append(bytes, TexRecord(texVersion, generatorVersion));
    return bytes;
}

Bytes BlingRecord(DWORD version, DWORD texVersion = 3, DWORD generatorVersion = 3)
{
    Bytes bytes = Join({Frame(u"KV_Bling", version), Le32(50), Le32(150), Le32(50)});
    if (version >= 2)
        Append(bytes, Join({Le32(100), Le32(20)}));
    Append(bytes, AirBrushRecord(texVersion, generatorVersion));
    return bytes;
}

Bytes CustomRecord()
{
    return Join({Frame(u"KV_CustomAirBrush", 1), Link(u"anim.png", 3), Le32(100), AirBrushRecord()});
}

Bytes TwinklingRecord() { return Join({Frame(u"KV_TwinklingStars", 1), Le32(0), AirBrushRecord()}); }

// A 40 x 20 rectangle from (10, 20); version 1 carries two more floats.
Bytes SingleRectRecord(DWORD version)
{
    Bytes bytes = Join({Frame(u"KV_SingleRectGN", version), Floats({10, 20, 0, 10, 40, 0, 50, 20, 0, 50, 40, 0})});
    if (version == 1)
        Append(bytes, Floats({7, 8}));
    Append(bytes, Join({Frame(u"KV_StaticGenerator", 1), Floats({30, 30, 0}), TexRecord(3, 3)}));
    return bytes;
}

Bytes PlantRecord(DWORD rectVersion)
{
    return Join({Frame(u"KV_Plant", 1), Le32(100), Le32(20), Le32(50), Le32(150), SingleRectRecord(rectVersion)});
}

Bytes RaysRecord(DWORD count)
{
    return Join({Frame(u"KV_RadialRays", 1), Le32(120), Le32(6), Le32(count), LeInt(-1), LeInt(1), Le32(99),
                 Le32(40), Le32(25), LeInt(2), Le32(100), Le32(50), Frame(u"KV_StaticGenerator", 1),
                 Floats({32, 16, 0}), TexRecord(3, 3)});
}

// The origin fields with or without their own class name and version.
Bytes SmokeRecord(bool tagged)
{
    Bytes bytes = Join({Frame(u"KV_Smoke", 1), Le32(75)});
    if (tagged)
        Append(bytes, Frame(u"KV_ParticleOriginGenerator", 1));
    Append(bytes, Join({Le32(100), Le32(6), Le32(64), Le32(90), Le32(50), Floats({5, 6, 0}), TexRecord(3, 3)}));
    return bytes;
}

Bytes StaticAnimationRecord()
{
    return Join({Frame(u"KV_StaticAnimation", 1), Le32(200), LeInt(1), SingleRectRecord(2)});
}

Bytes PathAnimationRecord(DWORD version, DWORD points = 3)
{
    Bytes bytes = Join({Frame(u"KV_PathAnimtion", version), Le32(10), Le32(50), LeInt(2), LeInt(1), LeInt(0)});
    if (version >= 2)
        Append(bytes, Le32(300));
    Append(bytes, Join({Frame(u"KV_PathGenerator", 1), Le32(points)}));
    for (DWORD i = 0; i < std::min<DWORD>(points, 3); ++i)
        Append(bytes, Floats({10.0f * i, 5, 0}));
    Append(bytes, TexRecord(3, 3));
    return bytes;
}

Bytes BrownAnimationRecord(DWORD version, DWORD count)
{
    Bytes bytes = Join({Frame(u"KV_BrownAnimation", version), Le32(count), Le32(25), Le32(50), Le32(100), Le32(49)});
    if (version >= 2)
        Append(bytes, Le32(300));
    Append(bytes, Join({Frame(u"KV_ParticleRctRgnGenerator", 1), Floats({0, 0, 0, 0, 64, 0, 64, 0, 0, 64, 64, 0}),
                        TexRecord(3, 3)}));
    return bytes;
}

Bytes FallingStarsRecord()
{
    return Join({Frame(u"KV_FallingStars", 1), Le32(25), Le32(50), Le32(90), Le32(16), Le32(25), Le32(200),
                 Le32(10), Le32(30), Floats({0, 0, 0, 0, 64, 0, 64, 0, 0, 64, 64, 0}), TexRecord(3, 3)});
}

Bytes FireworkRecord(DWORD sparks, DWORD size)
{
    return Join({Frame(u"KV_FireworkSimple", 1), Le32(sparks), Le32(size), Le32(50), Le32(25), Le32(75), Le32(3),
                 Le32(4), Le32(90), Le32(50), Floats({100, 200, 0}), TexRecord(3, 3)});
}

// Timings in milliseconds for the time line: fades in and out, shown,
// hidden from and to, and two unused.
const DWORD kLightningTimings[] = {700, 300, 2000, 1000, 4000, 7, 8};

Bytes LightningRecord(DWORD version, DWORD passes, DWORD branches)
{
    Bytes bytes = Join({Frame(u"KV_LightningGN", version), Le32(4), Le32(passes), Le32(50), Le32(77), Le32(50),
                        Le32(100), Le32(40), Le32(branches), Le32(branches), Le32(branches)});
    if (version == 1)
        for (DWORD ms : kLightningTimings)
            Append(bytes, Le32(ms));
    Append(bytes, Join({Le32(20), Le32(12), LeInt(1), Frame(u"KV_StringGenerator", 1), Floats({10, 20, 0, 300, 40, 0}),
                        TexRecord(3, 3)}));
    return bytes;
}

struct Reader {
    explicit Reader(const Bytes& bytes) : held(bytes), buffer(held.Buffer()), archive(buffer) {}
    HeldBytes held;
    ResourceBuffer buffer;
    KV_IOF_R<ResourceBuffer> archive;
};

struct RecordCase {
    const char* name;
    Bytes bytes;
    std::function<void(const KV_ABObj_Constructor&)> expect;
    // The writer gives these very bytes back.
    bool latest = false;
};

const KV_TexParticleGenerator& Tex(const KV_ABObj_Constructor& d)
{
    return dynamic_cast<const KV_TexParticleGenerator&>(d);
}

void ExpectTexFields(const KV_ABObj_Constructor& d, int mirrors, int sequence)
{
    const KV_TexParticleGenerator& tex = Tex(d);
    ASSERT_EQ(tex.images.size(), 2u);
    EXPECT_EQ(tex.images[1].GetPath(), L"glow.png");
    EXPECT_EQ(tex.images[1].Key().stamp, 6);
    EXPECT_EQ(tex.effectLink.GetPath(), L"stars.fx");
    EXPECT_EQ(tex.firstColour.Value(), 0x0000FFu);
    EXPECT_EQ(tex.firstColour.Alpha(), 127);
    EXPECT_EQ(tex.secondColour.Value(), 0x00FF00u);
    EXPECT_EQ(tex.blendMode.Value(), 2);
    EXPECT_EQ(tex.verticalMirror.Value(), mirrors);
    EXPECT_EQ(tex.horizontalMirror.Value(), mirrors);
    EXPECT_EQ(tex.sequenceFlag, sequence);
    EXPECT_EQ(tex.name, L"stars");
}

void ExpectGeneratorFields(const KV_ABObj_Constructor& d, DWORD version)
{
    const KV_TexParticleGenerator& g = Tex(d);
    EXPECT_EQ(g.origins.size(), version > 1 ? 1u : 0u);
    if (version > 1) {
        EXPECT_EQ(g.origins.front().position, D3DXVECTOR3(1, 2, 3));
        EXPECT_EQ(g.origins.front().previous, D3DXVECTOR3(1, 2, 3));
    }
    const bool stored = version >= 3;
    EXPECT_EQ(g.lifetime.Value(), stored ? 150u : 20u);
    EXPECT_EQ(g.emissionRate.Value(), stored ? 7u : 30u);
    EXPECT_EQ(g.sizeParam.Value(), stored ? 40u : 0u);
    EXPECT_EQ(g.initialSpeed.Value(), stored ? 60u : 0u);
    EXPECT_EQ(g.emissionSwitch.Value(), stored ? 1 : 0);
}

void ExpectFirework(const KV_ABObj_Constructor& d, DWORD sparks, DWORD size)
{
    const auto& firework = dynamic_cast<const KV_FireworkSimple&>(d);
    EXPECT_EQ(firework.sparkCount.Value(), sparks);
    EXPECT_EQ(firework.sparkSize.Value(), size);
    EXPECT_FLOAT_EQ(firework.burstSpeed.Result(), 200.0f);
    EXPECT_FLOAT_EQ(firework.glowScale.Result(), 2.0f);
    EXPECT_FLOAT_EQ(firework.originLifetime.Result(), 3.0f);
    EXPECT_EQ(firework.originRate.Value(), 3u);
    EXPECT_EQ(firework.thirdValue.Value(), 4u);
    EXPECT_EQ(firework.direction.Value(), 90u);
    EXPECT_FLOAT_EQ(firework.originSpeed.Result(), 1.0f);
    EXPECT_EQ(firework.centre.Value(), D3DXVECTOR3(100, 200, 0));
    // Trails live hundredths, come at 1 + 2 x the rate, grow by a tenth.
    EXPECT_FLOAT_EQ(firework.lifetime.Result(), 1.5f);
    EXPECT_FLOAT_EQ(firework.emissionRate.Result(), 15.0f);
    EXPECT_FLOAT_EQ(firework.sizeParam.Result(), 4.0f);
    // Every showing as long as the shortest, through the time line's read.
    EXPECT_FALSE(firework.TimeLine().visibleRange.random);
    ExpectTexFields(d, 1, 1);
}

void ExpectLightning(const KV_ABObj_Constructor& d, DWORD passes, DWORD branches)
{
    const auto& lightning = dynamic_cast<const KV_LightningGN&>(d);
    EXPECT_EQ(lightning.coreWidth.Value(), 4u);
    EXPECT_EQ(lightning.passes.Value(), passes);
    EXPECT_FLOAT_EQ(lightning.displacement.Result(), 0.2f);
    EXPECT_EQ(lightning.seed.Value(), 77u);
    EXPECT_FLOAT_EQ(lightning.branchLength.Result(), 0.5f);
    EXPECT_FLOAT_EQ(lightning.branchAngle.Result(), 3.1415927f / 2);
    EXPECT_FLOAT_EQ(lightning.tipWidth.Result(), 0.6f);
    EXPECT_EQ(lightning.branches.Value(), branches);
    EXPECT_EQ(lightning.subBranches.Value(), branches);
    EXPECT_EQ(lightning.subSubBranches.Value(), branches);
    EXPECT_FLOAT_EQ(lightning.flicker.Result(), 0.2f);
    EXPECT_EQ(lightning.glowWidth.Value(), 12u);
    EXPECT_EQ(lightning.reseed.Value(), 1);
    EXPECT_EQ(lightning.endPoint1.Value(), D3DXVECTOR3(10, 20, 0));
    EXPECT_EQ(lightning.endPoint2.Value(), D3DXVECTOR3(300, 40, 0));
    ExpectTexFields(d, 1, 1);
}

void ExpectBling(const KV_ABObj_Constructor& d, bool second)
{
    const auto& bling = dynamic_cast<const KV_Bling&>(d);
    EXPECT_FLOAT_EQ(bling.cycleSpeed.Result(), 1.0f);
    EXPECT_FLOAT_EQ(bling.shrinkTime.Result(), 1.5f);
    EXPECT_FLOAT_EQ(bling.growTime.Result(), 0.5f);
    EXPECT_FLOAT_EQ(bling.rotationSpeed.Result(), second ? 2.0f : 0.0f);
    EXPECT_FLOAT_EQ(bling.minimumSize.Result(), second ? 0.2f : 0.0f);
    EXPECT_EQ(bling.brushSize.Value(), 32u);
    ASSERT_EQ(bling.points.size(), 2u);
    EXPECT_EQ(bling.points.back().position, D3DXVECTOR3(11, 20, 0));
}

void ExpectSingleRect(const KV_ABObj_Constructor& d)
{
    const auto& rect = dynamic_cast<const KV_SingleRectGN&>(d);
    EXPECT_EQ(rect.quad.corners[0].Value(), D3DXVECTOR3(10, 20, 0));
    EXPECT_EQ(rect.quad.corners[3].Value(), D3DXVECTOR3(50, 40, 0));
    EXPECT_EQ(rect.centre.Value(), D3DXVECTOR3(30, 30, 0));
    ExpectTexFields(d, 1, 1);
}

void ExpectPlant(const KV_ABObj_Constructor& d)
{
    const auto& plant = dynamic_cast<const KV_Plant&>(d);
    EXPECT_FLOAT_EQ(plant.swaySpeed.Result(), 2.0f);
    EXPECT_FLOAT_EQ(plant.frequency.Result(), 2.0f);
    EXPECT_FLOAT_EQ(plant.wMagnitude.Result(), 0.1f);
    EXPECT_FLOAT_EQ(plant.bMagnitude.Result(), 0.3f);
    ExpectSingleRect(d);
}

void ExpectRays(const KV_ABObj_Constructor& d, DWORD count)
{
    const auto& rays = dynamic_cast<const KV_RadialRays&>(d);
    EXPECT_EQ(rays.rayLength.Value(), 120u);
    EXPECT_EQ(rays.rayWidth.Value(), 6u);
    EXPECT_EQ(rays.rayCount.Value(), count);
    EXPECT_EQ(rays.imageIndex.Value(), -1);
    EXPECT_EQ(rays.jitter.Value(), 1);
    EXPECT_EQ(rays.seed.Value(), 99u);
    EXPECT_FLOAT_EQ(rays.jitterMinimum.Result(), 0.6f);
    EXPECT_FLOAT_EQ(rays.rotationSpeed.Result(), 0.5f);
    EXPECT_EQ(rays.rotationMode.Value(), KV_RadialRays::kSwing);
    EXPECT_FLOAT_EQ(rays.shrink.Result(), 0.0f);
    EXPECT_FLOAT_EQ(rays.swingAmplitude.Result(), 1.0f);
    EXPECT_EQ(rays.centre.Value(), D3DXVECTOR3(32, 16, 0));
    ExpectTexFields(d, 1, 1);
}

void ExpectSmoke(const KV_ABObj_Constructor& d)
{
    const auto& smoke = dynamic_cast<const KV_Smoke&>(d);
    EXPECT_FLOAT_EQ(smoke.wind.Result(), 50.0f);
    EXPECT_FLOAT_EQ(smoke.originLifetime.Result(), 4.0f);
    EXPECT_EQ(smoke.originRate.Value(), 6u);
    EXPECT_EQ(smoke.thirdValue.Value(), 64u);
    EXPECT_EQ(smoke.direction.Value(), 90u);
    EXPECT_FLOAT_EQ(smoke.originSpeed.Result(), 1.0f);
    EXPECT_EQ(smoke.centre.Value(), D3DXVECTOR3(5, 6, 0));
    ExpectTexFields(d, 1, 1);
}

void ExpectPathAnimation(const KV_ABObj_Constructor& d, float animationSpeed)
{
    const auto& path = dynamic_cast<const KV_PathAnimtion&>(d);
    EXPECT_FLOAT_EQ(path.travelSpeed.Result(), 30.0f);
    EXPECT_FLOAT_EQ(path.size.Result(), 0.5f);
    EXPECT_EQ(path.orientation.Value(), KV_PathAnimtion::kMirrorMovingLeft);
    EXPECT_EQ(path.spriteVerticalMirror.Value(), 1);
    EXPECT_EQ(path.spriteHorizontalMirror.Value(), 0);
    EXPECT_FLOAT_EQ(path.animationSpeed.Result(), animationSpeed);
    ASSERT_EQ(path.path.size(), 3u);
    EXPECT_EQ(path.path[2].position->Value(), D3DXVECTOR3(20, 5, 0));
    ExpectTexFields(d, 1, 1);
}

void ExpectBrownAnimation(const KV_ABObj_Constructor& d, DWORD count, float animationSpeed)
{
    const auto& brown = dynamic_cast<const KV_BrownAnimation&>(d);
    EXPECT_EQ(brown.count.Value(), count);
    EXPECT_FLOAT_EQ(brown.size.Result(), 0.25f);
    EXPECT_FLOAT_EQ(brown.speedFactor.Result(), 2.0f);
    EXPECT_FLOAT_EQ(brown.changeInterval.Result(), 8.25f);
    EXPECT_FLOAT_EQ(brown.turnTime.Result(), 1.0f);
    EXPECT_FLOAT_EQ(brown.animationSpeed.Result(), animationSpeed);
    EXPECT_EQ(brown.region.corners[3].Value(), D3DXVECTOR3(64, 64, 0));
    ExpectTexFields(d, 1, 1);
}

std::vector<RecordCase> Cases()
{
    return {
        {"Bling1", BlingRecord(1),
         [](const auto& d) {
             ExpectBling(d, false);
             ExpectTexFields(d, 1, 1);
         }},
        {"Bling2", BlingRecord(2),
         [](const auto& d) {
             ExpectBling(d, true);
             ExpectTexFields(d, 1, 1);
             ExpectGeneratorFields(d, 3);
         },
         true},
        {"TexVersion1", BlingRecord(2, 1), [](const auto& d) { ExpectTexFields(d, 0, 0); }},
        {"TexVersion2", BlingRecord(2, 2), [](const auto& d) { ExpectTexFields(d, 1, 0); }},
        {"GeneratorVersion1", BlingRecord(2, 3, 1), [](const auto& d) { ExpectGeneratorFields(d, 1); }},
        {"GeneratorVersion2", BlingRecord(2, 3, 2), [](const auto& d) { ExpectGeneratorFields(d, 2); }},
        {"CustomAirBrush", CustomRecord(),
         [](const auto& d) {
             const auto& brush = dynamic_cast<const KV_CustomAirBrush&>(d);
             EXPECT_EQ(brush.animationImage.GetPath(), L"anim.png");
             EXPECT_FLOAT_EQ(brush.animationSpeed.Result(), 1.0f);
             EXPECT_EQ(brush.points.size(), 2u);
         },
         true},
        {"TwinklingStars", TwinklingRecord(),
         [](const auto& d) {
             // Stored 0 runs at speed 1.
             EXPECT_FLOAT_EQ(dynamic_cast<const KV_TwinklingStars&>(d).twinkleSpeed.Result(), 1.0f);
             EXPECT_EQ(dynamic_cast<const KV_TwinklingStars&>(d).points.size(), 2u);
         },
         true},
        {"Plant", PlantRecord(2), ExpectPlant, true},
        {"PlantOnARectangleOfVersion1", PlantRecord(1), ExpectPlant},
        {"RadialRays", RaysRecord(24), [](const auto& d) { ExpectRays(d, 24); }, true},
        {"RadialRaysHugeCount", RaysRecord(0xFFFFFFFF), [](const auto& d) { ExpectRays(d, 0xFFFFFFFF); }, true},
        {"Smoke", SmokeRecord(false), ExpectSmoke, true},
        {"SmokeWithTaggedOriginFields", SmokeRecord(true), ExpectSmoke},
        {"StaticAnimation", StaticAnimationRecord(),
         [](const auto& d) {
             const auto& animation = dynamic_cast<const KV_StaticAnimation&>(d);
             EXPECT_FLOAT_EQ(animation.frameSpeed.Result(), 2.0f);
             EXPECT_EQ(animation.backward.Value(), 1);
             ExpectSingleRect(d);
         },
         true},
        {"PathAnimation1", PathAnimationRecord(1), [](const auto& d) { ExpectPathAnimation(d, 1.0f); }},
        {"PathAnimation2", PathAnimationRecord(2), [](const auto& d) { ExpectPathAnimation(d, 3.0f); }, true},
        {"BrownAnimation1", BrownAnimationRecord(1, 7), [](const auto& d) { ExpectBrownAnimation(d, 7, 1.0f); }},
        {"BrownAnimation2", BrownAnimationRecord(2, 7), [](const auto& d) { ExpectBrownAnimation(d, 7, 3.0f); },
         true},
        {"BrownAnimationHugeCount", BrownAnimationRecord(2, 0xFFFFFFFF),
         [](const auto& d) { ExpectBrownAnimation(d, 0xFFFFFFFF, 3.0f); }, true},
        {"FallingStars", FallingStarsRecord(),
         [](const auto& d) {
             const auto& stars = dynamic_cast<const KV_FallingStars&>(d);
             EXPECT_FLOAT_EQ(stars.starSpeed.Result(), 200.0f);
             EXPECT_FLOAT_EQ(stars.starRate.Result(), 1.0f);
             EXPECT_NEAR(stars.direction.AxisX().y, 1.0f, 1e-6f);
             EXPECT_EQ(stars.starSize.Value(), 16u);
             EXPECT_FLOAT_EQ(stars.glowScale.Result(), 2.0f);
             EXPECT_FLOAT_EQ(stars.holdTime.Result(), 2.0f);
             EXPECT_FLOAT_EQ(stars.fadeInTime.Result(), 0.1f);
             EXPECT_FLOAT_EQ(stars.fadeOutTime.Result(), 0.3f);
             EXPECT_EQ(stars.region.corners[3].Value(), D3DXVECTOR3(64, 64, 0));
             // Trail lifetime in hundredths, twice the stored rate, size in hundredths.
             EXPECT_FLOAT_EQ(stars.lifetime.Result(), 1.5f);
             EXPECT_FLOAT_EQ(stars.emissionRate.Result(), 14.0f);
             EXPECT_FLOAT_EQ(stars.sizeParam.Result(), 0.4f);
             ExpectTexFields(d, 1, 1);
         },
         true},
        {"FireworkSimple", FireworkRecord(12, 8), [](const auto& d) { ExpectFirework(d, 12, 8); }, true},
        {"FireworkHugeCounts", FireworkRecord(0xFFFFFFFF, 0xFFFFFFFF),
         [](const auto& d) { ExpectFirework(d, 0xFFFFFFFF, 0xFFFFFFFF); }, true},
        {"Lightning1", LightningRecord(1, 3, 2),
         [](const auto& d) {
             ExpectLightning(d, 3, 2);
             // The timings went to the time line after its own record.
             const KV_TimeLineControl& timeLine = d.TimeLine();
             EXPECT_EQ(timeLine.mode.Value(), KV_TimeLineControl::kModeCycle);
             EXPECT_FLOAT_EQ(timeLine.fadeIn.Result(), 0.7f);
             EXPECT_FLOAT_EQ(timeLine.fadeOut.Result(), 0.3f);
             EXPECT_EQ(timeLine.visibleRange.minimum.Value(), 200u);
             EXPECT_EQ(timeLine.visibleRange.maximum.Value(), 200u);
             EXPECT_EQ(timeLine.invisibleRange.minimum.Value(), 100u);
             EXPECT_EQ(timeLine.invisibleRange.maximum.Value(), 400u);
         }},
        {"Lightning2", LightningRecord(2, 3, 2),
         [](const auto& d) {
             ExpectLightning(d, 3, 2);
             EXPECT_EQ(d.TimeLine().mode.Value(), KV_TimeLineControl::kModeAlways);
         },
         true},
        {"LightningHugeCounts", LightningRecord(2, 0xFFFFFFFF, 0xFFFFFFFF),
         [](const auto& d) { ExpectLightning(d, 0xFFFFFFFF, 0xFFFFFFFF); }, true},
    };
}

class GeneratorRecords : public testing::TestWithParam<RecordCase> {};

TEST_P(GeneratorRecords, ReadEveryFieldAndStayInStep)
{
    Reader reader(Join({GetParam().bytes, ShortString(kSentinel)}));
    const std::unique_ptr<KV_ABObj_Constructor> description = KV_ABObj_Constructor::ReadNew(reader.archive);
    ASSERT_NE(description, nullptr);
    GetParam().expect(*description);
    kv_string sentinel;
    reader.archive.ReadString(&sentinel);
    EXPECT_EQ(sentinel, L"sentinel");
    EXPECT_FALSE(reader.archive.Failed());
    EXPECT_EQ(reader.buffer.Remaining(), 0u);

    if (GetParam().latest) {
        KV_IOF_W writer;
        description->Write(writer);
        EXPECT_EQ(writer.Bytes(), GetParam().bytes);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, GeneratorRecords, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<RecordCase>& info) { return std::string(info.param.name); });

// The two thin bases, which no registered kind here reads through.
template <class Base>
class BaseOnly : public Base {
public:
    void Render(KV_ABRender&, KV_ParticlesObj&) override {}
    std::unique_ptr<KV_ParticleGenerator> Clone() const override { return std::make_unique<BaseOnly>(*this); }
};

TEST(BaseRecords, CentreAndRegionPrecedeTheTexturedRecord)
{
    const Bytes centre = Join({Frame(u"KV_StaticGenerator", 1), Floats({5, 6, 7}), TexRecord(3, 3)});
    const Bytes region = Join({Frame(u"KV_ParticleRctRgnGenerator", 1),
                               Floats({0, 0, 0, 0, 8, 0, 8, 0, 0, 8, 8, 0}), TexRecord(3, 3)});
    Reader reader(Join({centre, region, ShortString(kSentinel)}));
    BaseOnly<KV_StaticGenerator> fixed;
    fixed.ReadRecord(reader.archive);
    BaseOnly<KV_ParticleRctRgnGenerator> area;
    area.ReadRecord(reader.archive);
    kv_string sentinel;
    reader.archive.ReadString(&sentinel);
    EXPECT_EQ(sentinel, L"sentinel");
    EXPECT_EQ(fixed.centre.Value(), D3DXVECTOR3(5, 6, 7));
    EXPECT_EQ(area.region.corners[3].Value(), D3DXVECTOR3(8, 8, 0));
    ExpectTexFields(fixed, 1, 1);
    ExpectTexFields(area, 1, 1);

    KV_IOF_W writer;
    fixed.Write(writer);
    area.Write(writer);
    EXPECT_EQ(writer.Bytes(), Join({centre, region}));
}

Bytes WithOriginCount(DWORD count)
{
    return Join({Frame(u"KV_Bling", 2), Le32(50), Le32(150), Le32(50), Le32(100), Le32(20), Frame(u"KV_AirBrush", 1),
                 Le32(32), Le32(0), Frame(u"KV_TexParticleGenerator", 3), Le32(0), Link(u"", 0), Le32(0), Le32(0),
                 Le32(0), Le32(0), LeInt(0), LeInt(0), LeInt(0), LeInt(0), Frame(u"KV_ParticleGenerator", 3),
                 Le32(count), Floats({1, 2, 3})});
}

Bytes WithImageCount(DWORD count)
{
    return Join({Frame(u"KV_TwinklingStars", 1), Le32(0), Frame(u"KV_AirBrush", 1), Le32(32), Le32(0),
                 Frame(u"KV_TexParticleGenerator", 3), Le32(count), Link(u"a.png", 1)});
}

class OversizedCounts : public testing::TestWithParam<Bytes> {};

TEST_P(OversizedCounts, FailTheArchiveBeforeAllocating)
{
    Reader reader(GetParam());
    KV_ABObj_Constructor::ReadNew(reader.archive);
    EXPECT_TRUE(reader.archive.Failed());
}

INSTANTIATE_TEST_SUITE_P(Counts, OversizedCounts,
                         testing::Values(AirBrushRecord(3, 3, 0xFFFFFFFF), WithOriginCount(0x40000000),
                                         WithImageCount(0xFFFFFFFF), PathAnimationRecord(2, 0xFFFFFFFF)));

}  // namespace
