// The controllers that move the 3D objects and the mesh arrays' copies,
// with the random generator seeded and a fixed picture size.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>

#include "particles/objects3d/ac_butterfly.h"
#include "particles/objects3d/ac_clock_arrow.h"
#include "particles/objects3d/drift_settings.h"
#include "particles/objects3d/kv_butterfly_constructor.h"
#include "particles/objects3d/leaf_fall_anim.h"
#include "particles/objects3d/smooth_value.h"
#include "particles/objects3d/transforms.h"
#include "platform/sim_clock.h"
#include "scene/model/crt_random.h"
#include "scene/model/picture_placement.h"
#include "scene/render/kv_frame.h"
#include "shared_module.h"

namespace objects3d_test {
namespace {

void ExpectMatrixNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(actual(r, c), expected(r, c), 1e-4f) << "row " << r << " column " << c;
}

// Seconds since 1970 of a local time today.
int64_t LocalTime(int hour, int minute, int second)
{
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 11;
    local.tm_mday = 10;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return static_cast<int64_t>(std::mktime(&local));
}

TEST(SmoothValueTest, AdvancesTowardsTheTargetAndStopsThere)
{
    struct Case {
        const char* name;
        SmoothValue value;
        float step;
        float expected;
    };
    const Case cases[] = {
        {"moves up", {0, 10, 5}, 1, 5},
        {"clamps an overshoot above", {8, 10, 5}, 1, 10},
        {"moves down", {10, 0, -5}, 1, 5},
        {"clamps an overshoot below", {2, 0, -5}, 1, 0},
        {"stays at its target", {10, 10, 5}, 1, 10},
        {"a rate pointing away lands on the target", {0, 10, -5}, 1, 10},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        c.value.Advance(c.step);
        EXPECT_FLOAT_EQ(c.value.current, c.expected);
    }
}

TEST(SmoothValueTest, SetTargetPointsTheRateAtTheTargetAndRateZeroKeepsIt)
{
    struct Case {
        const char* name;
        float target, rate;
        float expectedRate;
    };
    const Case cases[] = {
        {"target above", 10, 0, 3},
        {"target below", -10, 0, -3},
        {"target equal counts as below", 1, 0, -3},
        {"a new rate, signed by the target", 10, -7, 7},
        {"a new rate towards a lower target", -10, 7, -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SmoothValue value{1, 1, -3};
        value.SetTarget(c.target, c.rate);
        EXPECT_FLOAT_EQ(value.target, c.target);
        EXPECT_FLOAT_EQ(value.rate, c.expectedRate);
    }
}

// A 400 x 400 picture; the butterfly's rectangle is its middle half.
class ButterflyTest : public testing::Test {
protected:
    void SetUp() override
    {
        kv_srand(7);
        description.relative = {0.25f, 0.75f, 0.25f, 0.75f};
    }

    PublishedPicture picture{400, 400};
    KV_ButterflyConstructor description;
};

TEST_F(ButterflyTest, StartsInsideItsRectangleAndScalesToTheSize)
{
    AC_Butterfly butterfly(description);
    EXPECT_GE(butterfly.position.x, 100.0f);
    EXPECT_LE(butterfly.position.x, 300.0f);
    EXPECT_GE(butterfly.position.y, 100.0f);
    EXPECT_LE(butterfly.position.y, 300.0f);
    EXPECT_FLOAT_EQ(butterfly.size._11, 1.0f);
    description.size.SetValue(250);
    EXPECT_FLOAT_EQ(butterfly.size._11, 2.5f);
    std::unique_ptr<AC_ButterflyWing> wing = butterfly.ReleaseWing(0);
    EXPECT_EQ(wing.get(), butterfly.wings[0]);
}

TEST_F(ButterflyTest, LeavingTheRectangleSteersBackIn)
{
    struct Case {
        const char* name;
        D3DXVECTOR3 position;
        int requestedBefore;
        int requested;
        float verticalTarget;
        bool turns;
        float headingTarget;
    };
    const Case cases[] = {
        {"left", {50, 200, 0}, AC_Butterfly::Flapping, AC_Butterfly::Flapping, 50, true, 0},
        {"right", {350, 200, 0}, AC_Butterfly::Flapping, AC_Butterfly::Flapping, 50, true, -180},
        {"top: glides down", {200, 50, 0}, AC_Butterfly::Flapping, AC_Butterfly::Gliding, 100, false, 0},
        {"bottom: climbs", {200, 350, 0}, AC_Butterfly::Gliding, AC_Butterfly::Flapping, -190, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AC_Butterfly butterfly(description);
        butterfly.requestedState = c.requestedBefore;
        butterfly.position = c.position;
        const float heading = butterfly.heading.target;
        KV_Frame frame;
        butterfly.Apply(frame);
        EXPECT_EQ(butterfly.requestedState, c.requested);
        EXPECT_FLOAT_EQ(butterfly.vertical.target, c.verticalTarget);
        if (c.turns) {
            EXPECT_FLOAT_EQ(butterfly.heading.target, c.headingTarget);
            EXPECT_FLOAT_EQ(std::fabs(butterfly.heading.rate), 350.0f);
            EXPECT_FLOAT_EQ(butterfly.forward.target, 300.0f);
        } else {
            EXPECT_FLOAT_EQ(butterfly.heading.target, heading);
            EXPECT_FLOAT_EQ(butterfly.forward.target, 50.0f);
        }
    }
}

// Every frame a decision is due; only a flapping butterfly takes a new
// heading.
TEST_F(ButterflyTest, DrawsNewHeadingsWhileFlappingNeverWhileGliding)
{
    for (int state : {AC_Butterfly::Flapping, AC_Butterfly::Gliding}) {
        SCOPED_TRACE(state == AC_Butterfly::Gliding ? "gliding" : "flapping");
        AC_Butterfly butterfly(description);
        butterfly.position = {200, 200, 0};
        int turns = 0;
        for (int i = 0; i < 100; ++i) {
            butterfly.state = butterfly.requestedState = state;
            butterfly.heading = {40, 40, 350};
            description.clock = static_cast<float>(i + 1);
            KV_Frame frame;
            butterfly.Apply(frame);
            turns += butterfly.heading.target != 40.0f;
        }
        if (state == AC_Butterfly::Gliding)
            EXPECT_EQ(turns, 0);
        else
            EXPECT_GT(turns, 0);
    }
}

// Asked to glide, a butterfly flaps on until its wings are half way down,
// then glides with its flap slowed a hundredfold.
TEST_F(ButterflyTest, AGlidingButterflySlowsItsFlap)
{
    AC_Butterfly butterfly(description);
    butterfly.position = {200, 200, 0};
    butterfly.requestedState = AC_Butterfly::Gliding;
    butterfly.flapAngle = -10.0f;
    butterfly.flapSpeed = -160.0f;
    description.clockStep = 0.01f;  // 11.2 degrees a frame at full speed
    KV_Frame frame;
    butterfly.Apply(frame);
    EXPECT_EQ(butterfly.state, AC_Butterfly::Flapping) << "wings not half way down yet";
    EXPECT_FLOAT_EQ(butterfly.flapSpeed, -160.0f);
    butterfly.Apply(frame);
    ASSERT_EQ(butterfly.state, AC_Butterfly::Gliding);
    EXPECT_FLOAT_EQ(butterfly.flapSpeed, -1.6f);
    const float angle = butterfly.flapAngle;
    for (int i = 0; i < 10; ++i)
        butterfly.Apply(frame);
    EXPECT_NEAR(butterfly.flapAngle, angle - 10 * 0.01f * 7.0f * 1.6f, 1e-3f);
}

TEST_F(ButterflyTest, DecisionsWaitAQuarterOfTheObjectClock)
{
    AC_Butterfly butterfly(description);
    butterfly.position = {200, 200, 0};
    butterfly.lastDecision = 1.0f;
    description.clock = 1.25f;
    KV_Frame frame;
    butterfly.Apply(frame);
    EXPECT_FLOAT_EQ(butterfly.lastDecision, 1.0f);
    description.clock = 1.26f;
    butterfly.Apply(frame);
    EXPECT_FLOAT_EQ(butterfly.lastDecision, 1.26f);
}

TEST_F(ButterflyTest, WingsFollowTheFlapAngleAndShowTheirUpperSide)
{
    AC_Butterfly butterfly(description);
    std::unique_ptr<AC_ButterflyWing> wings[2] = {butterfly.ReleaseWing(0), butterfly.ReleaseWing(1)};
    butterfly.position = {200, 200, 0};
    description.clockStep = 0.05f;  // 100 x 7 x 0.05: 35 degrees up
    KV_Frame body;
    butterfly.Apply(body);
    EXPECT_FLOAT_EQ(butterfly.flapAngle, 35.0f);
    ExpectMatrixNear(wings[0]->matrix, RotationZ(35.0f));
    ExpectMatrixNear(wings[1]->matrix, RotationZ(35.0f) * Scaling(-1, 1, 1));
    EXPECT_EQ(wings[0]->faceOrder, 1);
    EXPECT_EQ(wings[1]->faceOrder, 0);
    KV_Frame wing;
    D3DXMatrixScaling(&wing.local, 2, 2, 2);
    wings[1]->Apply(wing);
    ExpectMatrixNear(wing.world, wing.local * RotationZ(35.0f) * Scaling(-1, 1, 1));
    EXPECT_EQ(wing.faceOrder, 0);
}

TEST(ClockArrowTest, HandsShowTheLocalTimeAndHoldWhenItCannotBeRead)
{
    struct Case {
        const char* name;
        bool hour;
        float expected;
    };
    const Case cases[] = {{"hour hand", true, 315.0f}, {"minute hand", false, 180.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::sim::FixedWallClock clock(-1);
        KV_Frame parent, hand;
        D3DXMatrixTranslation(&parent.world, 100, 50, 0);
        D3DXMatrixScaling(&hand.local, 2, 2, 2);
        hand.controller = new AC_ClockArrow(c.hour);
        // Before any good reading the hand points at 12.
        hand.UpdateTransforms(&parent.world);
        ExpectMatrixNear(hand.world, hand.local * parent.world);

        clock.Set(LocalTime(10, 30, 0));
        hand.UpdateTransforms(&parent.world);
        const D3DXMATRIX shown = hand.local * RotationY(c.expected) * parent.world;
        ExpectMatrixNear(hand.world, shown);

        clock.Set(-1);
        for (int frame = 0; frame < 3; ++frame)
            hand.UpdateTransforms(&parent.world);
        ExpectMatrixNear(hand.world, shown);
    }
}

TEST(DriftSettingsTest, AxesFollowTheDirectionOnAYDownScreen)
{
    struct Case {
        int angle;
        D3DXVECTOR2 direction, side;
    };
    const Case cases[] = {
        {0, {1, 0}, {0, -1}},
        {90, {0, -1}, {-1, 0}},
        {180, {-1, 0}, {0, 1}},
        {270, {0, 1}, {1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.angle);
        DriftSettings drift;
        drift.SetDirection(c.angle);
        EXPECT_EQ(drift.angle, c.angle);
        EXPECT_NEAR(drift.direction.x, c.direction.x, 1e-6f);
        EXPECT_NEAR(drift.direction.y, c.direction.y, 1e-6f);
        EXPECT_NEAR(drift.side.x, c.side.x, 1e-6f);
        EXPECT_NEAR(drift.side.y, c.side.y, 1e-6f);
    }
}

// A 100 x 100 picture; copies of size 20 wrap 10 pixels beyond its edges.
class LeafTest : public testing::Test {
protected:
    void SetUp() override
    {
        g_meshArrayTime = 0.0f;
        kv_srand(3);
        drift.size.Value() = 20;
    }

    // One frame later by dt.
    void Step(KV_LeafFallAnim& leaf, KV_Frame& frame, float dt)
    {
        g_meshArrayTime += dt;
        leaf.Apply(frame);
    }

    PublishedPicture picture{100, 100};
    DriftSettings drift;
};

TEST_F(LeafTest, CopiesPassingAnEdgeReappearBeyondTheOppositeOne)
{
    struct Case {
        const char* name;
        int angle;
        D3DXVECTOR2 start;
        bool keepsX;  // the coordinate that is placed anew stays in the picture
        float x, y;
    };
    const Case cases[] = {
        {"down past the bottom", 270, {30, 111}, false, 0, -10},
        {"up past the top", 90, {30, -11}, false, 0, 110},
        {"right past the right", 0, {111, 30}, true, -10, 0},
        {"left past the left", 180, {-11, 30}, true, 110, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drift.SetDirection(c.angle);
        KV_LeafFallAnim leaf(drift);
        leaf.position._41 = c.start.x;
        leaf.position._42 = c.start.y;
        KV_Frame frame;
        Step(leaf, frame, 0.1f);
        if (c.keepsX) {
            EXPECT_FLOAT_EQ(leaf.position._41, c.x);
            EXPECT_GE(leaf.position._42, 0.0f);
            EXPECT_LE(leaf.position._42, 100.0f);
        } else {
            EXPECT_FLOAT_EQ(leaf.position._42, c.y);
            EXPECT_GE(leaf.position._41, 0.0f);
            EXPECT_LE(leaf.position._41, 100.0f);
        }
    }
}

TEST_F(LeafTest, DriftsAlongItsDirectionByTheClampedStep)
{
    drift.SetDirection(270);
    KV_LeafFallAnim leaf(drift);
    leaf.position = Translation(50, 20, 0);
    KV_Frame frame;
    Step(leaf, frame, 5.0f);  // capped at 0.2 s
    const float expected = 50.0f * leaf.speedFactor * 0.2f * 50.0f;
    EXPECT_NEAR(leaf.position._42, 20.0f + expected, 1e-3f);
    EXPECT_NEAR(leaf.position._41, 50.0f, 1e-3f);  // sway 0: no wobble across
    EXPECT_FLOAT_EQ(leaf.timeStep, 0.2f);
}

TEST_F(LeafTest, WithoutSwayTheSwingsHoldAndTheSpinsTurn)
{
    for (int i = 0; i < 20; ++i) {
        g_meshArrayTime = 0.0f;
        KV_LeafFallAnim leaf(drift);
        const KV_LeafFallAnim before = leaf;
        KV_Frame frame;
        Step(leaf, frame, 0.1f);
        EXPECT_EQ(leaf.swingX.angle, before.swingX.angle);
        EXPECT_EQ(leaf.swingY.angle, before.swingY.angle);
        EXPECT_NE(leaf.spinX.angle, before.spinX.angle);
        EXPECT_FLOAT_EQ(leaf.spinY.angle - before.spinY.angle, before.spinY.rate * 0.1f * 100.0f * 0.4f);
    }
}

TEST_F(LeafTest, AWobbleChangeRateOfZeroNeverChangesTheWobble)
{
    for (unsigned int rate : {0u, 100u}) {
        SCOPED_TRACE(rate);
        drift.wobbleChangeRate.Value() = rate;
        g_meshArrayTime = 0.0f;
        KV_LeafFallAnim leaf(drift);
        const float wobble = leaf.wobble;
        bool changed = false;
        KV_Frame frame;
        for (int i = 0; i < 2000; ++i) {
            Step(leaf, frame, 0.1f);
            changed = changed || leaf.wobble != wobble;
        }
        EXPECT_EQ(changed, rate != 0);
    }
}

TEST_F(LeafTest, ScalesTheMeshRadiusToHalfTheSize)
{
    drift.size.Value() = 100;
    KV_LeafFallAnim leaf(drift);
    KV_Frame frame;
    frame.boundingRadius = 25.0f;
    Step(leaf, frame, 0.1f);
    const D3DXVECTOR3 xAxis(frame.world._11, frame.world._12, frame.world._13);
    EXPECT_NEAR(D3DXVec3Length(&xAxis), 2.0f, 1e-5f);
    // A mesh without a sphere shrinks to nothing rather than to infinity.
    frame.boundingRadius = 0.0f;
    Step(leaf, frame, 0.1f);
    EXPECT_NEAR(frame.world._11, 0.0f, 1e-6f);
}

}  // namespace
}  // namespace objects3d_test
