// The kinds' per-sprite rules on a 400 x 300 picture, the generator seeded.
#include "sprite_fixtures.h"

#include "particles/sprites/fish_kinds.h"
#include "particles/sprites/flow.h"
#include "particles/sprites/fog.h"
#include "particles/sprites/light_kinds.h"
#include "particles/sprites/stat_obj.h"
#include "scene/model/crt_random.h"
#include "scene/render/view_context.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

namespace sprite_test {
namespace {

TEST(SpriteRules, AFishTurnsOnlyOnceWhollyOutsideAndSwimsBackMirrored)
{
    PictureScope picture;
    KV_FishConstructor fish;
    SpriteInstance i = NewSprite(fish);
    const float half = std::fabs(i.halfWidth);
    i.m[3] = 50.0f;
    i.halfWidth = half;
    i.centre.x = 400.0f + half - 1.0f;
    i.centre.y = 150.0f;
    fish.UpdateParticle(i);
    EXPECT_GT(i.m[3], 0.0f) << "still partly inside";
    i.centre.x = 400.0f + half + 1.0f;
    fish.UpdateParticle(i);
    EXPECT_LT(i.m[3], 0.0f);
    EXPECT_FLOAT_EQ(i.halfWidth, -half);
}

TEST(SpriteRules, ABirdsSlowVerticalSpeedIsRaised)
{
    PictureScope picture;
    KV_BirdConstructor bird;
    const std::pair<float, float> cases[] = {{10.0f, 39.2857f}, {-10.0f, 30.7143f}};
    for (const auto& [vertical, expected] : cases) {
        SpriteInstance i = NewSprite(bird);
        i.centre = D3DXVECTOR3(200, 150, 0);
        i.m[3] = 75.0f;
        i.m[4] = vertical;
        bird.UpdateParticle(i);
        EXPECT_NEAR(i.m[4], expected, 1e-3f);
    }
}

TEST(SpriteRules, AHiddenGhostMovesElsewhereAndFollowsTheTimeLine)
{
    PictureScope picture;
    KV_GhostConstructor ghost;
    SpriteInstance i = NewSprite(ghost);
    i.centre = D3DXVECTOR3(200, 150, 0);
    ghost.UpdateParticle(i);
    EXPECT_EQ(i.centre, D3DXVECTOR3(200, 150, 0)) << "shown: it stays";
    EXPECT_EQ(i.phase, 1.0f);
    // Intervals mode with no interval: hidden.
    ghost.TimeLine().mode.SetValue(KV_TimeLineControl::kModeIntervals);
    ghost.UpdateParticle(i);
    EXPECT_NE(i.centre, D3DXVECTOR3(200, 150, 0));
    EXPECT_EQ(i.phase, 0.0f);
    EXPECT_EQ(i.colour >> 24, 0u);
}

TEST(SpriteRules, FogTurnsByItsOwnAngleEveryFrameWhateverTheFrameTime)
{
    PictureScope picture;
    KV_FogConstructor fog;
    SpriteInstance i = NewSprite(fog);
    const float turn = std::atan2(i.turnSin, i.turnCos);
    ASSERT_LE(std::fabs(turn), 0.004f);
    ASSERT_NE(turn, 0.0f);
    float t = 0.0f;
    for (int frame = 1; frame <= 50; ++frame) {
        t += frame % 2 ? 0.01f : 0.15f;
        Step(fog, i, t);
    }
    EXPECT_NEAR(std::atan2(i.axisU.y, i.axisU.x), 50 * turn, 1e-4f);
    EXPECT_NEAR(i.axisU.x * i.axisV.x + i.axisU.y * i.axisV.y, 0.0f, 1e-5f);
}

TEST(SpriteRules, OrientationTwoMirrorsASpriteFlowingLeft)
{
    PictureScope picture;
    for (const auto& [angle, mirrored] : {std::pair{0u, false}, std::pair{180u, true}}) {
        KV_FlowConstructor flow;
        flow.speed = 50.0f;
        flow.angle.SetValue(angle);
        flow.orientation.SetValue(2);
        SpriteInstance i = NewSprite(flow);
        i.centre = D3DXVECTOR3(200, 150, 0);
        flow.AdvanceClock(0.02f);
        flow.UpdateParticle(i);
        EXPECT_EQ(i.axisU.x, mirrored ? -1.0f : 1.0f) << angle;
    }
}

TEST(SpriteRules, FlowsDrawFewerSpritesWhileTheirTimeLineFades)
{
    KV_FlowConstructor flow;
    KV_TimeLineControl& timeLine = flow.TimeLine();
    timeLine.mode.SetValue(KV_TimeLineControl::kModeIntervals);
    timeLine.AddInterval(0.0f, 10.0f, 10.0f, 10.0f);
    timeLine.intervalTime = 4.5f;
    ASSERT_FLOAT_EQ(timeLine.GetOpacity(), 0.45f);
    const std::pair<unsigned, unsigned> cases[] = {{10, 4}, {1, 1}, {0, 0}};
    for (const auto& [count, drawn] : cases) {
        flow.count.SetValue(count);
        EXPECT_EQ(flow.GetParticleCount(), drawn) << count;
    }
}

TEST(SpriteRules, AFlowMovesAlongItsAngleAtItsSpeedTimesTheScale)
{
    PictureScope picture;
    const struct {
        unsigned angle;
        float dx, dy;
    } cases[] = {{0, 100, 0}, {90, 0, -100}, {180, -100, 0}, {270, 0, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.angle);
        KV_FlowConstructor flow;
        flow.speed = 100.0f;
        flow.angle.SetValue(c.angle);
        flow.scaleMinimum = flow.scaleMaximum = 0.5f;
        KV_FlowConstructor copy(flow);
        SpriteInstance i = NewSprite(copy);
        i.centre = D3DXVECTOR3(200, 150, 0);
        copy.AdvanceClock(0.1f);
        copy.UpdateParticle(i);
        EXPECT_NEAR(i.centre.x, 200 + 0.1f * 0.5f * c.dx, 1e-3f);
        EXPECT_NEAR(i.centre.y, 150 + 0.1f * 0.5f * c.dy, 1e-3f);
    }
}

// A sprite wholly beyond one edge, moving outwards.
SpriteInstance Beyond(KV_FlowConstructor& flow, int edge)
{
    SpriteInstance i = NewSprite(flow);
    i.centre = D3DXVECTOR3(200, 150, 0);
    const float hw = i.halfWidth, hh = i.halfHeight;
    switch (edge) {
    case KV_BoundControl::kTop: i.centre.y = -hh - 2; break;
    case KV_BoundControl::kBottom: i.centre.y = 300 + hh + 2; break;
    case KV_BoundControl::kLeft: i.centre.x = -hw - 2; break;
    default: i.centre.x = 400 + hw + 2; break;
    }
    i.phase = 0.0f;
    return i;
}

TEST(SpriteRules, EdgeRulesByModeAndEdge)
{
    PictureScope picture;
    for (int mode : {0, 1, 2}) {
        for (int edge = 0; edge < 4; ++edge) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << " edge " << edge);
            KV_FlowConstructor flow;
            for (KV_BoundControl& rule : flow.rules)
                rule.mode.SetValue(mode);
            SpriteInstance i = Beyond(flow, edge);
            const bool horizontal = edge >= KV_BoundControl::kLeft;
            const KV_BoundControl::PixelEdges edges = KV_BoundControl::EdgesOf(flow);
            ASSERT_TRUE(flow.rules[edge].Apply(edges, flow, i));
            EXPECT_EQ(i.edgeState, edge);
            const float sign = horizontal ? i.m[0] : i.m[1];
            EXPECT_EQ(sign, mode == 0 ? 1.0f : -1.0f) << "the direction reverses on bouncing and returning";
            EXPECT_EQ(i.waiting, mode == 2);
            EXPECT_EQ(i.placed, mode == 0);
            if (mode == 0) {
                // Placed just beyond the opposite edge.
                const float opposite[] = {300 + i.halfHeight - 1, -i.halfHeight + 1, 400 + i.halfWidth - 1,
                                          -i.halfWidth + 1};
                EXPECT_FLOAT_EQ(horizontal ? i.centre.x : i.centre.y, opposite[edge]);
            }
            // Another edge's rule leaves a held sprite alone.
            EXPECT_FALSE(flow.rules[(edge + 1) % 4].Apply(edges, flow, i));
        }
    }
}

// A flow of speed 100 towards the edge, every rule in the mode, sprites of
// scale 1.
void FlowTowards(KV_FlowConstructor& flow, int edge, int mode)
{
    const unsigned angles[] = {90, 270, 180, 0};
    flow.speed = 100.0f;
    flow.angle.Value() = angles[edge];
    flow.OnDirectionChanged(angles[edge]);
    flow.scaleMinimum = flow.scaleMaximum = 1.0f;
    for (KV_BoundControl& rule : flow.rules)
        rule.mode.SetValue(mode);
}

// Crossing an edge by half a pixel, a bouncing sprite turns; on the next
// frame, back by as much as it went on, it is put one pixel inside and is
// free again, at the low edges and the high ones.
TEST(SpriteRules, ABouncedSpriteIsPutOnePixelInsideItsEdge)
{
    PictureScope picture;
    for (int edge = 0; edge < 4; ++edge) {
        SCOPED_TRACE(testing::Message() << "edge " << edge);
        KV_FlowConstructor flow;
        FlowTowards(flow, edge, 1);
        SpriteInstance i = NewSprite(flow);
        i.centre = D3DXVECTOR3(200, 150, 0);
        const bool horizontal = edge >= KV_BoundControl::kLeft;
        const bool low = edge == KV_BoundControl::kTop || edge == KV_BoundControl::kLeft;
        const float half = horizontal ? i.halfWidth : i.halfHeight;
        const float border = KV_BoundControl::EdgesOf(flow)[edge];
        float& position = horizontal ? i.centre.x : i.centre.y;
        position = low ? border + half - 0.5f : border - half + 0.5f;
        Step(flow, i, 0.02f);
        ASSERT_EQ(i.edgeState, edge);
        Step(flow, i, 0.04f);
        EXPECT_FLOAT_EQ(position, low ? border + half + 1.0f : border - half - 1.0f);
        EXPECT_EQ(i.edgeState, KV_BoundControl::kNone);
    }
}

// Leaving at the right with a wait of 0.3 s, the sprite stands beyond the
// edge for that long, then flows back in and is free.
TEST(SpriteRules, AReturningSpriteWaitsItsTimeOutsideAndComesBack)
{
    PictureScope picture;
    KV_FlowConstructor flow;
    FlowTowards(flow, KV_BoundControl::kRight, 2);
    for (KV_BoundControl& rule : flow.rules) {
        rule.minimumWait.SetValue(300);
        rule.maximumWait.SetValue(300);
    }
    SpriteInstance i = Beyond(flow, KV_BoundControl::kRight);
    float t = 0.0f, waited = 0.0f;
    for (int frame = 0; frame < 100; ++frame) {
        t += 0.02f;
        Step(flow, i, t);
        waited += i.waiting ? 0.02f : 0.0f;
    }
    EXPECT_NEAR(waited, 0.3f, 0.03f);
    EXPECT_EQ(i.edgeState, KV_BoundControl::kNone);
    EXPECT_LT(i.centre.x, 400.0f - i.halfWidth) << "back inside";
}

// Leaving at the right, a wrapping sprite comes in at the left and fades in
// over its fade-in time of 0.5 s, then is free.
TEST(SpriteRules, AWrappedSpriteFadesInOverItsFadeInTime)
{
    PictureScope picture;
    KV_FlowConstructor flow;
    FlowTowards(flow, KV_BoundControl::kRight, 0);
    for (KV_BoundControl& rule : flow.rules)
        rule.fadeIn.SetValue(500);
    SpriteInstance i = Beyond(flow, KV_BoundControl::kRight);
    float t = 0.0f, fading = 0.0f;
    for (int frame = 0; frame < 50 && i.phase < 1.0f; ++frame) {
        t += 0.02f;
        Step(flow, i, t);
        EXPECT_LT(i.centre.x, 200.0f) << "in at the left";
        fading += i.phase > 0.0f && i.phase < 1.0f ? 0.02f : 0.0f;
    }
    EXPECT_EQ(i.phase, 1.0f);
    EXPECT_NEAR(fading, 0.5f, 0.03f);
    EXPECT_EQ(i.edgeState, KV_BoundControl::kNone);
    EXPECT_FALSE(i.placed);
}

// What the rules may change of a sprite.
auto RuleState(const SpriteInstance& i)
{
    return std::tuple(i.centre.x, i.centre.y, i.m[0], i.m[1], i.edgeState, i.placed, i.waiting, i.t2, i.t3, i.phase,
                      i.colour);
}

// The flow passes the rules by for sprites touching no edge. Around every
// edge, in every mode and with extents either way round, a frame must come
// out as trying the rules in order does, random draws included.
TEST(SpriteRules, AFrameAtAnEdgeComesOutAsTryingEveryRule)
{
    PictureScope picture;
    int taken = 0, cases = 0;
    for (int mode : {0, 1, 2, 3}) {
        KV_FlowConstructor flow;
        for (KV_BoundControl& rule : flow.rules)
            rule.mode.SetValue(mode);
        const KV_BoundControl::PixelEdges edges = KV_BoundControl::EdgesOf(flow);
        for (int edge = 0; edge < 4; ++edge) {
            for (float sign : {1.0f, -1.0f}) {
                // Centre positions in half extents from the edge, outwards negative.
                for (float offset : {-1.5f, -1.0f, -0.5f, 0.0f, 0.5f, 1.0f, 1.5f}) {
                    SCOPED_TRACE(testing::Message() << "mode " << mode << " edge " << edge << " sign " << sign
                                                    << " offset " << offset);
                    SpriteInstance framed = NewSprite(flow);
                    framed.centre = D3DXVECTOR3(200, 150, 0);
                    framed.halfWidth *= sign;
                    framed.halfHeight *= sign;
                    const bool horizontal = edge >= KV_BoundControl::kLeft;
                    const bool low = edge == KV_BoundControl::kTop || edge == KV_BoundControl::kLeft;
                    const float half = std::fabs(horizontal ? framed.halfWidth : framed.halfHeight);
                    (horizontal ? framed.centre.x : framed.centre.y) = edges[edge] + (low ? offset : -offset) * half;
                    SpriteInstance tried = framed;
                    kv_srand(5);
                    flow.UpdateParticle(framed);
                    const int nextAfterFrame = kv_rand();
                    kv_srand(5);
                    KV_BoundControl::ApplyFirst(flow.rules, edges, flow, tried);
                    flow.UpdateInstanceColor(tried);
                    EXPECT_EQ(kv_rand(), nextAfterFrame);
                    EXPECT_EQ(RuleState(framed), RuleState(tried));
                    taken += tried.edgeState != KV_BoundControl::kNone;
                    ++cases;
                }
            }
        }
    }
    EXPECT_GT(taken, 0);
    EXPECT_LT(taken, cases);
}

TEST(SpriteRules, RainLeavingAtTheBottomComesBackAtTheTop)
{
    PictureScope picture;
    KV_RainConstructor rain;
    rain.count.SetValue(1);
    SpriteInstance i = NewSprite(rain);
    i.centre = D3DXVECTOR3(200, 280, 0);
    int returns = 0;
    float previousY = i.centre.y;
    for (int frame = 1; frame <= 200; ++frame) {
        Step(rain, i, 0.02f * static_cast<float>(frame));
        if (i.centre.y < previousY - 100.0f)
            ++returns;
        previousY = i.centre.y;
    }
    // 2000 pixels per second over a 300-pixel picture: several falls in 4 s.
    EXPECT_GE(returns, 3);
}

// A drop recycled while a rule held it, waiting beyond an edge, falls
// from its new place at once.
TEST(SpriteRules, ARecycledRainDropIsFreeOfTheRuleThatHeldIt)
{
    PictureScope picture;
    KV_RainConstructor rain;
    SpriteInstance i = NewSprite(rain);
    i.edgeState = KV_BoundControl::kBottom;
    i.placed = true;
    i.waiting = true;
    i.ruleFade = 0.0f;
    i.t2 = 100.0f;
    rain.InitParticle(i);
    i.centre = D3DXVECTOR3(200, 100, 0);
    Step(rain, i, 0.01f);
    EXPECT_NEAR(i.centre.y, 100.0f + 0.01f * 2000.0f * i.scale, 1e-2f);
    EXPECT_EQ(i.edgeState, KV_BoundControl::kNone);
}

TEST(SpriteRules, ARotatedStaticSpriteBoundsItsTurnedQuad)
{
    PictureScope picture;
    KV_StatObjConstructor object;
    object.rotation.SetValue(90);
    object.size.SetValue(100);
    object.placement.extra1.Value() = 200;
    object.placement.extra2.Value() = 150;
    SpriteInstance i = NewSprite(object);
    EXPECT_FLOAT_EQ(i.halfWidth, 50.0f);
    EXPECT_EQ(object.placement.left.Value(), 150);
    EXPECT_EQ(object.placement.right.Value(), 250);
    EXPECT_EQ(object.placement.top.Value(), 100);
    EXPECT_EQ(object.placement.bottom.Value(), 200);
    const ScreenQuad quad = object.GetScreenQuad();
    EXPECT_EQ(quad.Left(), 150.0f);
    EXPECT_EQ(quad.Bottom(), 200.0f);
}

TEST(SpriteRules, AStaticSpriteIsHitOnAndInsideItsBoxThroughTheFittedPicture)
{
    PictureScope picture;
    KV_StatObjConstructor object;
    object.size.SetValue(100);
    object.placement.extra1.Value() = 200;
    object.placement.extra2.Value() = 150;
    NewSprite(object);
    const FittedPictureScope fitted;
    const D3DXVECTOR3 mapped = MapScreenToScene(fitted.placement, D3DXVECTOR3(300, 200, 7));
    EXPECT_FLOAT_EQ(mapped.x, 200.0f);
    EXPECT_FLOAT_EQ(mapped.y, 150.0f);
    EXPECT_FLOAT_EQ(mapped.z, 7.0f);
    EXPECT_TRUE(object.HitTest(175.0f, 100.0f)) << "on the right edge";
    EXPECT_FALSE(object.HitTest(176.0f, 100.0f));
    EXPECT_TRUE(object.HitTest(125.0f, 75.0f));
    EXPECT_FALSE(object.HitTest(124.0f, 75.0f));
}

TEST(SpriteRules, SwayingKindsLeanAtMostTheirAmplitudeAboutTheirRoot)
{
    PictureScope picture;
    KV_FlowerConstructor flower;
    flower.placement.extra1.Value() = 200;
    flower.placement.extra2.Value() = 150;
    SpriteInstance stem = NewSprite(flower);
    KV_GrassConstructor grass;
    SpriteInstance blade = NewSprite(grass);
    const float root = blade.m[5];
    float flowerMost = 0, grassMost = 0;
    for (int frame = 1; frame <= 400; ++frame) {
        Step(flower, stem, 0.02f * static_cast<float>(frame));
        Step(grass, blade, 0.02f * static_cast<float>(frame));
        flowerMost = std::max(flowerMost, std::fabs(std::atan(stem.axisV.x)) * 57.29578f);
        grassMost = std::max(grassMost, std::fabs(std::atan(blade.axisV.x)) * 57.29578f);
        // The bottom middle stays on the root.
        EXPECT_NEAR(blade.centre.x + blade.axisV.x * blade.halfHeight, root, 1e-3f);
        EXPECT_NEAR(stem.centre.x + stem.axisV.x * stem.halfHeight, 200.0f, 1e-3f);
    }
    EXPECT_NEAR(flowerMost, 1.5f, 0.05f);
    EXPECT_NEAR(grassMost, 3.0f, 0.05f);
}

TEST(SpriteRules, ASparkleAtHalfPhaseIsFifteenByThirteenAndThreeQuarters)
{
    PictureScope picture;
    KV_SparkleConstructor sparkle;
    sparkle.size.SetValue(40);
    SpriteInstance i = NewSprite(sparkle);
    i.phase = 0.5f;
    i.phaseSpeed = 0.0f;
    sparkle.UpdateParticle(i);
    EXPECT_FLOAT_EQ(i.halfWidth, 15.0f);
    EXPECT_FLOAT_EQ(i.halfHeight, 13.75f);
}

TEST(SpriteRules, LightingIgnoresTheTimeLineAndWaitsOneToFiveSeconds)
{
    PictureScope picture;
    KV_LightingConstructor lighting;
    lighting.TimeLine().mode.SetValue(KV_TimeLineControl::kModeIntervals);
    ASSERT_EQ(lighting.TimeLine().GetOpacity(), 0.0f);
    EXPECT_EQ(lighting.ModulateColor(0x80FFFFFF), 0x80FFFFFFu);
    SpriteInstance i = NewSprite(lighting);
    std::vector<float> waits;
    float t = 0.0f, darkSince = -1.0f;
    for (int frame = 0; frame < 3000; ++frame) {
        const bool wasLit = i.phase != 0.0f;
        t += 0.01f;
        Step(lighting, i, t);
        if (wasLit && i.phase == 0.0f)
            darkSince = t;
        if (!wasLit && i.phase == 1.0f && darkSince >= 0.0f)
            waits.push_back(t - darkSince);
    }
    ASSERT_GE(waits.size(), 5u);
    for (float wait : waits) {
        EXPECT_GT(wait, 1.0f);
        EXPECT_LE(wait, 5.02f);
    }
}

TEST(SpriteRules, ADischargeNeverRepeatsAFrame)
{
    KV_DischargeConstructor discharge;
    discharge.frameCount = 4;
    std::set<unsigned> seen;
    unsigned frame = 0;
    for (int k = 0; k < 200; ++k) {
        const unsigned next = discharge.NextFrame(frame);
        EXPECT_NE(next, frame);
        EXPECT_LT(next, 4u);
        seen.insert(next);
        frame = next;
    }
    EXPECT_EQ(seen.size(), 4u);
    for (unsigned frames : {0u, 1u}) {
        discharge.frameCount = frames;
        EXPECT_EQ(discharge.NextFrame(0), 0u) << "no other frame: unchanged";
    }
}

TEST(SpriteRules, AFrameCountOfZeroCountsAsOne)
{
    KV_FishConstructor fish;
    fish.frameCount = 0;
    EXPECT_EQ(fish.NextFrame(0), 0u);
    EXPECT_EQ(fish.GetImageInfo().scale, 1.0f);
}

TEST(SpriteRules, GodRaysLeanByTheirSlantAndStayFiniteLyingFlat)
{
    PictureScope picture;
    const std::pair<unsigned, float> cases[] = {{90, 0.0f}, {80, -0.17633f}, {260, -0.17633f}, {100, 0.17633f}};
    for (const auto& [slant, lean] : cases) {
        KV_GodRayConstructor ray;
        ray.slant.SetValue(slant);
        SpriteInstance i = NewSprite(ray);
        EXPECT_NEAR(i.axisV.x, lean, 1e-4f) << slant;
        EXPECT_FLOAT_EQ(i.halfHeight, 150.0f);
    }
    for (unsigned slant : {0u, 180u, 360u}) {
        KV_GodRayConstructor ray;
        ray.slant.SetValue(slant);
        SpriteInstance i = NewSprite(ray);
        EXPECT_TRUE(std::isfinite(i.axisV.x)) << slant;
    }
}

TEST(SpriteRules, UpdateInstanceColorKeepsTheLowByteOfAlphaTimesPhase)
{
    KV_FishConstructor fish;
    fish.colour.Value() = 0x00112233;
    SpriteInstance i{};
    const std::pair<float, D3DCOLOR> cases[] = {
        {1.0f, 0xFF332211}, {0.5f, 0x7F332211}, {1.5f, 0x7E332211}, {std::nanf(""), 0x00332211}};
    for (const auto& [phase, colour] : cases) {
        i.phase = phase;
        fish.UpdateInstanceColor(i);
        EXPECT_EQ(i.colour, colour) << phase;
    }
}

}  // namespace
}  // namespace sprite_test
