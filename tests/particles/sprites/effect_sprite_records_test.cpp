// The records of the effect-drawn sprites and the text overlays over their
// versions, from hand-built bytes, each followed by another record that
// must still read; and each read back as it writes itself.
#include "sprite_fixtures.h"

#include "effects/text/text_constructors.h"
#include "particles/sprites/discharge_fx.h"
#include "particles/sprites/explosion.h"
#include "particles/sprites/light_kinds.h"

#include <gtest/gtest.h>

#include <functional>

namespace sprite_test {
namespace {

constexpr char16_t kGuidText[] = u"{01234567-89AB-CDEF-0123-456789ABCDEF}";

Bytes EffectRecord(const BaseFields& base = {})
{
    return Join({Frame(u"KV_FXParticleSystemCtrl", 1), Link(u"sprites.fx", 4), BaseSpriteRecord(base)});
}

// At (120, 80), 40 high and 200 wide from version 2 on.
Bytes StatBaseRecord(DWORD version, const BaseFields& base = {})
{
    Bytes bytes = Join({Frame(u"KV_StatBaseFXCtrl", version), LeFloat(120.0f), LeFloat(80.0f), LeFloat(0.0f)});
    if (version >= 2)
        Append(bytes, Join({Le32(40), Le32(200)}));
    return Join({bytes, Frame(u"KV_BaseFXCtrl", 1), EffectRecord(base)});
}

Bytes ExplosionRecord(DWORD version)
{
    Bytes bytes = Join({Frame(u"KV_ExplosionConstructor", version), Le32(30), Le32(20), Le32(40), Le32(90), Le32(60)});
    if (version < 2)
        for (DWORD milliseconds : {500u, 1000u, 500u, 2000u, 3000u})
            Append(bytes, Le32(milliseconds));
    return Join({bytes, Le32(7), LeInt(1), Le32(0x00102030), StatBaseRecord(version)});
}

struct TextFields {
    std::u16string_view text = u"Evening";
    std::u16string_view face = u"DejaVu Sans";
    // Fade-in, fade-out, visible, invisible: version 1 only.
    DWORD times[4] = {800, 600, 3000, 1000};
    int timeLineMode = -1;
};

Bytes StaticTextRecord(DWORD version, const TextFields& f = {})
{
    Bytes bytes = Join({Frame(u"KV_StaticTextConstructor", version), LeInt(3), LeInt(4), ShortString(f.text), LeInt(40),
                        Le32(400), LeInt(2), ShortString(f.face)});
    if (version < 2)
        for (DWORD milliseconds : f.times)
            Append(bytes, Le32(milliseconds));
    if (version > 2)
        Append(bytes, Join({ShortString(kGuidText), ShortString(u"picture"), {1}}));
    BaseFields base;
    base.timeLineMode = f.timeLineMode;
    return Join({bytes, StatBaseRecord(version < 2 ? 1 : 2, base)});
}

Bytes ScrollingTextRecord(DWORD version)
{
    Bytes bytes = Join({Frame(u"KV_ScrollingTextConstructor", version), Le32(12), LeInt(2)});
    if (version > 1)
        Append(bytes, Join({LeFloat(40.0f), LeFloat(100.0f)}));
    return Join({bytes, StaticTextRecord(3)});
}

Bytes DischargeRecord()
{
    Bytes bytes = Frame(u"KV_DischargeFXConstructor", 1);
    for (float coordinate : {10.0f, 20.0f, 1.0f, 300.0f, 40.0f, 2.0f})
        Append(bytes, LeFloat(coordinate));
    return Join({bytes, Le32(30), LeInt(0), Le32(50), Le32(20), Frame(u"KV_GlowEffectCtrl", 1), Le32(0x00FF8000),
                 Le32(150), EffectRecord()});
}

// The record, then a sparkle record: both read, the second as stored.
std::unique_ptr<KV_ABObj_Constructor> ReadBeforeSentinel(const Bytes& record)
{
    HeldBytes held(Join({record, KindRecord(u"KV_SparkleConstructor", 1, {})}));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> archive(buffer);
    std::unique_ptr<KV_ABObj_Constructor> read = KV_ABObj_Constructor::ReadNew(archive);
    std::unique_ptr<KV_ABObj_Constructor> sentinel = KV_ABObj_Constructor::ReadNew(archive);
    EXPECT_FALSE(archive.Failed());
    EXPECT_EQ(buffer.Remaining(), 0u);
    const auto* sparkle = dynamic_cast<const KV_SparkleConstructor*>(sentinel.get());
    EXPECT_TRUE(sparkle && sparkle->count.Value() == 3 && sparkle->image.GetPath() == L"picture.png");
    return read;
}

void ExpectTimes(const KV_TimeLineControl& timeLine, unsigned fadeIn, unsigned visible, unsigned fadeOut,
                 unsigned invisible)
{
    EXPECT_EQ(timeLine.fadeIn.Value(), fadeIn);
    EXPECT_FLOAT_EQ(timeLine.fadeIn.Result(), 0.01f * static_cast<float>(fadeIn));
    EXPECT_EQ(timeLine.fadeOut.Value(), fadeOut);
    EXPECT_EQ(timeLine.visibleRange.minimum.Value(), visible);
    EXPECT_EQ(timeLine.visibleRange.maximum.Value(), visible);
    EXPECT_EQ(timeLine.invisibleRange.minimum.Value(), invisible);
    EXPECT_EQ(timeLine.invisibleRange.maximum.Value(), invisible);
}

template <class Kind>
const Kind& As(const KV_ABObj_Constructor& read)
{
    const auto* kind = dynamic_cast<const Kind*>(&read);
    EXPECT_NE(kind, nullptr);
    return *kind;
}

void ExpectStaticFields(const KV_StaticTextConstructor& text)
{
    EXPECT_EQ(text.firstSetting.Value(), 3);
    EXPECT_EQ(text.secondSetting.Value(), 4);
    EXPECT_EQ(text.font.size, 40);
    EXPECT_EQ(text.font.weight, 400);
    EXPECT_EQ(text.font.third, 2);
    EXPECT_EQ(text.position.Value(), D3DXVECTOR3(120, 80, 0));
    EXPECT_EQ(text.effectLink.GetPath(), L"sprites.fx");
    EXPECT_EQ(text.count.Value(), 3u);
}

struct RecordCase {
    const char* label;
    Bytes bytes;
    std::function<void(const KV_ABObj_Constructor&)> check;
};

TEST(EffectSpriteRecords, EveryVersionReadsItsFieldsAndWhatFollowsItStillReads)
{
    const RecordCase cases[] = {
        {"explosion 1", ExplosionRecord(1),
         [](const KV_ABObj_Constructor& read) {
             const auto& explosion = As<KV_ExplosionConstructor>(read);
             EXPECT_FLOAT_EQ(explosion.noise1.Result(), 0.7f);
             EXPECT_FLOAT_EQ(explosion.noise3.Result(), 0.4f);
             EXPECT_FLOAT_EQ(explosion.driftSpeed.Result(), 0.3f);
             EXPECT_EQ(explosion.drift.Value(), 90u);
             EXPECT_EQ(explosion.seed.Value(), 7u);
             EXPECT_EQ(explosion.randomMode.Value(), 1);
             EXPECT_EQ(explosion.secondColour.Value(), 0x00102030u);
             EXPECT_EQ(explosion.position.Value(), D3DXVECTOR3(120, 80, 0));
             EXPECT_EQ(explosion.width.Value(), 0u);
             EXPECT_EQ(explosion.TimeLine().mode.Value(), KV_TimeLineControl::kModeCycle);
             ExpectTimes(explosion.TimeLine(), 50, 100, 50, 500);
         }},
        {"explosion 2", ExplosionRecord(2),
         [](const KV_ABObj_Constructor& read) {
             const auto& explosion = As<KV_ExplosionConstructor>(read);
             EXPECT_EQ(explosion.seed.Value(), 7u);
             EXPECT_EQ(explosion.height.Value(), 40u);
             EXPECT_EQ(explosion.width.Value(), 200u);
             EXPECT_EQ(explosion.TimeLine().mode.Value(), KV_TimeLineControl::kModeAlways);
         }},
        {"static text 1, shown for 0 ms", StaticTextRecord(1, {.times = {700, 900, 0, 1000}, .timeLineMode = 1}),
         [](const KV_ABObj_Constructor& read) {
             const auto& text = As<KV_StaticTextConstructor>(read);
             ExpectStaticFields(text);
             EXPECT_EQ(text.TimeLine().mode.Value(), KV_TimeLineControl::kModeAlways);
             ExpectTimes(text.TimeLine(), 50, 100, 50, 100);
         }},
        {"static text 1", StaticTextRecord(1, {.timeLineMode = 1}),
         [](const KV_ABObj_Constructor& read) {
             const auto& text = As<KV_StaticTextConstructor>(read);
             EXPECT_EQ(text.TimeLine().mode.Value(), KV_TimeLineControl::kModeCycle);
             ExpectTimes(text.TimeLine(), 80, 300, 60, 100);
         }},
        {"static text 2", StaticTextRecord(2),
         [](const KV_ABObj_Constructor& read) {
             const auto& text = As<KV_StaticTextConstructor>(read);
             ExpectStaticFields(text);
             EXPECT_EQ(text.text.Value(), L"Evening");
             EXPECT_EQ(text.font.face, L"DejaVu Sans");
             EXPECT_EQ(text.width.Value(), 200u);
             EXPECT_TRUE(text.pictureKey.name.empty());
         }},
        {"static text 3, empty strings", StaticTextRecord(3, {.text = u"", .face = u""}),
         [](const KV_ABObj_Constructor& read) {
             const auto& text = As<KV_StaticTextConstructor>(read);
             ExpectStaticFields(text);
             EXPECT_EQ(text.text.Value(), L"");
             EXPECT_EQ(text.font.face, L"Arial");
             EXPECT_EQ(text.pictureKey.id.Data1, 0x01234567u);
             EXPECT_EQ(text.pictureKey.id.Data4[7], 0xEF);
             EXPECT_EQ(text.pictureKey.name, L"picture");
         }},
        {"scrolling text 1", ScrollingTextRecord(1),
         [](const KV_ABObj_Constructor& read) {
             const auto& text = As<KV_ScrollingTextConstructor>(read);
             ExpectStaticFields(text);
             EXPECT_EQ(text.scrollPeriod.Value(), 12u);
             EXPECT_EQ(text.direction.Value(), 2);
             EXPECT_EQ(text.tileWidth, 0.0f);
             EXPECT_FALSE(text.Scrolls());
         }},
        {"scrolling text 2", ScrollingTextRecord(2),
         [](const KV_ABObj_Constructor& read) {
             const auto& text = As<KV_ScrollingTextConstructor>(read);
             EXPECT_EQ(text.tileHeight, 40.0f);
             EXPECT_EQ(text.tileWidth, 100.0f);
             EXPECT_EQ(text.text.Value(), L"Evening");
         }},
        {"link text", Join({Frame(u"KV_TextLinkConstructor", 1), Le32(77), StaticTextRecord(3)}),
         [](const KV_ABObj_Constructor& read) {
             const auto& link = As<KV_TextLinkConstructor>(read);
             ExpectStaticFields(link);
             EXPECT_EQ(link.linkValue.Value(), 77u);
         }},
        {"discharge", DischargeRecord(),
         [](const KV_ABObj_Constructor& read) {
             const auto& bolt = As<KV_DischargeFXConstructor>(read);
             EXPECT_EQ(bolt.startPoint.Value(), D3DXVECTOR3(10, 20, 1));
             EXPECT_EQ(bolt.endPoint.Value(), D3DXVECTOR3(300, 40, 2));
             EXPECT_FLOAT_EQ(bolt.jitter.Result(), 0.3f);
             EXPECT_EQ(bolt.glowKind.Value(), 0);
             EXPECT_FLOAT_EQ(bolt.flickerPeriod.Result(), 0.05f);
             EXPECT_FLOAT_EQ(bolt.morphRate.Result(), 2.0f);
             EXPECT_EQ(bolt.glowColour.Value(), 0x00FF8000u);
             EXPECT_FLOAT_EQ(bolt.glowStrength.Result(), 1.5f);
             EXPECT_EQ(bolt.effectLink.GetPath(), L"sprites.fx");
             EXPECT_EQ(bolt.count.Value(), 3u);
         }},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.label);
        const std::unique_ptr<KV_ABObj_Constructor> read = ReadBeforeSentinel(c.bytes);
        ASSERT_NE(read, nullptr);
        c.check(*read);
        const Bytes written = Written(*read);
        bool exact = false;
        const std::unique_ptr<KV_ABObj_Constructor> again = ReadDescription(written, &exact);
        ASSERT_NE(again, nullptr);
        EXPECT_TRUE(exact);
        EXPECT_EQ(typeid(*again), typeid(*read));
        EXPECT_EQ(Written(*again), written);
        c.check(*again);
    }
}

}  // namespace
}  // namespace sprite_test
