// The flame and underwater layers' records at every version, read from
// hand-built bytes to their end and written back the same.
#include <functional>

#include <gtest/gtest.h>

#include "effects/lights/fake_undervater.h"
#include "effects/lights/flame_light.h"
#include "effects/lights/light_records.h"

namespace lights_test {
namespace {

// A time line that cycles with its ranges and fades.
Bytes CyclingTimeLine()
{
    return Join({Frame(u"KV_TimeLineControl", 1), LeInt(1), LeInt(0), Le32(100), Le32(200), Le32(300), Le32(400),
                 Le32(50), Le32(70), Le32(0)});
}

// An effect's base part, version 3, with its effect link, speed 40, scale
// 60 and a cycling time line.
Bytes EffectPart(std::u16string_view effect, DWORD stamp)
{
    Bytes bytes = Join({Frame(u"KV_FX_Constructor", 3), Le32(40), LeInt(0),
                        ShortString(u"{12345678-9ABC-DEF0-1122-334455667788}"), ShortString(u"mask"), {1},
                        Link(effect, stamp), Le32(60)});
    for (int k = 0; k < 12; ++k)
        Append(bytes, LeFloat(static_cast<float>(k)));
    Append(bytes, Join({LeInt(0), Frame(u"KV_ABObj_Constructor", 2), ShortString(u"stored"), CyclingTimeLine()}));
    return bytes;
}

// The flame's switches, drop and the distortion's links and values around
// what the version puts between them.
Bytes FlameFields(DWORD version, const Bytes& afterDrop, const Bytes& fire)
{
    return Join({Frame(u"KV_FlameLight", version), LeInt(1), LeInt(2), Le32(20), afterDrop, Link(u"bump.png", 3),
                 Link(u"distort.fx", 4), Le32(60), Le32(50), Le32(40), fire, PlainLightPart()});
}

void ExpectStoredEffect(const KV_FX_Constructor& effect, std::u16string_view path, DWORD stamp)
{
    EXPECT_EQ(effect.effectLink.Key(), (ResourceKey{kv_string(path.begin(), path.end()), stamp}));
    EXPECT_EQ(effect.speed.Value(), 40u);
    EXPECT_EQ(effect.scale.Value(), 60u);
    EXPECT_EQ(effect.placement.corners[3].Value().z, 11.0f);
    EXPECT_EQ(effect.name, L"stored");
    EXPECT_EQ(effect.TimeLine().mode.Value(), 1);
    EXPECT_EQ(effect.TimeLine().fadeIn.Value(), 50u);
    EXPECT_EQ(effect.TimeLine().visibleRange.maximum.Value(), 400u);
}

void ExpectFlameFields(const KV_FlameLight& flame)
{
    EXPECT_EQ(flame.showFlames.Value(), 1);
    EXPECT_EQ(flame.distortScene.Value(), 2);
    EXPECT_EQ(flame.flameDrop.Value(), 20u);
    EXPECT_EQ(flame.distortion.bumpMapLink.Key(), (ResourceKey{L"bump.png", 3}));
    EXPECT_EQ(flame.distortion.effectLink.Key(), (ResourceKey{L"distort.fx", 4}));
    EXPECT_EQ(flame.distortion.speed.Value(), 60u);
    EXPECT_FLOAT_EQ(flame.distortion.strength.Result(), 0.1f);
    EXPECT_FLOAT_EQ(flame.distortion.bumpScale.Result(), 0.64f);
}

struct LayerRecord {
    const char* name;
    Bytes bytes;
    // Reads the bytes, checks what was read, and returns it written.
    std::function<Bytes(const Bytes&)> readCheckAndWrite;
};

template <class T, class Check>
std::function<Bytes(const Bytes&)> As(Check check)
{
    return [check](const Bytes& bytes) {
        const std::unique_ptr<T> read = ReadLight<T>(bytes);
        if (!read) {
            ADD_FAILURE() << "not read exactly to its end";
            return Bytes();
        }
        check(*read);
        return Writing(*read);
    };
}

const LayerRecord kLayerRecords[] = {
    {"FlameVersion1SetsTheFiresSpeedAndSkipsItsLinks",
     FlameFields(1, Le32(100), Join({Link(u"old_pattern.png", 1), Link(u"old_noise.png", 2)})),
     As<KV_FlameLight>([](const KV_FlameLight& flame) {
         ExpectFlameFields(flame);
         EXPECT_FLOAT_EQ(flame.fire.speed.Result(), 2.0f);
         EXPECT_EQ(flame.fire.firePatternLink.Key(), (ResourceKey{L"common_res.dll", 7}));
         EXPECT_EQ(flame.fire.fireNoiseLink.Key(), (ResourceKey{L"common_res.dll", 8}));
         EXPECT_EQ(flame.fire.effectLink.Key(), (ResourceKey{L"common_res.dll", 92}));
         EXPECT_FLOAT_EQ(flame.fire.fireZoom.Result(), 1.0f);
     })},
    {"FlameVersion2StoresTheWholeFire",
     FlameFields(2, {},
                 Join({Frame(u"KV_FireFX", 3), Le32(0x0000C0FF), Le32(0x00000080), LeInt(5), Link(u"flames.png", 2),
                       Link(u"noise.png", 3), Le32(150), Le32(25), Le32(50), EffectPart(u"fire.fx", 9)})),
     As<KV_FlameLight>([](const KV_FlameLight& flame) {
         ExpectFlameFields(flame);
         const KV_FireFX& fire = flame.fire;
         ExpectStoredEffect(fire, u"fire.fx", 9);
         EXPECT_EQ(fire.fireColour1.Value(), 0x0000C0FFu);
         EXPECT_EQ(fire.firePatternLink.Key(), (ResourceKey{L"flames.png", 2}));
         EXPECT_EQ(fire.fireNoiseLink.Key(), (ResourceKey{L"noise.png", 3}));
         EXPECT_FLOAT_EQ(fire.fireDensity.Result(), 0.5f);
         EXPECT_FLOAT_EQ(fire.fireZoom.Result(), 0.5f);
     })},
    {"UnderwaterVersion1HalvesTheSpeed", Join({Frame(u"FakeUndervater", 1), Le32(100), PlainLightPart()}),
     As<FakeUndervater>([](const FakeUndervater& water) {
         EXPECT_EQ(water.effect.speed.Value(), 50u);
         EXPECT_FLOAT_EQ(water.effect.speed.Result(), 50.0f);
         EXPECT_EQ(water.effect.effectLink.Key(), (ResourceKey{L"common_res.dll", 88}));
         EXPECT_FLOAT_EQ(water.effect.wobbleAmplitude.Result(), 0.00625f);
     })},
    {"UnderwaterVersion1HalvesAnOddSpeedDown", Join({Frame(u"FakeUndervater", 1), Le32(101), PlainLightPart()}),
     As<FakeUndervater>([](const FakeUndervater& water) { EXPECT_EQ(water.effect.speed.Value(), 50u); })},
    {"UnderwaterVersion2StoresTheWholeEffect",
     Join({Frame(u"FakeUndervater", 2), Frame(u"KV_UnderwaterFX", 1), Le32(100), Le32(20), EffectPart(u"wobble.fx", 6),
           PlainLightPart()}),
     As<FakeUndervater>([](const FakeUndervater& water) {
         ExpectStoredEffect(water.effect, u"wobble.fx", 6);
         EXPECT_FLOAT_EQ(water.effect.wobbleAmplitude.Result(), 0.0125f);
         EXPECT_FLOAT_EQ(water.effect.wobbleLength.Result(), 0.041f);
     })},
};

void PrintTo(const LayerRecord& c, std::ostream* os) { *os << c.name; }

class LayerRecordCase : public testing::TestWithParam<LayerRecord> {};

TEST_P(LayerRecordCase, ReadsToTheEndAndWritesWhatItReads)
{
    const Bytes first = GetParam().readCheckAndWrite(GetParam().bytes);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(GetParam().readCheckAndWrite(first), first);
}

INSTANTIATE_TEST_SUITE_P(Layers, LayerRecordCase, testing::ValuesIn(kLayerRecords),
                         [](const testing::TestParamInfo<LayerRecord>& info) { return info.param.name; });

} // namespace
} // namespace lights_test
