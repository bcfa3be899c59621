// The generators' arithmetic without a device: emission, quads and colours,
// the star brush's cycle and the falling stars' emission.
#include "particles/generators/bling.h"
#include "particles/generators/falling_stars.h"
#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "particles/generators/twinkling_stars.h"
#include "particles/processes/processes.h"
#include "scene/model/crt_random.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <functional>
#include <limits>
#include <set>

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

}  // namespace
