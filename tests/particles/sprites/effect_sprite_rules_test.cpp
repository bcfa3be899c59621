// The rules of the effect-drawn sprites on their descriptions alone: the
// discharge bolt's path, morphing and flicker, the explosion's growth and
// noise sequence, and the text kinds' scrolling and link hit test.
#include "sprite_fixtures.h"

#include "effects/text/text_constructors.h"
#include "particles/sprites/discharge_fx.h"
#include "particles/sprites/explosion.h"
#include "scene/model/crt_random.h"
#include "scene/model/random_functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace sprite_test {
namespace {

float Distance(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    const D3DXVECTOR3 d = a - b;
    return D3DXVec3Length(&d);
}

// How far p lies from the segment from a to b.
float DistanceToSegment(const D3DXVECTOR3& p, const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    const D3DXVECTOR3 ab = b - a, ap = p - a;
    const float t = std::clamp(D3DXVec3Dot(&ap, &ab) / D3DXVec3Dot(&ab, &ab), 0.0f, 1.0f);
    return Distance(p, a + ab * t);
}

// A bolt with its sprites made as the geometry makes them, run frame by
// frame as the glowing object runs it.
struct Bolt {
    Bolt(unsigned count, D3DXVECTOR3 start, D3DXVECTOR3 end, unsigned jitter = 50)
    {
        d.count.SetValue(count);
        d.startPoint.Value() = start;
        d.endPoint.Value() = end;
        d.jitter.SetValue(jitter);
        for (unsigned k = 0; k < count; ++k)
            sprites.push_back(NewSprite(d));
    }
    void Frame(float t)
    {
        d.BeginFrame();
        d.AdvanceClock(t);
        d.animationSpeed.Advance(t);
        d.UpdateParticles(sprites);
    }
    // Where segment k's sprite lies between its old place (0) and its new one (1).
    float MorphOf(size_t k) const
    {
        const D3DXVECTOR3 from = d.OldPath()[k].centre, to = d.NewPath()[k].centre;
        const D3DXVECTOR3 moved = sprites[k].centre - from, whole = to - from;
        return D3DXVec3Dot(&moved, &whole) / D3DXVec3Dot(&whole, &whole);
    }

    PictureScope picture;
    KV_DischargeFXConstructor d;
    std::vector<SpriteInstance> sprites;
};

TEST(BoltRules, ACountOfOneIsOneStraightSegmentFromTheStartToTheEnd)
{
    Bolt bolt(1, {10, 20, 0}, {110, 20, 0});
    bolt.Frame(0.02f);
    const SpriteInstance& sprite = bolt.sprites[0];
    EXPECT_FLOAT_EQ(sprite.centre.x, 60.0f);
    EXPECT_FLOAT_EQ(sprite.centre.y, 20.0f);
    EXPECT_FLOAT_EQ(sprite.halfWidth, 50.0f);
    EXPECT_FLOAT_EQ(sprite.halfHeight, 25.0f);
    EXPECT_EQ(sprite.axisU, D3DXVECTOR3(1, 0, 0));
    EXPECT_EQ(sprite.axisV, D3DXVECTOR3(0, -1, 0));
}

TEST(BoltRules, WithoutJitterEqualSegmentsLieOnTheLine)
{
    const D3DXVECTOR3 start(0, 0, 0), end(100, 50, 0);
    Bolt bolt(5, start, end, 0);
    const float length = Distance(start, end) / 5.0f;
    for (const std::vector<BoltSegment>* path : {&bolt.d.OldPath(), &bolt.d.NewPath()}) {
        ASSERT_EQ(path->size(), 5u);
        for (size_t k = 0; k < 5; ++k) {
            const BoltSegment& s = (*path)[k];
            EXPECT_NEAR(s.length, length, 1e-3f) << k;
            const D3DXVECTOR3 expected = start + (end - start) * ((static_cast<float>(k) + 0.5f) / 5.0f);
            EXPECT_NEAR(Distance(s.centre, expected), 0.0f, 1e-3f) << k;
        }
    }
}

TEST(BoltRules, TheSegmentsWanderAndTheLastEndsOnTheEndPoint)
{
    const D3DXVECTOR3 start(20, 200, 0), end(380, 120, 0);
    Bolt bolt(6, start, end);
    float widest = 0.0f;
    D3DXVECTOR3 reached = start;
    for (const BoltSegment& s : bolt.d.NewPath()) {
        EXPECT_NEAR(Distance(s.centre - s.direction * (s.length * 0.5f), reached), 0.0f, 1e-3f) << "joined";
        reached = s.centre + s.direction * (s.length * 0.5f);
        widest = std::max(widest, DistanceToSegment(s.centre, start, end));
    }
    EXPECT_NEAR(Distance(reached, end), 0.0f, 1e-3f);
    EXPECT_GT(widest, 2.0f);
}

TEST(BoltRules, AStartOnTheEndPointGivesSegmentsOfNoLengthNotNumbersThatAreNone)
{
    Bolt bolt(3, {50, 50, 0}, {50, 50, 0});
    bolt.Frame(0.02f);
    for (const SpriteInstance& sprite : bolt.sprites) {
        EXPECT_EQ(sprite.halfWidth, 0.0f);
        EXPECT_EQ(sprite.axisU, D3DXVECTOR3(0, 0, 0));
        EXPECT_EQ(sprite.axisV, D3DXVECTOR3(0, 0, 0));
        EXPECT_EQ(sprite.centre, D3DXVECTOR3(50, 50, 0));
    }
}

// Frames of 1/256 s: a path lives a little over a tenth of a second, and
// its sprites have moved half-way (morph rate 5) when the next replaces it.
TEST(BoltRules, APathLivesATenthOfASecondAndItsSpritesMoveHalfWayToTheNext)
{
    constexpr float kFrame = 1.0f / 256.0f;
    Bolt bolt(4, {20, 150, 0}, {380, 150, 0});
    std::vector<float> rebuilds;
    float furthest = 0.0f;
    std::vector<float> furthestPerPath;
    for (int frame = 1; frame <= 512; ++frame) {
        bolt.Frame(kFrame * static_cast<float>(frame));
        if (rebuilds.empty() || bolt.d.LastRebuild() != rebuilds.back()) {
            if (!rebuilds.empty())
                furthestPerPath.push_back(furthest);
            rebuilds.push_back(bolt.d.LastRebuild());
            furthest = 0.0f;
        }
        const float morph = bolt.MorphOf(1);
        EXPECT_GE(morph, -1e-3f);
        furthest = std::max(furthest, morph);
    }
    ASSERT_GE(rebuilds.size(), 10u);
    for (size_t k = 2; k < rebuilds.size(); ++k) {
        EXPECT_GT(rebuilds[k] - rebuilds[k - 1], 0.1f);
        EXPECT_LE(rebuilds[k] - rebuilds[k - 1], 0.1f + 2 * kFrame);
    }
    for (size_t k = 1; k < furthestPerPath.size(); ++k) {
        EXPECT_GE(furthestPerPath[k], 0.5f - 1e-3f) << k;
        EXPECT_LE(furthestPerPath[k], 0.5f + 10 * kFrame) << k;
    }
}

TEST(BoltRules, OnlyTheFirstSegmentShowsTheStartCapAndOnlyTheLastTheEndCap)
{
    Bolt bolt(3, {20, 150, 0}, {380, 150, 0});
    bolt.Frame(0.02f);
    const std::pair<float, float> u[] = {{0.0f, 0.805f}, {0.195f, 0.805f}, {0.195f, 1.0f}};
    const std::set<std::pair<float, float>> halves = {{0.0f, 0.5f}, {0.5f, 0.0f}, {0.5f, 1.0f}, {1.0f, 0.5f}};
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(std::make_pair(bolt.sprites[k].uStart, bolt.sprites[k].uEnd), u[k]) << k;
        EXPECT_TRUE(halves.count({bolt.sprites[k].vStart, bolt.sprites[k].vEnd})) << k;
    }
}

// Slide entry zeroes the clock and the local time: the path and the flicker
// timers from before count as due, or the bolt would be drawn far off its
// path (a negative morph) and stop flickering for as long as it had shown.
TEST(BoltRules, ABoltReenteredAfterHalfAMinuteIsOnItsPathAtOnceAndFlickers)
{
    Bolt bolt(8, {20, 150, 0}, {380, 150, 0});
    for (int frame = 1; frame <= 900; ++frame)
        bolt.Frame(static_cast<float>(frame) / 30.0f);
    bolt.d.Reset();
    std::set<std::pair<float, float>> shownHalves;
    for (int frame = 1; frame <= 10; ++frame) {
        bolt.Frame(static_cast<float>(frame) / 30.0f);
        for (size_t k = 0; k < bolt.sprites.size(); ++k) {
            const float morph = bolt.MorphOf(k);
            EXPECT_GE(morph, -1e-3f) << "frame " << frame << ", sprite " << k;
            EXPECT_LE(morph, 1.0f) << "frame " << frame << ", sprite " << k;
        }
        shownHalves.insert({bolt.sprites[0].vStart, bolt.sprites[0].vEnd});
    }
    EXPECT_GE(shownHalves.size(), 2u);
}

// An explosion whose time line is one interval: fading in for 2 s, shown
// until 8 s, fading out until 10 s.
struct Fireball {
    Fireball()
    {
        KV_TimeLineControl& timeLine = d.TimeLine();
        timeLine.mode.SetValue(KV_TimeLineControl::kModeIntervals);
        timeLine.AddInterval(0.0f, 10.0f, 2.0f, 8.0f);
        d.position.Value() = D3DXVECTOR3(120, 80, 0);
        sprite = NewSprite(d);
    }
    void At(float intervalTime)
    {
        d.TimeLine().intervalTime = intervalTime;
        d.UpdateParticle(sprite);
    }

    PictureScope picture;
    KV_ExplosionConstructor d;
    SpriteInstance sprite;
};

TEST(ExplosionRules, ItGrowsFromAQuarterWhileItFadesInAndVanishesWhileHidden)
{
    Fireball fireball;
    // The alpha reaches full strength a fifth into the fade-in.
    const struct {
        float time, half;
        D3DCOLOR alpha;
    } cases[] = {{5.0f, 125.0f, 255}, {0.2f, 125.0f * 0.325f, 127}, {1.0f, 125.0f * 0.625f, 255}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.time);
        fireball.At(c.time);
        EXPECT_FLOAT_EQ(fireball.sprite.halfWidth, c.half);
        EXPECT_FLOAT_EQ(fireball.sprite.halfHeight, c.half);
        EXPECT_EQ(fireball.sprite.centre, D3DXVECTOR3(120, 80, 0));
        EXPECT_EQ(fireball.sprite.colour >> 24, c.alpha);
    }
    fireball.At(11.0f);
    EXPECT_EQ(fireball.sprite.halfWidth, 0.0f);
    EXPECT_EQ(fireball.sprite.halfHeight, 0.0f);
}

// The k-th pick after a restart is the k-th pair of the seed's sequence,
// and leaves the shared generator where that pair left it.
TEST(ExplosionRules, RandomModeZeroReplaysTheSeedsPairsAfterEveryHiddenPhase)
{
    Fireball fireball;
    fireball.d.seed.Value() = 7;
    kv_srand(7);
    std::vector<D3DXVECTOR2> seeded;
    for (int k = 0; k < 3; ++k) {
        const float x = RandomFloat(0, 1);
        seeded.emplace_back(x, RandomFloat(0, 1));
    }
    const int next = kv_rand();
    for (int showing = 0; showing < 2; ++showing) {
        SCOPED_TRACE(showing);
        fireball.At(11.0f);
        fireball.At(5.0f);
        for (const D3DXVECTOR2& pair : seeded) {
            fireball.d.PickNoiseOffset();
            EXPECT_EQ(fireball.d.CurrentOffset(), pair);
        }
        EXPECT_EQ(kv_rand(), next);
    }
}

TEST(TextRules, TheScrollShiftIsOneAtEveryWholeOffset)
{
    const std::pair<float, float> cases[] = {{0.0f, 1.0f},  {0.25f, -0.25f}, {0.5f, 0.5f}, {-0.5f, -0.5f},
                                             {-0.25f, 0.25f}, {1.0f, 1.0f},  {-1.0f, 1.0f}, {3.0f, 1.0f}};
    for (const auto& [offset, shift] : cases)
        EXPECT_FLOAT_EQ(ScrollOffsetToShift(offset), shift) << offset;
    EXPECT_NEAR(ScrollOffsetToShift(1.0f / 3.0f), 0.0f, 1e-6f);
}

struct Scroller {
    Scroller(int direction, unsigned period)
    {
        d.direction.Value() = direction;
        d.scrollPeriod.Value() = period;
        d.width.Value() = 200;
        d.height.Value() = 40;
        d.tileWidth = 100.0f;
        d.tileHeight = 40.0f;
        sprite = NewSprite(d);
    }
    void Run(float seconds)
    {
        for (int frame = 1; frame <= static_cast<int>(seconds * 20); ++frame) {
            t += 0.05f;
            Step(d, sprite, t);
        }
    }

    PictureScope picture;
    KV_ScrollingTextConstructor d;
    SpriteInstance sprite;
    float t = 0.0f;
};

TEST(TextRules, DirectionOneWithAPeriodOfTenLowersOffsetBATenthASecond)
{
    Scroller scroller(1, 10);
    scroller.Run(1.0f);
    EXPECT_NEAR(scroller.d.OffsetB(), -0.1f, 1e-5f);
    EXPECT_FLOAT_EQ(scroller.d.OffsetA(), 1.0f / 3.0f);
    EXPECT_NEAR(scroller.d.Shift(1), 0.7f, 1e-4f);
    EXPECT_EQ(scroller.d.Shift(0), 0.0f);
    // The picture's tiles over the quad: two across, one down.
    EXPECT_FLOAT_EQ(scroller.sprite.uEnd, 2.0f);
    EXPECT_FLOAT_EQ(scroller.sprite.vEnd, 1.0f);
    EXPECT_FLOAT_EQ(scroller.sprite.halfWidth, 100.0f);
    EXPECT_FLOAT_EQ(scroller.sprite.halfHeight, 20.0f);
}

TEST(TextRules, WhileHiddenBothOffsetsAreZeroSoTheScrollStartsAgain)
{
    Scroller scroller(3, 5);
    scroller.Run(0.5f);
    ASSERT_NE(scroller.d.OffsetA(), 1.0f / 3.0f);
    KV_TimeLineControl& timeLine = scroller.d.TimeLine();
    timeLine.mode.SetValue(KV_TimeLineControl::kModeIntervals);
    timeLine.AddInterval(10.0f, 20.0f, 10.0f, 20.0f);
    scroller.Run(0.1f);
    EXPECT_EQ(scroller.d.OffsetA(), 0.0f);
    EXPECT_EQ(scroller.d.OffsetB(), 0.0f);
    EXPECT_EQ(scroller.d.Shift(0), 1.0f);
}

TEST(TextRules, APeriodOrATileOfZeroStandsStillWithThePictureOverTheQuad)
{
    for (int zero = 0; zero < 3; ++zero) {
        SCOPED_TRACE(zero);
        Scroller scroller(0, zero == 0 ? 0 : 10);
        if (zero == 1)
            scroller.d.tileHeight = 0.0f;
        if (zero == 2)
            scroller.d.tileWidth = 0.0f;
        scroller.Run(0.5f);
        EXPECT_EQ(scroller.d.Shift(0), 0.0f);
        EXPECT_EQ(scroller.d.Shift(1), 0.0f);
        EXPECT_EQ(scroller.sprite.uEnd, 1.0f);
        EXPECT_EQ(scroller.sprite.vEnd, 1.0f);
    }
}

TEST(TextRules, TheLinkHitsOnItsExactEdgesAndNotWhileHidden)
{
    const FittedPictureScope fitted;
    KV_TextLinkConstructor link;
    link.position.Value() = D3DXVECTOR3(200, 150, 0);
    link.width.Value() = 101;  // half of it: 50
    link.height.Value() = 50;
    const struct {
        float x, y;
        bool hit;
    } cases[] = {{175.0f, 100.0f, true},   {175.25f, 100.0f, false}, {125.0f, 87.5f, true},
                 {124.75f, 100.0f, false}, {150.0f, 112.5f, true},   {150.0f, 112.75f, false},
                 {150.0f, 87.25f, false}};
    for (const auto& c : cases)
        EXPECT_EQ(link.HitTest(c.x, c.y), c.hit) << c.x << ", " << c.y;
    EXPECT_TRUE(link.OnMouseMove(175, 100));
    EXPECT_FALSE(link.OnMouseMove(176, 100));
    link.TimeLine().mode.SetValue(KV_TimeLineControl::kModeIntervals);
    EXPECT_FALSE(link.OnMouseMove(175, 100));
}

}  // namespace
}  // namespace sprite_test
