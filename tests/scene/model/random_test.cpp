#include "scene/model/crt_random.h"
#include "scene/model/float_convert.h"
#include "scene/model/media_color.h"
#include "scene/model/media_direction.h"
#include "scene/model/media_quad.h"
#include "scene/model/noise.h"
#include "scene/model/random_functions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Seeds the generator so that its next draw is the given value.
void SeedForNextDraw(int wanted)
{
    for (unsigned int seed = 0;; ++seed) {
        kv_srand(seed);
        if (kv_rand() == wanted) {
            kv_srand(seed);
            return;
        }
    }
}

TEST(CrtRandom, FollowsTheWindowsRuntimeSequence)
{
    kv_srand(1);
    for (int expected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(kv_rand(), expected);
    kv_srand(1);
    EXPECT_EQ(kv_rand(), 41);
}

TEST(RandomFloat, ReachesBothEnds)
{
    SeedForNextDraw(0);
    EXPECT_EQ(RandomFloat(2.0f, 5.0f), 2.0f);
    SeedForNextDraw(KV_RAND_MAX);
    EXPECT_EQ(RandomFloat(2.0f, 5.0f), 5.0f);
    SeedForNextDraw(KV_RAND_MAX);
    EXPECT_EQ(RandomFloat(5.0f, -1.0f), -1.0f);
}

TEST(RandomConeDirection, TurnsAboutZThenAboutY)
{
    // The first draw turns (length, 0, 0) about z, the second about y.
    constexpr float length = 3.0f;
    for (unsigned int seed = 7; seed < 27; ++seed) {
        kv_srand(seed);
        const double theta = kv_rand() / 32767.0 * 360.0 * 3.14159265358979 / 180.0;
        const double phi = kv_rand() / 32767.0 * 360.0 * 3.14159265358979 / 180.0;
        kv_srand(seed);
        const D3DXVECTOR3 v = RandomConeDirection(length);
        EXPECT_NEAR(v.x, length * std::cos(theta) * std::cos(phi), 1e-5) << seed;
        EXPECT_NEAR(v.y, length * std::sin(theta), 1e-5) << seed;
        EXPECT_NEAR(v.z, -length * std::cos(theta) * std::sin(phi), 1e-5) << seed;
    }
}

TEST(FloatConvert, SaturatesNaNAndOutOfRange)
{
    EXPECT_EQ(SaturatingTruncate<int>(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(SaturatingTruncate<int>(1e20f), std::numeric_limits<int>::max());
    EXPECT_EQ(SaturatingTruncate<int>(-1e20), std::numeric_limits<int>::min());
    EXPECT_EQ(SaturatingTruncate<int>(-2.9f), -2);
    EXPECT_EQ(RoundToInt(2.5f), 2);
    EXPECT_EQ(RoundToInt(3.5f), 4);
    EXPECT_EQ(RoundToInt(-1.5f), -2);
    EXPECT_EQ(RoundToInt(std::numeric_limits<float>::infinity()), std::numeric_limits<int>::max());
}

TEST(MediaSector, ZeroSpreadReturnsItsDirection)
{
    MediaSector sector;
    sector.Value() = 90;
    kv_srand(3);
    const D3DXVECTOR3 up = sector.RandomDirection();
    EXPECT_NEAR(up.x, 0.0f, 1e-6f);
    EXPECT_NEAR(up.y, -1.0f, 1e-6f);
    EXPECT_NEAR(up.z, 0.0f, 1e-6f);

    sector.Value() = 0;
    sector.spread.Value() = 45;
    SeedForNextDraw(KV_RAND_MAX); // angle +45: up and to the right on screen
    const D3DXVECTOR3 edge = sector.RandomDirection();
    EXPECT_NEAR(edge.x, std::sqrt(0.5f), 1e-6f);
    EXPECT_NEAR(edge.y, -std::sqrt(0.5f), 1e-6f);
}

TEST(MediaDirection, CopyComputesAxesForItsAngle)
{
    MediaDirection direction;
    EXPECT_EQ(direction.AxisX(), D3DXVECTOR4(1, 0, 0, 0));
    direction.SetValue(90); // the cached axes do not follow
    EXPECT_EQ(direction.AxisX(), D3DXVECTOR4(1, 0, 0, 0));

    const MediaDirection copy(direction);
    EXPECT_NEAR(copy.AxisX().x, 0.0f, 1e-6f);
    EXPECT_NEAR(copy.AxisX().y, 1.0f, 1e-6f);
    EXPECT_NEAR(copy.AxisY().x, -1.0f, 1e-6f);
    EXPECT_NEAR(copy.AxisY().y, 0.0f, 1e-6f);
}

TEST(MediaQuad, SetCentredAndRandomPointStayInside)
{
    MediaQuad quad;
    quad.SetCentred(D3DXVECTOR3(100, 50, 0), 20, 10);
    EXPECT_EQ(quad.corners[0].Value(), D3DXVECTOR3(90, 45, 0));
    EXPECT_EQ(quad.corners[1].Value(), D3DXVECTOR3(90, 55, 0));
    EXPECT_EQ(quad.corners[2].Value(), D3DXVECTOR3(110, 45, 0));
    EXPECT_EQ(quad.corners[3].Value(), D3DXVECTOR3(110, 55, 0));

    // y is drawn first: a first draw of 0 puts the point on the top edge.
    SeedForNextDraw(0);
    const int second = [] { kv_rand(); return kv_rand(); }();
    SeedForNextDraw(0);
    const D3DXVECTOR3 p = quad.RandomPoint();
    EXPECT_EQ(p.y, 45.0f);
    EXPECT_FLOAT_EQ(p.x, 90.0f + second / 32767.0f * 20.0f);

    kv_srand(11);
    for (int i = 0; i < 50; ++i) {
        const D3DXVECTOR3 q = quad.RandomPoint();
        EXPECT_TRUE(q.x >= 90 && q.x <= 110 && q.y >= 45 && q.y <= 55) << q.x << ", " << q.y;
    }
}

TEST(MediaColor, DefaultsAndTransparency)
{
    MediaColor color;
    EXPECT_EQ(color.Value(), 0xFFFFFFu);
    EXPECT_EQ(color.Alpha(), 255);
    color.transparency.SetValue(50);
    EXPECT_EQ(color.Alpha(), 127);
    const MediaColor copy(color);
    EXPECT_EQ(copy.Alpha(), 127);
    EXPECT_EQ(copy.transparency.Value(), 50u);
}

double Lattice(int k)
{
    const uint32_t u = static_cast<uint32_t>(k);
    const uint32_t m = u ^ (u << 13);
    return 1.0 - ((m * (m * m * 15731u + 789221u) - 771171059u) & 0x7FFFFFFFu) / 1073741824.0;
}

TEST(ValueNoise, LatticePointsAndMidpoints)
{
    EXPECT_DOUBLE_EQ(ValueNoise1D(0.0), 1.0 - 1376312589.0 / 1073741824.0);
    for (int k : {1, 7, 1000}) {
        EXPECT_DOUBLE_EQ(ValueNoise1D(k), Lattice(k)) << k;
        EXPECT_NEAR(ValueNoise1D(k + 0.5), (Lattice(k) + Lattice(k + 1)) / 2, 1e-12) << k;
    }
    // Negative x truncates toward zero and still interpolates towards n + 1.
    EXPECT_NEAR(ValueNoise1D(-2.5), (Lattice(-2) + Lattice(-1)) / 2, 1e-12);
    EXPECT_DOUBLE_EQ(ValueNoise1D(-3.0), Lattice(-3));
    // Far outside the integer range the lattice index saturates instead of overflowing.
    EXPECT_TRUE(std::isfinite(ValueNoise1D(1e300)));
}

TEST(ValueNoise, OctavesWeightEachLevel)
{
    EXPECT_DOUBLE_EQ(NoiseOctaves(3.3, 2.0, 0.5, 1), ValueNoise1D(3.3 / 2.0));
    EXPECT_DOUBLE_EQ(NoiseOctaves(3.3, 2.0, 0.5, 3),
                     ValueNoise1D(1.65) + 0.5 * ValueNoise1D(3.3) + 0.25 * ValueNoise1D(6.6));
    EXPECT_EQ(NoiseOctaves(3.3, 2.0, 0.5, 0), 0.0);
    EXPECT_EQ(NoiseOctaves(3.3, 2.0, 0.5, -4), 0.0);
}

} // namespace
