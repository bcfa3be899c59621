// The origin generator without a device: how fast it sends records out at
// a given opacity, what the records' callbacks do, and the smoke's puffs.
#include "particles/generators/particle_origin_generator.h"
#include "particles/generators/smoke.h"
#include "scene/model/crt_random.h"
#include "scene/model/random_functions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

class PlainOrigins : public KV_ParticleOriginGenerator {
public:
    void Render(KV_ABRender&, KV_ParticlesObj&) override {}
    std::unique_ptr<KV_ParticleGenerator> Clone() const override { return std::make_unique<PlainOrigins>(*this); }
};

// The time line held at an opacity: shown always for 1, else a fade-in
// interval whose ramp stands at it.
void HoldOpacity(KV_TimeLineControl& timeLine, float opacity)
{
    if (opacity == 1.0f) {
        timeLine.mode.Value() = KV_TimeLineControl::kModeAlways;
        return;
    }
    timeLine.mode.Value() = KV_TimeLineControl::kModeIntervals;
    timeLine.AddInterval(0, 100, 10, 90);
    timeLine.intervalTime = 10 * opacity;
}

struct EmissionCase {
    const char* name;
    float opacity;
    // Steps of 0.01 s between records, one way or the other.
    int gap;
};

class OriginEmission : public testing::TestWithParam<EmissionCase> {};

// Rate 10: a record every 0.1 s at full opacity, every 0.2 s at half,
// none while hidden; the records live long.
TEST_P(OriginEmission, SendsRecordsAtTheRateTimesTheOpacity)
{
    PlainOrigins origins;
    origins.originRate.Value() = 10;
    origins.originLifetime.StoreAndNotify(2500);
    HoldOpacity(origins.TimeLine(), GetParam().opacity);
    std::vector<int> sentAt;
    // 1.05 s: clear of the boundaries of either period.
    for (int step = 1; step <= 105; ++step) {
        const size_t before = origins.originRecords.size();
        origins.RunOrigins(0.01f);
        ASSERT_LE(origins.originRecords.size() - before, 1u);
        if (origins.originRecords.size() > before)
            sentAt.push_back(step);
    }
    if (GetParam().gap == 0) {
        EXPECT_TRUE(sentAt.empty());
        return;
    }
    ASSERT_GE(sentAt.size(), 2u);
    EXPECT_EQ(sentAt.size(), static_cast<size_t>(105 / GetParam().gap));
    for (size_t i = 1; i < sentAt.size(); ++i)
        EXPECT_NEAR(sentAt[i] - sentAt[i - 1], GetParam().gap, 1) << "record " << i;
}

INSTANTIATE_TEST_SUITE_P(Opacities, OriginEmission,
                         testing::Values(EmissionCase{"Shown", 1.0f, 10}, EmissionCase{"Half", 0.5f, 20},
                                         EmissionCase{"Hidden", 0.0f, 0}),
                         [](const testing::TestParamInfo<EmissionCase>& info) { return std::string(info.param.name); });

TEST(OriginGenerator, TheDebtOfAHiddenSecondComesOutWhenShownAgain)
{
    PlainOrigins origins;
    origins.originRate.Value() = 10;
    origins.originLifetime.StoreAndNotify(2500);
    HoldOpacity(origins.TimeLine(), 0.0f);
    for (int step = 0; step < 10; ++step)
        origins.RunOrigins(0.1f);
    EXPECT_TRUE(origins.originRecords.empty());
    HoldOpacity(origins.TimeLine(), 1.0f);
    origins.RunOrigins(0.05f);
    // 1.05 s at 0.1 s a record.
    EXPECT_EQ(origins.originRecords.size(), 10u);
}

int g_callbackRuns = 0;

void CountRun(OriginRecord&, float, const std::vector<float>&) { ++g_callbackRuns; }

TEST(OriginGenerator, ARecordOfNoLifetimeDiesAfterItsCallbacksRanOnce)
{
    PlainOrigins origins;
    OriginRecord record = origins.MakeOrigin();
    EXPECT_EQ(record.timeLeft, 0.0f);
    record.AddCallback(CountRun);
    origins.originRecords.push_back(record);
    g_callbackRuns = 0;
    origins.RunOrigins(0.25f);
    EXPECT_TRUE(origins.originRecords.empty());
    EXPECT_EQ(g_callbackRuns, 1);
}

struct DirectionCase {
    unsigned int degrees;
    D3DXVECTOR3 velocity;
};

class OriginDirection : public testing::TestWithParam<DirectionCase> {};

TEST_P(OriginDirection, RecordsFlyTheStoredWayFromTheCentre)
{
    PlainOrigins origins;
    origins.direction.Value() = GetParam().degrees;
    origins.centre.Value() = D3DXVECTOR3(5, 6, 7);
    origins.originLifetime.StoreAndNotify(50);
    const OriginRecord record = origins.MakeOrigin();
    EXPECT_NEAR(record.velocity.x, GetParam().velocity.x, 1e-3f);
    EXPECT_NEAR(record.velocity.y, GetParam().velocity.y, 1e-3f);
    EXPECT_EQ(record.position, D3DXVECTOR3(5, 6, 7));
    EXPECT_FLOAT_EQ(record.timeLeft, 2.0f);
    EXPECT_TRUE(record.callbacks.empty());
}

// Angles counter-clockwise on the screen, whose y grows downwards.
INSTANTIATE_TEST_SUITE_P(Degrees, OriginDirection,
                         testing::Values(DirectionCase{0, {100, 0, 0}}, DirectionCase{90, {0, -100, 0}},
                                         DirectionCase{180, {-100, 0, 0}}));

TEST(OriginGenerator, AFullListSendsNoMoreHoweverLargeTheDebt)
{
    PlainOrigins origins;
    origins.originRate.Value() = std::numeric_limits<unsigned int>::max();
    origins.originLifetime.StoreAndNotify(2500);
    origins.originSpeed.StoreAndNotify(50);
    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < 10; ++frame)
        origins.RunOrigins(0.2f);
    EXPECT_EQ(origins.originRecords.size(), KV_ParticleGenerator::kMaxParticles);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// A callback applied once to a record in a given state.
struct CallbackCase {
    const char* name;
    OriginFunction function;
    std::vector<float> parameters;
    float timeLeft;
    float dt;
    std::function<void(const OriginRecord&)> expect;
};

class OriginCallbacks : public testing::TestWithParam<CallbackCase> {};

TEST_P(OriginCallbacks, ChangeTheRecordAsTheyShould)
{
    OriginRecord record;
    record.timeLeft = GetParam().timeLeft;
    record.velocity = D3DXVECTOR3(10, -20, 0);
    record.acceleration = D3DXVECTOR3(4, 0, 0);
    GetParam().function(record, GetParam().dt, GetParam().parameters);
    GetParam().expect(record);
}

void ExpectNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, OriginCallbacks,
    testing::Values(
        CallbackCase{"MoveAcceleratesUniformly", OriginMove, {}, 1, 0.5f,
                     [](const OriginRecord& r) {
                         ExpectNear(r.position, D3DXVECTOR3(5.5f, -10, 0));
                         ExpectNear(r.velocity, D3DXVECTOR3(12, -20, 0));
                     }},
        CallbackCase{"Grow", OriginGrow, {3}, 1, 0.5f, [](const OriginRecord& r) { EXPECT_FLOAT_EQ(r.size, 101.5f); }},
        CallbackCase{"FadeInAboveItsThreshold", OriginFadeIn, {2, 1}, 1.5f, 0.25f,
                     [](const OriginRecord& r) { EXPECT_FLOAT_EQ(r.alpha, 1.5f); }},
        CallbackCase{"FadeInNotAtItsThreshold", OriginFadeIn, {2, 1}, 1, 0.25f,
                     [](const OriginRecord& r) { EXPECT_FLOAT_EQ(r.alpha, 1.0f); }},
        CallbackCase{"FadeOutBelowItsThreshold", OriginFadeOut, {2, 1}, 0.5f, 0.25f,
                     [](const OriginRecord& r) { EXPECT_FLOAT_EQ(r.alpha, 0.5f); }},
        CallbackCase{"FadeOutNotAtItsThreshold", OriginFadeOut, {2, 1}, 1, 0.25f,
                     [](const OriginRecord& r) { EXPECT_FLOAT_EQ(r.alpha, 1.0f); }},
        CallbackCase{"TurnNinetyASecondTurnsXToY", OriginTurn, {90}, 1, 1,
                     [](const OriginRecord& r) {
                         ExpectNear(r.axisU, D3DXVECTOR3(0, 1, 0));
                         ExpectNear(r.axisV, D3DXVECTOR3(-1, 0, 0));
                     }}),
    [](const testing::TestParamInfo<CallbackCase>& info) { return std::string(info.param.name); });

TEST(OriginRecordTest, AdvanceTakesTheTimeThenRunsEveryCallbackInOrder)
{
    OriginRecord record;
    record.timeLeft = 1;
    record.size = 2;
    // Doubled, then grown: 2 * 2 + 0.5 = 4.5; the other order gives 5.
    record.AddCallback([](OriginRecord& r, float, const std::vector<float>&) { r.size *= 2; });
    record.AddCallback(OriginGrow, {1});
    record.Advance(0.5f);
    EXPECT_FLOAT_EQ(record.timeLeft, 0.5f);
    EXPECT_FLOAT_EQ(record.size, 4.5f);
}

class SmokePuffs : public testing::Test {
protected:
    void SetUp() override
    {
        kv_srand(3);
        smoke.originLifetime.StoreAndNotify(100);  // 4 s
        smoke.originRate.Value() = 5;
            smoke.centre.Value() = D3DXVECTOR3(50, 80, 0);
        smoke.direction.Value() = 90;
    }
    KV_Smoke smoke;
};

TEST_F(SmokePuffs, APuffIsClearAtBirthAndDeathAndGrowsToOneAndAHalf)
{
    smoke.wind.StoreAndNotify(75);  // 50 pixels a second squared to the right
    OriginRecord puff = smoke.MakeOrigin();
    EXPECT_EQ(puff.alpha, 0.0f);
    EXPECT_EQ(puff.size, 0.5f);
    EXPECT_EQ(puff.acceleration, D3DXVECTOR3(50, 0, 0));
    EXPECT_NEAR(D3DXVec3Dot(&puff.axisU, &puff.axisV), 0.0f, 1e-6f);
    float peak = 0;
    while (puff.timeLeft >= 0.01f) {
        puff.Advance(0.01f);
        peak = std::max(peak, puff.alpha);
    }
    EXPECT_GT(peak, 1.0f);
    EXPECT_NEAR(puff.alpha, 0.0f, 0.05f);
    EXPECT_NEAR(puff.size, 1.5f, 0.01f);
    // Up at 100 pixels a second, blown 50 / 2 x 4^2 = 400 to the right.
    EXPECT_NEAR(puff.position.x, 450.0f, 5.0f);
    EXPECT_NEAR(puff.position.y, -320.0f, 5.0f);
}

TEST_F(SmokePuffs, PuffsSpinAtMostFiftyDegreesASecondEitherWay)
{
    float fastest = 0;
    for (int i = 0; i < 50; ++i) {
        OriginRecord puff = smoke.MakeOrigin();
        const D3DXVECTOR3 start = puff.axisU;
        puff.Advance(1.0f);
        const float turned = std::acos(std::clamp(D3DXVec3Dot(&puff.axisU, &start), -1.0f, 1.0f));
        EXPECT_LE(turned, 50 * kDegreesToRadians + 1e-3f);
        fastest = std::max(fastest, turned);
    }
    EXPECT_GT(fastest, 40 * kDegreesToRadians);
}

TEST_F(SmokePuffs, WindValueFiftyBlowsNeitherWay)
{
    smoke.wind.StoreAndNotify(50);
    OriginRecord puff = smoke.MakeOrigin();
    for (int i = 0; i < 100; ++i)
        puff.Advance(0.02f);
    EXPECT_NEAR(puff.position.x, 50.0f, 1e-3f);
}

TEST_F(SmokePuffs, PuffsOfNoLifetimeDoNotGrowWithoutBound)
{
    smoke.originLifetime.StoreAndNotify(0);
    OriginRecord puff = smoke.MakeOrigin();
    puff.Advance(0.05f);
    EXPECT_TRUE(std::isfinite(puff.size));
    EXPECT_TRUE(std::isfinite(puff.alpha));
}

}  // namespace
