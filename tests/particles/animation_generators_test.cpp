// The sprite animations and the ray fan without a device: the path
// cursor, the Brownian wanderers, copies of both, and the fan's angle.
#include "particles/generators/brown_animation.h"
#include "particles/generators/particles_obj.h"
#include "particles/generators/path_animation.h"
#include "particles/generators/radial_rays.h"
#include "scene/model/crt_random.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

struct PathCase {
    const char* name;
    std::vector<D3DXVECTOR3> points;
    // Stored speed: 3 pixels a second each; every step is 0.2 s.
    unsigned int speed;
    // x after each step (every point lies on y = 5).
    std::vector<float> expected;
};

class PathCursor : public testing::TestWithParam<PathCase> {};

TEST_P(PathCursor, WalksThereAndBackAtItsSpeed)
{
    KV_PathAnimtion animation;
    for (const D3DXVECTOR3& p : GetParam().points)
        animation.path.push_back(MakePathPoint(p.x, p.y, p.z));
    animation.travelSpeed.StoreAndNotify(GetParam().speed);
    float t = 0;
    const auto start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < GetParam().expected.size(); ++i) {
        t += 0.2f;
        animation.travelSpeed.Advance(t);
        animation.MoveCursor();
        EXPECT_NEAR(animation.position.x, GetParam().expected[i], 1e-2f) << "step " << i + 1;
        EXPECT_NEAR(animation.position.y, GetParam().points.empty() ? 0.0f : 5.0f, 1e-3f) << "step " << i + 1;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathCursor,
    testing::Values(
        // 30 pixels a step: out to 100, back to 0 and out again.
        PathCase{"TwoPointsThereAndBack", {{0, 5, 0}, {100, 5, 0}}, 50, {30, 60, 90, 80, 50, 20, 10, 40, 70, 100, 70}},
        // One step crosses the middle point, turns at the end and comes
        // back over the middle.
        PathCase{"ALongStepCrossesSeveralPoints", {{0, 5, 0}, {10, 5, 0}, {20, 5, 0}}, 50, {10, 20, 10, 0, 10}},
        PathCase{"OnePointHoldsThere", {{7, 5, 0}}, 50, {7, 7}},
        PathCase{"APathOfNoLengthHoldsAtItsFirstPoint", {{7, 5, 0}, {7, 5, 0}, {7, 5, 0}}, 50, {7, 7}},
        PathCase{"NoPointsStayPut", {}, 50, {0, 0}}),
    [](const testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

TEST(PathCursorTest, AHugeStepLandsWithinThePath)
{
    KV_PathAnimtion animation;
    for (float x : {0.0f, 10.0f, 30.0f})
        animation.path.push_back(MakePathPoint(x, 5, 0));
    animation.travelSpeed.StoreAndNotify(std::numeric_limits<unsigned int>::max());
    const auto start = std::chrono::steady_clock::now();
    for (float t = 0.2f; t < 4; t += 0.2f) {
        animation.travelSpeed.Advance(t);
        animation.MoveCursor();
        ASSERT_GE(animation.position.x, 0.0f);
        ASSERT_LE(animation.position.x, 30.0f);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(PathCursorTest, ACopyWalksOnFromWhereItsSourceStood)
{
    auto source = std::make_unique<KV_PathAnimtion>();
    for (float x : {0.0f, 100.0f})
        source->path.push_back(MakePathPoint(x, 5, 0));
    source->travelSpeed.StoreAndNotify(50);
    source->travelSpeed.Advance(0.2f);
    source->MoveCursor();
    const auto copy = source->Clone();
    source.reset();
    auto& moved = static_cast<KV_PathAnimtion&>(*copy);
    moved.travelSpeed.Advance(0.4f);
    moved.MoveCursor();
    EXPECT_NEAR(moved.position.x, 60.0f, 1e-3f);
}

// Wanderers in a 100 x 60 rectangle round (50, 50).
void SetUpWanderers(KV_BrownAnimation& animation)
{
    animation.region.SetCentred(D3DXVECTOR3(50, 50, 0), 100, 60);
    animation.speedFactor.StoreAndNotify(25);
    animation.turnTime.StoreAndNotify(50);
    animation.changeInterval.StoreAndNotify(10);
}

std::vector<D3DXVECTOR3> Positions(const KV_BrownAnimation& animation)
{
    std::vector<D3DXVECTOR3> out;
    for (const Particle& p : animation.particles)
        out.push_back(p.position);
    return out;
}

class BrownianCount : public testing::Test {
protected:
    void SetUp() override
    {
        kv_srand(11);
        SetUpWanderers(animation);
    }
    KV_BrownAnimation animation;
};

TEST_F(BrownianCount, NewWanderersStartInsideTheRectangle)
{
    animation.count.Value() = 40;
    animation.EnsureCount();
    ASSERT_EQ(animation.particles.size(), 40u);
    for (const Particle& p : animation.particles) {
        EXPECT_GE(p.position.x, 0.0f);
        EXPECT_LE(p.position.x, 100.0f);
        EXPECT_GE(p.position.y, 20.0f);
        EXPECT_LE(p.position.y, 80.0f);
        EXPECT_EQ(p.previous, p.position);
        ASSERT_EQ(p.processes.size(), 1u);
        const auto* brownian = dynamic_cast<const PBrownian*>(p.processes.front().get());
        ASSERT_NE(brownian, nullptr);
        EXPECT_EQ(brownian->params, &animation.wander);
    }
}

TEST_F(BrownianCount, ALoweredCountDropsTheNewestAndARaisedOneAddsAtTheEnd)
{
    animation.count.Value() = 5;
    animation.EnsureCount();
    const std::vector<D3DXVECTOR3> first = Positions(animation);
    animation.count.Value() = 3;
    animation.EnsureCount();
    EXPECT_EQ(Positions(animation), std::vector<D3DXVECTOR3>(first.begin(), first.begin() + 3));
    animation.count.Value() = 6;
    animation.EnsureCount();
    const std::vector<D3DXVECTOR3> raised = Positions(animation);
    ASSERT_EQ(raised.size(), 6u);
    EXPECT_EQ(std::vector<D3DXVECTOR3>(raised.begin(), raised.begin() + 3),
              std::vector<D3DXVECTOR3>(first.begin(), first.begin() + 3));
}

TEST_F(BrownianCount, AHugeCountStopsAtOneBatch)
{
    animation.count.Value() = std::numeric_limits<unsigned int>::max();
    animation.EnsureCount();
    EXPECT_EQ(animation.particles.size(), KV_ParticleGenerator::kMaxParticles);
}

// The source is gone when its copy runs: its wanderers must read the
// copy's own settings (the sanitizers catch any read of the source).
TEST(BrownianCopy, TheCopysWanderersReadTheCopysSettings)
{
    kv_srand(11);
    auto source = std::make_unique<KV_BrownAnimation>();
    SetUpWanderers(*source);
    source->count.Value() = 4;
    source->EnsureCount();
    const std::vector<D3DXVECTOR3> before = Positions(*source);
    const auto copy = source->Clone();
    source.reset();
    auto& wanderers = static_cast<KV_BrownAnimation&>(*copy);
    ASSERT_EQ(wanderers.particles.size(), 4u);
    for (const Particle& p : wanderers.particles)
        EXPECT_EQ(static_cast<const PBrownian&>(*p.processes.front()).params, &wanderers.wander);
    for (int i = 0; i < 20; ++i)
        RunParticleList(wanderers.particles, 0.05f);
    EXPECT_NE(Positions(wanderers), before);
}

struct RotationCase {
    const char* name;
    int mode;
    // Stored amplitude; 50 is one radian.
    unsigned int amplitude;
    float seconds;
    float angle;
};

class RayRotation : public testing::TestWithParam<RotationCase> {};

// At one radian a second.
TEST_P(RayRotation, TurnsTurnsBackOrSwingsWithinItsAmplitude)
{
    KV_RadialRays rays;
    rays.rotationSpeed.StoreAndNotify(50);
    rays.rotationMode.Value() = GetParam().mode;
    rays.swingAmplitude.StoreAndNotify(GetParam().amplitude);
    const auto object = rays.CreateObject();
    for (float t = 0.1f; t < GetParam().seconds; t += 0.1f)
        object->Update(t);
    object->Update(GetParam().seconds);
    D3DXVECTOR3 x(1, 0, 0);
    const auto& turned = static_cast<KV_RadialRays&>(static_cast<KV_ParticlesObj&>(*object).Generator());
    D3DXVec3TransformCoord(&x, &x, &turned.rotation);
    EXPECT_NEAR(std::atan2(x.y, x.x), GetParam().angle, 2e-3f);
}

INSTANTIATE_TEST_SUITE_P(Modes, RayRotation,
                         testing::Values(RotationCase{"Turn", KV_RadialRays::kTurn, 0, 0.5f, 0.5f},
                                         RotationCase{"TurnBack", KV_RadialRays::kTurnBack, 0, 0.5f, -0.5f},
                                         RotationCase{"SwingAtItsTop", KV_RadialRays::kSwing, 50, 1.5708f, 1.0f},
                                         RotationCase{"SwingAtItsBottom", KV_RadialRays::kSwing, 50, 4.7124f, -1.0f},
                                         RotationCase{"SwingHalfAsFar", KV_RadialRays::kSwing, 25, 1.5708f, 0.5f}),
                         [](const testing::TestParamInfo<RotationCase>& info) { return std::string(info.param.name); });

}  // namespace
