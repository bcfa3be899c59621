// Sprite records over their versions, from hand-built bytes, and every
// kind's record read back as written.
#include "sprite_fixtures.h"

#include "particles/sprites/fish_kinds.h"
#include "particles/sprites/flow.h"
#include "particles/sprites/fog.h"
#include "particles/sprites/light_kinds.h"
#include "particles/sprites/stat_obj.h"
#include "scene/model/abobj.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sprite_test {
namespace {

Bytes FishFields() { return Join({LeFloat(70.0f), LeFloat(30.0f)}); }

struct BaseCase {
    DWORD version;
    DWORD speed;  // the rectangle speed read
    int imageKind, flips, staticGeometry;
    unsigned animationSpeed;
};

TEST(SpriteRecord, EveryBaseVersionReadsItsFields)
{
    const BaseCase cases[] = {
        {1, 77, 0, 0, 0, 100}, {2, 77, 0, 0, 0, 100}, {3, 60, 0, 0, 0, 100}, {4, 60, 1, 0, 0, 100},
        {5, 60, 1, 1, 0, 100}, {6, 60, 1, 1, 1, 100}, {7, 60, 1, 1, 1, 200},
    };
    for (const BaseCase& c : cases) {
        SCOPED_TRACE(c.version);
        BaseFields base;
        base.version = c.version;
        base.transparency = 50;
        bool exact = false;
        auto fish = ReadAs<KV_FishConstructor>(KindRecord(u"KV_FishConstructor", 1, FishFields(), base), &exact);
        ASSERT_TRUE(fish);
        EXPECT_TRUE(exact);
        EXPECT_FLOAT_EQ(fish->maxSpeedX, 70.0f);
        EXPECT_EQ(fish->count.Value(), 3u);
        EXPECT_EQ(fish->speed.Value(), c.speed);
        EXPECT_EQ(fish->size.Value(), 40u);
        EXPECT_EQ(fish->AlphaByte(), 127);
        EXPECT_EQ(fish->blendMode.Value(), 2);
        EXPECT_EQ(fish->colour.Value(), 0x00336699u);
        EXPECT_FLOAT_EQ(fish->phaseMaximum, 0.75f);
        EXPECT_FLOAT_EQ(fish->scaleMaximum, 2.0f);
        EXPECT_EQ(fish->frameCount, 4u);
        EXPECT_TRUE(fish->strip);
        EXPECT_EQ(fish->imageKind, c.imageKind);
        EXPECT_EQ(fish->flipV.Value(), c.flips);
        EXPECT_EQ(fish->flipU.Value(), c.flips);
        EXPECT_EQ(fish->staticGeometry.Value(), c.staticGeometry);
        EXPECT_EQ(fish->animationSpeed.Value(), c.animationSpeed);
        EXPECT_FLOAT_EQ(fish->animationSpeed.Result(), 0.01f * static_cast<float>(c.animationSpeed));
        if (c.version == 1) {
            EXPECT_TRUE(fish->image.GetPath().empty());
            EXPECT_EQ(fish->inlineDurations.size(), 2u);
        } else {
            EXPECT_EQ(fish->image.GetPath(), L"picture.png");
        }
    }
}

TEST(SpriteRecord, TransparencyGivesTheAlphaByte)
{
    const std::pair<DWORD, int> cases[] = {{0, 255}, {50, 127}, {100, 0}};
    for (const auto& [transparency, alpha] : cases) {
        BaseFields base;
        base.transparency = transparency;
        auto fish = ReadAs<KV_FishConstructor>(KindRecord(u"KV_FishConstructor", 1, FishFields(), base));
        ASSERT_TRUE(fish);
        EXPECT_EQ(fish->AlphaByte(), alpha) << transparency;
    }
}

TEST(SpriteRecord, CountsBeyondSixteenBitIndicesAreClamped)
{
    BaseFields base;
    base.count = 0x2AAAAAAB;
    auto fish = ReadAs<KV_FishConstructor>(KindRecord(u"KV_FishConstructor", 1, FishFields(), base));
    ASSERT_TRUE(fish);
    EXPECT_EQ(fish->count.Value(), 16383u);
}

TEST(SpriteRecord, AnInlineListLongerThanTheDocumentFailsTheReading)
{
    BaseFields base;
    base.version = 1;
    base.inlineClaimed = 0x40000000;
    base.inlineHeld = 1;
    EXPECT_FALSE(ReadDescription(KindRecord(u"KV_FishConstructor", 1, FishFields(), base)));
    base.inlineClaimed = 1;
    EXPECT_TRUE(ReadDescription(KindRecord(u"KV_FishConstructor", 1, FishFields(), base)));
}

Bytes Rule(int mode) { return Join({Frame(u"KV_BoundControl", 1), LeInt(mode), Le32(100), Le32(200), Le32(300), Le32(400)}); }

Bytes FlowFields(DWORD version, int orientation)
{
    Bytes bytes = Join({Le32(45), Le32(2), Le32(4), LeFloat(120.0f)});
    if (version >= 2)
        Append(bytes, LeInt(orientation));
    if (version >= 4)
        for (int mode : {0, 1, 2, 1})
            Append(bytes, Rule(mode));
    return bytes;
}

TEST(SpriteRecord, FlowVersionsReadOrientationAndRules)
{
    struct Case {
        DWORD version;
        int stored, orientation;
        bool rules;
    };
    const Case cases[] = {{1, 0, 0, false}, {2, 5, 1, false}, {2, 0, 0, false}, {3, 3, 3, false}, {4, 2, 2, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        bool exact = false;
        auto flow = ReadAs<KV_FlowConstructor>(
            KindRecord(u"KV_FlowConstructor", c.version, FlowFields(c.version, c.stored)), &exact);
        ASSERT_TRUE(flow);
        EXPECT_TRUE(exact);
        EXPECT_EQ(flow->angle.Value(), 45u);
        // Stored without notifying: the copy the object runs derives its result.
        EXPECT_EQ(flow->wobbleAmplitude.Value(), 2u);
        EXPECT_FLOAT_EQ(KV_FlowConstructor(*flow).wobbleAmplitude.Result(), 6.0f);
        EXPECT_FLOAT_EQ(flow->speed, 120.0f);
        EXPECT_EQ(flow->orientation.Value(), c.orientation);
        EXPECT_EQ(flow->rules[2].mode.Value(), c.rules ? 2 : 0);
        EXPECT_EQ(flow->rules[3].maximumWait.Value(), c.rules ? 400u : 0u);
    }
}

TEST(SpriteRecord, StaticObjectVersionOneStoresFlipsBeforeTheBase)
{
    const Bytes placement = Join({LeInt(1), LeInt(2), LeInt(3), LeInt(4), LeInt(200), LeInt(150), Le32(90)});
    BaseFields base;
    base.version = 4;
    auto old = ReadAs<KV_StatObjConstructor>(
        KindRecord(u"KV_StatObjConstructor", 1, Join({placement, LeInt(1), LeInt(0)}), base));
    ASSERT_TRUE(old);
    EXPECT_EQ(old->flipV.Value(), 1);
    EXPECT_EQ(old->flipU.Value(), 0);
    EXPECT_EQ(old->rotation.Value(), 90u);
    EXPECT_EQ(old->placement.extra1.Value(), 200);
    auto current = ReadAs<KV_StatObjConstructor>(KindRecord(u"KV_StatObjConstructor", 2, placement));
    ASSERT_TRUE(current);
    EXPECT_EQ(current->flipU.Value(), 1);
}

TEST(SpriteRecord, AVersionOneGhostFadesInAndOutContinuously)
{
    const Bytes fish = Join({Frame(u"KV_FishConstructor", 1), FishFields(), BaseSpriteRecord({})});
    for (DWORD version : {1u, 2u}) {
        SCOPED_TRACE(version);
        auto ghost = ReadAs<KV_GhostConstructor>(Join({Frame(u"KV_GhostConstructor", version), fish}));
        ASSERT_TRUE(ghost);
        const KV_TimeLineControl& timeLine = ghost->TimeLine();
        if (version == 1) {
            EXPECT_EQ(timeLine.mode.Value(), KV_TimeLineControl::kModeCycle);
            EXPECT_FLOAT_EQ(timeLine.fadeIn.Result(), 1.5f);
            EXPECT_FLOAT_EQ(timeLine.fadeOut.Result(), 1.5f);
            EXPECT_EQ(timeLine.visibleRange.maximum.Value(), 0u);
            EXPECT_EQ(timeLine.invisibleRange.minimum.Value(), 0u);
        } else {
            // The record's own time line (version 1 base: the default).
            EXPECT_EQ(timeLine.mode.Value(), KV_TimeLineControl::kModeAlways);
        }
    }
}

// Each kind with settings off their defaults, written and read back.
template <class Kind>
std::unique_ptr<KV_ParticleSystemCtrl> Edited(void (*edit)(Kind&))
{
    auto kind = std::make_unique<Kind>();
    kind->count.Value() = 5;
    kind->alpha.SetValue(30);
    kind->flipU.Value() = 1;
    kind->image.SetKey({L"picture.png", 3});
    kind->animationSpeed.SetValue(150);
    edit(*kind);
    return kind;
}

TEST(SpriteRecord, EveryKindReadsBackWhatItWrote)
{
    std::unique_ptr<KV_ParticleSystemCtrl> kinds[] = {
        Edited<KV_FishConstructor>([](KV_FishConstructor& k) { k.maxSpeedY = 12.0f; }),
        Edited<KV_BirdConstructor>([](KV_BirdConstructor& k) { k.maxSpeedX = 13.0f; }),
        Edited<KV_GhostConstructor>([](KV_GhostConstructor& k) { k.maxSpeedX = 14.0f; }),
        Edited<KV_FogConstructor>([](KV_FogConstructor& k) { k.maxSpeedY = 15.0f; }),
        Edited<KV_FlowConstructor>([](KV_FlowConstructor& k) {
            k.angle.SetValue(33);
            k.orientation.SetValue(2);
            k.rules[1].mode.SetValue(2);
            k.rules[1].fadeIn.SetValue(250);
        }),
        Edited<KV_RainConstructor>([](KV_RainConstructor& k) { k.speed = 900.0f; }),
        Edited<KV_StatObjConstructor>([](KV_StatObjConstructor& k) {
            k.rotation.SetValue(30);
            k.placement.extra2.Value() = 42;
        }),
        Edited<KV_FlowerConstructor>([](KV_FlowerConstructor& k) { k.amplitude = 4.0f; }),
        Edited<KV_DischargeConstructor>([](KV_DischargeConstructor& k) { k.frameCount = 6; }),
        Edited<KV_GodRayConstructor>([](KV_GodRayConstructor& k) { k.slant.SetValue(70); }),
        Edited<KV_SparkleConstructor>([](KV_SparkleConstructor& k) { k.pulseSpeed = 0.3f; }),
        Edited<KV_LightingConstructor>([](KV_LightingConstructor& k) { k.size.SetValue(90); }),
        Edited<KV_GrassConstructor>([](KV_GrassConstructor& k) { k.amplitude = 6.0f; }),
    };
    for (const auto& kind : kinds) {
        const Bytes written = Written(*kind);
        bool exact = false;
        std::unique_ptr<KV_ABObj_Constructor> read = ReadDescription(written, &exact);
        ASSERT_TRUE(read);
        EXPECT_TRUE(exact);
        EXPECT_EQ(typeid(*read), typeid(*kind));
        EXPECT_EQ(Written(*read), written) << typeid(*kind).name();
    }
}

}  // namespace
}  // namespace sprite_test

namespace sprite_test {
namespace {

// Every cut of a record and scattered damaged bytes either read or fail
// the archive; whatever reads makes its object and runs a few frames.
TEST(SpriteRecord, CutAndDamagedRecordsReadOrFailCleanly)
{
    PictureScope picture;
    BaseFields old;
    old.version = 1;
    old.inlineClaimed = 2;
    old.inlineHeld = 2;
    const Bytes records[] = {
        KindRecord(u"KV_FlowConstructor", 4, FlowFields(4, 1)),
        KindRecord(u"KV_FishConstructor", 1, FishFields(), old),
        KindRecord(u"KV_StatObjConstructor", 1, Join({LeInt(0), LeInt(9), LeInt(0), LeInt(9), LeInt(4), LeInt(4),
                                                      Le32(45), LeInt(1), LeInt(1)})),
    };
    const auto exercise = [](const Bytes& bytes) {
        auto read = ReadDescription(bytes);
        if (!read)
            return;
        auto* sprites = dynamic_cast<KV_ParticleSystemCtrl*>(read.get());
        ASSERT_NE(sprites, nullptr);
        EXPECT_LE(sprites->count.Value(), 16383u);
        sprites->count.Value() = std::min(sprites->count.Value(), 64u);
        std::unique_ptr<KV_ABObj> object = read->CreateObject();
        for (int frame = 1; frame <= 3; ++frame)
            object->Update(0.05f * static_cast<float>(frame));
    };
    for (const Bytes& record : records) {
        for (size_t cut = 0; cut < record.size(); ++cut)
            exercise(Bytes(record.begin(), record.begin() + static_cast<std::ptrdiff_t>(cut)));
        for (int damage = 0; damage < 200; ++damage) {
            Bytes damaged = record;
            damaged[static_cast<size_t>(damage * 7919) % damaged.size()] ^= static_cast<BYTE>(0x5A + damage);
            exercise(damaged);
        }
    }
}

}  // namespace
}  // namespace sprite_test
