// The generators' arithmetic without a device: emission, quads and colours,
// the star brush's cycle, the falling stars' emission, the fireworks'
// bursts and the lightning's bolt.
#include "particles/generators/bling.h"
#include "particles/generators/falling_stars.h"
#include "particles/generators/firework.h"
#include "particles/generators/lightning.h"
#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "particles/generators/twinkling_stars.h"
#include "particles/processes/processes.h"
#include "scene/model/crt_random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <set>
#include <vector>

namespace {

class PlainGenerator : public KV_ParticleGenerator {
public:
    void Render(KV_ABRender&, KV_ParticlesObj&) override {}
    void RestoreResources(KV_ParticlesObj&) override {}
    std::unique_ptr<KV_ParticleGenerator> Clone() const override { return std::make_unique<PlainGenerator>(*this); }
    void Write(KV_IOF_Virtual&) const override {}
};

class EmissionTest : public testing::Test {
protected:
    // One origin that moved from (0, 0, 0) to (30, 60, 0).
    void SetUp() override
    {
        generator.origins.emplace_back(0, 0, 0);
        generator.origins.back().position = D3DXVECTOR3(30, 60, 0);
        generator.emissionSwitch.Value() = 1;
        generator.lifetime.StoreAndNotify(1);
    }
    PlainGenerator generator;
};

TEST_F(EmissionTest, TwoParticlesOfOneStepLieAtOneAndTwoThirds)
{
    generator.emissionRate.StoreAndNotify(2);
    generator.EmitFromOrigins(1.0f);
    ASSERT_EQ(generator.particles.size(), 2u);
    EXPECT_FLOAT_EQ(generator.particles.front().position.x, 10.0f);
    EXPECT_FLOAT_EQ(generator.particles.front().position.y, 20.0f);
    EXPECT_FLOAT_EQ(generator.particles.back().position.x, 20.0f);
    EXPECT_FLOAT_EQ(generator.particles.back().position.y, 40.0f);
    // The origin's step is used up.
    EXPECT_EQ(generator.origins.front().previous, D3DXVECTOR3(30, 60, 0));
    // Born with the fade, age and motion of the base rule.
    EXPECT_EQ(generator.particles.front().processes.size(), 3u);
}

TEST_F(EmissionTest, ASlowRateEmitsOnceAWholeParticleIsDue)
{
    generator.emissionRate.StoreAndNotify(1);
    generator.emissionRate.SetFactor(0.5f);
    generator.emissionRate.NotifyControls(nullptr);
    generator.EmitFromOrigins(1.0f);
    EXPECT_TRUE(generator.particles.empty());
    EXPECT_EQ(generator.emissionRate.LastEmission(), 0.0f);
    generator.EmitFromOrigins(2.0f);
    EXPECT_EQ(generator.particles.size(), 1u);
    EXPECT_EQ(generator.emissionRate.LastEmission(), 2.0f);
}

TEST_F(EmissionTest, SwitchedOffEmitsNothingButTheTimeMoves)
{
    generator.emissionSwitch.Value() = 0;
    generator.emissionRate.StoreAndNotify(2);
    generator.EmitFromOrigins(1.0f);
    EXPECT_TRUE(generator.particles.empty());
    EXPECT_EQ(generator.emissionRate.LastEmission(), 1.0f);
}

TEST_F(EmissionTest, AHugeRateStopsAtOneBatchOfParticlesAtOnce)
{
    generator.emissionRate.StoreAndNotify(std::numeric_limits<unsigned int>::max());
    const auto start = std::chrono::steady_clock::now();
    generator.EmitFromOrigins(1e9f);
    generator.EmitFromOrigins(3e38f);
    EXPECT_EQ(generator.particles.size(), KV_ParticleGenerator::kMaxParticles);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// A builder's or the colour conversion's output as numbers.
struct BuilderCase {
    const char* name;
    std::function<std::vector<float>()> run;
    std::vector<float> expected;
};

std::vector<float> Positions(const ParticleQuad& q)
{
    std::vector<float> out;
    for (const DX_V::PCT& v : q.v)
        out.insert(out.end(), {v.x, v.y, v.z});
    return out;
}

std::vector<float> Coordinates(const ParticleQuad& q)
{
    std::vector<float> out;
    for (const DX_V::PCT& v : q.v)
        out.insert(out.end(), {v.u, v.v});
    return out;
}

std::vector<float> Bytes4(D3DCOLOR c)
{
    return {float(c >> 24), float((c >> 16) & 0xFF), float((c >> 8) & 0xFF), float(c & 0xFF)};
}

MediaColor Colour(DWORD rgb, unsigned int transparency)
{
    MediaColor colour;
    colour.Value() = rgb;
    colour.transparency.StoreAndNotify(transparency);
    return colour;
}

const float kNaN = std::numeric_limits<float>::quiet_NaN();

class Builders : public testing::TestWithParam<BuilderCase> {};

TEST_P(Builders, GiveTheExpectedNumbers)
{
    const std::vector<float> got = GetParam().run();
    ASSERT_EQ(got.size(), GetParam().expected.size());
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_NEAR(got[i], GetParam().expected[i], 1e-5f) << "at " << i;
}

INSTANTIATE_TEST_SUITE_P(
    QuadsAndColours, Builders,
    testing::Values(
        BuilderCase{"CentreBottomLeftFirst",
                    [] { return Positions(BuildQuadFromCentre(D3DXVECTOR3(10, 20, 3), 4, 6)); },
                    {8, 23, 3, 8, 17, 3, 12, 23, 3, 12, 17, 3}},
        BuilderCase{"CentreTexCoords", [] { return Coordinates(BuildQuadFromCentre(D3DXVECTOR3(0, 0, 0), 1, 1)); },
                    {0, 1, 0, 0, 1, 1, 1, 0}},
        BuilderCase{"CentreWhite",
                    [] { return Bytes4(BuildQuadFromCentre(D3DXVECTOR3(0, 0, 0), 1, 1).v[2].diffuse); },
                    {255, 255, 255, 255}},
        BuilderCase{"AxesTurnedAQuarter",
                    [] {
                        return Positions(
                            BuildQuadFromAxes(D3DXVECTOR3(10, 10, 0), D3DXVECTOR3(0, 1, 0), D3DXVECTOR3(-1, 0, 0), 4));
                    },
                    {8, 8, 0, 12, 8, 0, 8, 12, 0, 12, 12, 0}},
        BuilderCase{"SegmentWidensToItsEnd",
                    [] {
                        ParticleQuad q{};
                        BuildSegmentQuad(q, D3DXVECTOR3(0, 0, 0), D3DXVECTOR3(10, 0, 0), 10, 2, 4);
                        return Positions(q);
                    },
                    {0, 1, 0, 0, -1, 0, 10, 2, 0, 10, -2, 0}},
        BuilderCase{"MediaQuadCornerOrder",
                    [] {
                        MediaQuad region;
                        region.SetCentred(D3DXVECTOR3(5, 5, 0), 10, 10);
                        return Positions(BuildQuadFromMediaQuad(region));
                    },
                    {0, 10, 0, 0, 0, 0, 10, 10, 0, 10, 0, 0}},
        BuilderCase{"JoinMovesBothEdgesToTheirMidpoint",
                    [] {
                        ParticleQuad q = BuildQuadFromCentre(D3DXVECTOR3(0, 0, 0), 2, 2);
                        std::array<D3DXVECTOR3, 2> edge{D3DXVECTOR3(3, 1, 0), D3DXVECTOR3(3, -1, 0)};
                        JoinSegmentQuad(edge, q);
                        std::vector<float> out = Positions(q);
                        out.insert(out.end(), {edge[0].x, edge[1].x});
                        return out;
                    },
                    {-1, 1, 0, -1, -1, 0, 2, 1, 0, 2, -1, 0, 2, 2}},
        BuilderCase{"MirrorBothWays",
                    [] {
                        ParticleQuad q = BuildQuadFromCentre(D3DXVECTOR3(0, 0, 0), 1, 1);
                        SetQuadTexCoords(q, 0.25f, 0.75f, 0.1f, 0.9f);
                        MirrorQuadTexCoords(q, true, true);
                        return Coordinates(q);
                    },
                    {0.75f, 0.1f, 0.75f, 0.9f, 0.25f, 0.1f, 0.25f, 0.9f}},
        BuilderCase{"ColourChannelsToARGB",
                    [] { return Bytes4(ParticleColour(Colour(0x00336699, 0), 0.5f)); }, {128, 0x99, 0x66, 0x33}},
        BuilderCase{"ColourClampsAndRounds",
                    [] {
                        return std::vector<float>{float(ColourByte(1.5f)), float(ColourByte(-1)),
                                                  float(ColourByte(0.2f)), float(ColourByte(1.0f))};
                    },
                    {255, 0, 51, 255}},
        BuilderCase{"ColourOfNaNIsZero", [] { return Bytes4(ParticleColour(Colour(0xFFFFFF, 0), kNaN)); },
                    {0, 255, 255, 255}},
        BuilderCase{"ParticleQuadTakesSizeAndBothAlphas",
                    [] {
                        Particle p(10, 10, 0);
                        p.Size() = 0.5f;
                        p.Alpha() = 0.5f;
                        std::array<DX_V::PCT, 8> vertices{};
                        // Transparency 50: alpha byte 127.
                        WriteParticleQuad(p, Colour(0xFFFFFF, 50), vertices.data(), 1, 8, 1.0f);
                        std::vector<float> out = Positions(ParticleQuad{{vertices[4], vertices[5], vertices[6], vertices[7]}});
                        out.push_back(float(vertices[4].diffuse >> 24));
                        return out;
                    },
                    {8, 12, 0, 8, 8, 0, 12, 12, 0, 12, 8, 0, 64}}),
    [](const testing::TestParamInfo<BuilderCase>& info) { return std::string(info.param.name); });

TEST(StarBrushTest, GrowsForItsGrowTimeShrinksAndRestartsAfterBoth)
{
    KV_Bling bling;
    bling.growTime.StoreAndNotify(50);
    bling.shrinkTime.StoreAndNotify(150);
    Particle point(0, 0, 0);
    EXPECT_FLOAT_EQ(bling.AttachCycle(point), 2.0f);
    float peak = 0, peakTime = 0, end = 0;
    for (int step = 1; step <= 300; ++step) {
        const bool alive = point.RunProcesses(0.01f);
        if (point.Size() > peak) {
            peak = point.Size();
            peakTime = step * 0.01f;
        }
        if (!alive) {
            end = step * 0.01f;
            break;
        }
    }
    EXPECT_NEAR(peak, 1.0f, 0.02f);
    EXPECT_NEAR(peakTime, 0.5f, 0.011f);
    EXPECT_NEAR(end, 2.0f, 0.011f);
    EXPECT_NEAR(point.Size(), 0.0f, 0.02f);
}

TEST(StarBrushTest, RestoredPointsStartAtDifferentPointsOfTheirCycle)
{
    kv_srand(5);
    KV_Bling bling;
    bling.growTime.StoreAndNotify(50);
    bling.shrinkTime.StoreAndNotify(150);
    for (int i = 0; i < 4; ++i)
        bling.points.emplace_back(10.0f * i, 0, 0);
    const auto object = bling.CreateObject();
    auto& restored = static_cast<KV_Bling&>(static_cast<KV_ParticlesObj&>(*object).Generator());
    std::set<float> lives;
    for (const Particle& point : restored.points) {
        EXPECT_EQ(point.processes.size(), 3u);
        EXPECT_LE(point.Life(), 1.0f);
        lives.insert(point.Life());
    }
    EXPECT_EQ(lives.size(), 4u);
    // The description itself keeps its points as stored.
    EXPECT_TRUE(bling.points.front().processes.empty());
}

TEST(TwinklingStarsTest, RestoredPointsTwinkleLikePaintedOnes)
{
    kv_srand(9);
    KV_TwinklingStars stars;
    stars.points.emplace_back(1, 1, 0);
    stars.points.emplace_back(2, 2, 0);
    const auto object = stars.CreateObject();
    auto& restored = static_cast<KV_TwinklingStars&>(static_cast<KV_ParticlesObj&>(*object).Generator());
    std::set<float> sizes;
    for (Particle& point : restored.points) {
        ASSERT_EQ(point.processes.size(), 1u);
        EXPECT_NE(dynamic_cast<PTwinkle*>(point.processes.front().get()), nullptr);
        EXPECT_GE(point.Size(), 0.5f);
        EXPECT_LE(point.Size(), 1.0f);
        EXPECT_GE(point.Alpha(), 0.5f);
        sizes.insert(point.Size());
    }
    EXPECT_EQ(sizes.size(), 2u);
}

struct ReaderCase {
    int mode;
    bool brush, starBrush;
};

class SceneReaders : public testing::TestWithParam<ReaderCase> {};

// Plain-path brushes never read the scene; the star brush's screen and
// dodge composites do, and the falling stars' always does.
TEST_P(SceneReaders, FollowTheBlendModeWhereTheCompositeReadsTheScene)
{
    KV_TwinklingStars brush;
    KV_Bling bling;
    KV_FallingStars stars;
    brush.blendMode.Value() = bling.blendMode.Value() = stars.blendMode.Value() = GetParam().mode;
    EXPECT_EQ(brush.ReadsScene(), GetParam().brush);
    EXPECT_EQ(bling.ReadsScene(), GetParam().starBrush);
    EXPECT_TRUE(stars.ReadsScene());
}

INSTANTIATE_TEST_SUITE_P(Modes, SceneReaders,
                         testing::Values(ReaderCase{0, false, false}, ReaderCase{1, false, true},
                                         ReaderCase{2, false, true}, ReaderCase{3, false, false},
                                         ReaderCase{4, false, false}));

class FallingStarsEmission : public testing::Test {
protected:
    void SetUp() override
    {
        kv_srand(21);
        stars.region.SetCentred(D3DXVECTOR3(32, 32, 0), 64, 64);
        stars.starSpeed.StoreAndNotify(25);  // 200 pixels a second
        stars.fadeInTime.StoreAndNotify(10);
        stars.holdTime.StoreAndNotify(100);
        stars.fadeOutTime.StoreAndNotify(10);
    }
    // One frame of 1/8 s of phase; returns the stars it made.
    size_t Frame()
    {
        const size_t before = stars.origins.size();
        t += 0.125f;
        stars.speed.Advance(t);
        stars.EmitStars();
        return stars.origins.size() - before;
    }
    KV_FallingStars stars;
    float t = 0;
};

TEST_F(FallingStarsEmission, EachFrameMakesZeroToTwiceTheDueStars)
{
    stars.starRate.StoreAndNotify(800);  // 16 a second: 2 due a frame
    std::set<size_t> seen;
    for (int i = 0; i < 200; ++i) {
        const size_t made = Frame();
        EXPECT_LE(made, 4u);
        seen.insert(made);
    }
    EXPECT_EQ(seen, (std::set<size_t>{0, 1, 2, 3, 4}));
    for (const Particle& star : stars.origins) {
        EXPECT_GE(star.position.x, 0.0f);
        EXPECT_LE(star.position.x, 64.0f);
        EXPECT_EQ(star.Alpha(), 0.0f);
    }
}

TEST_F(FallingStarsEmission, BelowOneDueStarAFrameTheTimeWaits)
{
    stars.starRate.StoreAndNotify(50);  // 1 a second
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(Frame(), 0u);
    EXPECT_EQ(stars.starRate.LastEmission(), 0.0f);
    Frame();
    EXPECT_FLOAT_EQ(stars.starRate.LastEmission(), 1.0f);
}

TEST_F(FallingStarsEmission, AHugeRateStopsAtOneBatchOfStars)
{
    stars.starRate.StoreAndNotify(std::numeric_limits<unsigned int>::max());
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i)
        Frame();
    EXPECT_LE(stars.origins.size(), KV_ParticleGenerator::kMaxParticles);
    EXPECT_GT(stars.origins.size(), 1000u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

struct DirectionCase {
    unsigned int degrees;
    float dx, dy;
};

class FallingStarsDirection : public FallingStarsEmission, public testing::WithParamInterface<DirectionCase> {};

TEST_P(FallingStarsDirection, StarsFlyTheStoredWay)
{
    stars.direction.Value() = GetParam().degrees;
    stars.direction.UpdateAxes();
    stars.starRate.StoreAndNotify(5000);
    while (stars.origins.empty())
        Frame();
    Particle& star = stars.origins.front();
    const D3DXVECTOR3 from = star.position;
    const float angle = star.Angle();
    star.RunProcesses(0.1f);
    EXPECT_NEAR(star.position.x - from.x, 20 * GetParam().dx, 1e-3f);
    EXPECT_NEAR(star.position.y - from.y, 20 * GetParam().dy, 1e-3f);
    // Spinning at 0.002 radians per pixel, either way.
    EXPECT_NEAR(std::fabs(star.Angle() - angle), 0.04f, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(Degrees, FallingStarsDirection,
                         testing::Values(DirectionCase{0, 1, 0}, DirectionCase{90, 0, -1}, DirectionCase{270, 0, 1}));

// A firework of five sparks at (32, 32), its clock at real time, run
// frame by frame through its own time line.
class FireworkBursts : public testing::Test {
protected:
    void SetUp() override
    {
        kv_srand(3);
        firework.centre.Value() = D3DXVECTOR3(32, 32, 0);
        firework.originSpeed.StoreAndNotify(50);
        firework.burstSpeed.StoreAndNotify(25);
        firework.sparkCount.Value() = 5;
    }
    void Frame(float dt)
    {
        t += dt;
        KV_TimeLineControl& timeLine = firework.TimeLine();
        firework.originSpeed.Advance(timeLine.Machine().LocalTime(timeLine, t));
        firework.RunBursts(firework.originSpeed.Step());
    }
    // Sparks that started in the last frame.
    size_t Started() const
    {
        return static_cast<size_t>(std::count_if(firework.origins.begin(), firework.origins.end(),
                                                 [](const Particle& spark) { return spark.Life() == 0; }));
    }
    KV_FireworkSimple firework;
    float t = 0;
};

TEST_F(FireworkBursts, OneBurstOnTheFirstVisibleFrameOfEachShowingLivingAsLongAsTheShowing)
{
    KV_TimeLineControl& timeLine = firework.TimeLine();
    timeLine.mode.Value() = KV_TimeLineControl::kModeCycle;
    timeLine.fadeIn.StoreAndNotify(20);
    timeLine.fadeOut.StoreAndNotify(20);
    timeLine.visibleRange.minimum.Value() = 40;  // the maximum is larger, but the range is fixed
    timeLine.invisibleRange.minimum.Value() = timeLine.invisibleRange.maximum.Value() = 50;
    const float length = timeLine.GetLength();
    ASSERT_FLOAT_EQ(length, 0.8f);
    const float dt = 0.03f;
    int bursts = 0;
    bool wasHidden = true;
    float burstPhase = 0;
    for (int frame = 0; frame < 150; ++frame) {
        const size_t before = firework.origins.size();
        Frame(dt);
        const bool hidden = timeLine.GetPhase() == kPhaseHidden;
        const float age = firework.originSpeed.Phase() - burstPhase;
        if (wasHidden && !hidden) {
            ++bursts;
            burstPhase = firework.originSpeed.Phase();
            EXPECT_EQ(firework.origins.size(), 5u) << "frame " << frame;
            EXPECT_EQ(Started(), 5u);
        } else {
            EXPECT_LE(firework.origins.size(), before) << "frame " << frame;
            if (age < length - dt) {
                EXPECT_EQ(firework.origins.size(), 5u) << "frame " << frame;
            } else if (age > length + dt) {
                EXPECT_TRUE(firework.origins.empty()) << "frame " << frame;
            }
        }
        wasHidden = hidden;
    }
    // Shown at once, again after 0.8 s shown and 0.5 s hidden, and again.
    EXPECT_EQ(bursts, 4);
}

TEST_F(FireworkBursts, AHiddenTimeLineNeverFires)
{
    KV_TimeLineControl& timeLine = firework.TimeLine();
    timeLine.mode.Value() = KV_TimeLineControl::kModeIntervals;
    timeLine.intervalTime = 10;
    for (int frame = 0; frame < 30; ++frame)
        Frame(0.05f);
    EXPECT_TRUE(firework.origins.empty());
}

struct StreamCase {
    const char* name;
    unsigned int count;
    float dt;
    int frames;
};

class FireworkStream : public FireworkBursts, public testing::WithParamInterface<StreamCase> {};

// The first frame more than 0.5 s over the count after the last spark
// starts the next, each living 0.5 s.
TEST_P(FireworkStream, AlwaysShownStartsASparkEveryHalfSecondOverTheCountAtMostOneAFrame)
{
    const StreamCase& c = GetParam();
    firework.sparkCount.Value() = c.count;
    std::vector<float> starts;
    for (int frame = 0; frame < c.frames; ++frame) {
        Frame(c.dt);
        ASSERT_LE(Started(), 1u);
        if (Started() == 1)
            starts.push_back(firework.originSpeed.Phase());
    }
    ASSERT_FALSE(starts.empty());
    const float now = firework.originSpeed.Phase();
    const auto startedWithin = [&](float age) {
        return static_cast<size_t>(std::count_if(starts.begin(), starts.end(), [&](float s) { return now - s < age; }));
    };
    EXPECT_GE(firework.origins.size(), startedWithin(0.5f - c.dt / 2));
    EXPECT_LE(firework.origins.size(), startedWithin(0.5f + c.dt / 2));
    EXPECT_FLOAT_EQ(starts.front(), c.dt);
    if (c.count == 0) {
        EXPECT_EQ(starts.size(), 1u);
        return;
    }
    const float period = 0.5f / static_cast<float>(c.count);
    EXPECT_GT(starts.size(), static_cast<size_t>(c.frames * c.dt / (period + c.dt)));
    for (size_t i = 1; i < starts.size(); ++i) {
        EXPECT_GT(starts[i] - starts[i - 1], period) << i;
        EXPECT_LE(starts[i] - starts[i - 1], std::max(period, c.dt) + c.dt + 1e-5f) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, FireworkStream,
                         testing::Values(StreamCase{"TenEveryTwentiethOfASecond", 10, 0.02f, 50},
                                         StreamCase{"TenButFramesLongerThanThePeriod", 10, 0.1f, 10},
                                         StreamCase{"NoneAfterTheFirst", 0, 0.05f, 40}),
                         [](const testing::TestParamInfo<StreamCase>& info) { return std::string(info.param.name); });

// Every point of a bolt with its width, in tree order.
void Flatten(const BoltList& list, std::vector<float>& out)
{
    for (const BoltPoint& point : list) {
        out.insert(out.end(), {point.position.x, point.position.y, point.width, point.intensity});
        Flatten(point.branches, out);
    }
}

KV_LightningGN Lightning(unsigned int passes, unsigned int branches, unsigned int sub, unsigned int subSub)
{
    KV_LightningGN lightning;
    lightning.endPoint1.Value() = D3DXVECTOR3(10, 10, 0);
    lightning.endPoint2.Value() = D3DXVECTOR3(300, 200, 0);
    lightning.passes.Value() = passes;
    lightning.branches.Value() = branches;
    lightning.subBranches.Value() = sub;
    lightning.subSubBranches.Value() = subSub;
    lightning.displacement.StoreAndNotify(60);
    lightning.branchLength.StoreAndNotify(50);
    lightning.branchAngle.StoreAndNotify(30);
    lightning.tipWidth.StoreAndNotify(70);
    lightning.coreWidth.Value() = 4;
    lightning.glowWidth.Value() = 12;
    return lightning;
}

TEST(LightningBolt, TheSameSeedBuildsTheSameBoltEveryTimeAndReseedingOffDiffers)
{
    KV_LightningGN lightning = Lightning(4, 3, 2, 2);
    lightning.seed.Value() = 9;
    std::vector<float> first, second;
    lightning.RebuildBolt();
    Flatten(lightning.bolt, first);
    for (int i = 0; i < 7; ++i)
        kv_rand();
    lightning.RebuildBolt();
    Flatten(lightning.bolt, second);
    EXPECT_EQ(first, second);
    EXPECT_GT(first.size(), 4 * 32u);  // branched

    lightning.reseed.Value() = 1;
    lightning.RebuildBolt();
    second.clear();
    Flatten(lightning.bolt, second);
    EXPECT_NE(first, second);
}

// A bolt's quads written into buffers of the sizes its batches get.
struct FilledBolt {
    explicit FilledBolt(const KV_LightningGN& lightning)
        : ends(BoltEndCount(lightning.bolt)), segments(BoltSegmentCount(lightning.bolt)),
          cores(4 * (ends + segments)), glows(4 * segments), squares(4 * ends)
    {
        sinks.cores = {cores.data(), static_cast<UINT>(ends + segments)};
        sinks.glows = {glows.data(), static_cast<UINT>(segments)};
        sinks.ends = {squares.data(), static_cast<UINT>(ends)};
        lightning.FillStrip(lightning.bolt, sinks, 0);
    }
    size_t ends, segments;
    std::vector<DX_V::PCT> cores, glows, squares;
    BoltSinks sinks;
};

TEST(LightningBolt, BranchedBoltsFillExactlyTheQuadsTheirBatchesAreSizedFor)
{
    bool rootBranched = false;
    for (unsigned int seed = 1; seed <= 12; ++seed) {
        KV_LightningGN lightning = Lightning(1, 6, 4, 3);
        lightning.seed.Value() = seed;
        lightning.RebuildBolt();
        rootBranched = rootBranched || !lightning.bolt.front().branches.empty();
        const FilledBolt filled(lightning);
        EXPECT_EQ(filled.sinks.cores.offered, filled.ends + filled.segments) << "seed " << seed;
        EXPECT_EQ(filled.sinks.glows.offered, filled.segments) << "seed " << seed;
        EXPECT_EQ(filled.sinks.ends.offered, filled.ends) << "seed " << seed;
    }
    // Branches at the first point, whose quads were once written twice.
    EXPECT_TRUE(rootBranched);
}

struct FlatBoltCase {
    const char* name;
    D3DXVECTOR3 end;
    unsigned int coreWidth;
};

class FlatBolts : public testing::TestWithParam<FlatBoltCase> {};

TEST_P(FlatBolts, GiveQuadsOfNoAreaNeverNaN)
{
    KV_LightningGN lightning = Lightning(2, 0, 0, 0);
    lightning.endPoint1.Value() = D3DXVECTOR3(10, 10, 0);
    lightning.endPoint2.Value() = GetParam().end;
    lightning.coreWidth.Value() = GetParam().coreWidth;
    lightning.RebuildBolt();
    const FilledBolt filled(lightning);
    for (const std::vector<DX_V::PCT>* batch : {&filled.cores, &filled.glows, &filled.squares})
        for (const DX_V::PCT& v : *batch)
            ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.u) && std::isfinite(v.v));
    // Strip quads: both sides of each edge meet.
    for (size_t q = 0; q < filled.cores.size(); q += 4)
        for (size_t k : {0u, 2u})
            EXPECT_EQ(D3DXVECTOR2(filled.cores[q + k].x, filled.cores[q + k].y),
                      D3DXVECTOR2(filled.cores[q + k + 1].x, filled.cores[q + k + 1].y))
                << "quad " << q / 4;
}

INSTANTIATE_TEST_SUITE_P(Bolts, FlatBolts,
                         testing::Values(FlatBoltCase{"NoLength", D3DXVECTOR3(10, 10, 0), 4},
                                         FlatBoltCase{"NoCoreWidth", D3DXVECTOR3(80, 30, 0), 0}),
                         [](const testing::TestParamInfo<FlatBoltCase>& info) { return std::string(info.param.name); });

TEST(LightningBolt, TheFadeInLightsTheRootFirstAndTheTipOnlyAboveTwoThirds)
{
    KV_LightningGN lightning = Lightning(2, 0, 0, 0);
    lightning.RebuildBolt();
    KV_TimeLineControl& timeLine = lightning.TimeLine();
    timeLine.mode.Value() = KV_TimeLineControl::kModeCycle;
    timeLine.fadeIn.StoreAndNotify(100);
    const float start = 0.001f;
    timeLine.Machine().LocalTime(timeLine, start);
    ASSERT_EQ(timeLine.GetPhase(), kPhaseFadingIn);
    int tipBefore = 0;
    for (float opacity : {0.1f, 0.4f, 0.66f, 0.7f, 0.8f, 0.95f}) {
        timeLine.Machine().LocalTime(timeLine, start + opacity);
        ASSERT_NEAR(timeLine.GetOpacity(), opacity, 1e-5f);
        const FilledBolt filled(lightning);
        // The end squares: the root's, then the tip's.
        const int root = static_cast<int>(filled.squares[0].diffuse >> 24);
        const int tip = static_cast<int>(filled.squares[4].diffuse >> 24);
        EXPECT_EQ(root, 255) << opacity;
        if (opacity <= 0.666f)
            EXPECT_EQ(tip, 0) << opacity;
        else
            EXPECT_GT(tip, tipBefore) << opacity;
        tipBefore = tip;
    }
}

}  // namespace
