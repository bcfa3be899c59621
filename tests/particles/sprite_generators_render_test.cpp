// The rectangle, plant, ray and smoke generators on a device:
// their quads and their pixels read back through Direct3D.
#include "generator_fixture.h"

#include "particles/generators/plant.h"
#include "particles/generators/radial_rays.h"
#include "particles/generators/smoke.h"
#include "scene/model/crt_random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace particles_test {
namespace {

constexpr D3DCOLOR kGrey = 0x808080;

// The first `quads` quads of batch 0 as the last fill left them.
std::vector<DX_V::PCT> BatchVertices(const KV_ParticlesObj& object, UINT quads)
{
    std::vector<DX_V::PCT> vertices(4 * quads);
    void* locked = nullptr;
    IDirect3DVertexBuffer9* buffer = object.Batches()[0].vertexBuffer.Get();
    if (buffer && SUCCEEDED(buffer->Lock(0, 0, &locked, D3DLOCK_READONLY))) {
        std::copy_n(static_cast<const DX_V::PCT*>(locked), vertices.size(), vertices.begin());
        buffer->Unlock();
    }
    return vertices;
}

bool SameVertices(const std::vector<DX_V::PCT>& a, const std::vector<DX_V::PCT>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const DX_V::PCT& p, const DX_V::PCT& q) {
        return p.x == q.x && p.y == q.y && p.z == q.z && p.diffuse == q.diffuse && p.u == q.u && p.v == q.v;
    });
}

void SetRectangle(KV_SingleRectGN& rect, float left, float top, float right, float bottom)
{
    rect.quad.SetCentred(D3DXVECTOR3((left + right) / 2, (top + bottom) / 2, 0), right - left, bottom - top);
}

class SpriteGenerators : public GeneratorTest {
protected:
    void SetUp() override
    {
        GeneratorTest::SetUp();
        ShowPicture(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF000000 | kGrey));
    }
    IDirect3DTexture9* Solid(D3DCOLOR argb) { return MakeTexture(2, 2, std::vector<D3DCOLOR>(4, argb)); }
};

// A plant 32 pixels wide from y 8 to its base at y 56; a magnitude of 0.1
// sways its top by 10 pixels, a quarter of a swing a second.
class PlantSway : public SpriteGenerators {
protected:
    KV_Plant Plant()
    {
        KV_Plant plant;
        SetRectangle(plant, 16, 8, 48, 56);
        plant.swaySpeed.StoreAndNotify(50);
        plant.frequency.StoreAndNotify(2);  // 0.2 swings a second
        plant.wMagnitude.StoreAndNotify(50);
        AddImage(plant, Solid(0xFF00FF00));
        return plant;
    }
    void RunTo(float seconds)
    {
        for (; t < seconds - 1e-4f; t += 0.1f)
            Frame(t + 0.1f);
    }
    float t = 0;
};

TEST_F(PlantSway, ItsBaseRowStaysWhileItsTopMoves)
{
    KV_Plant plant = Plant();
    LinkEffectFile(plant, PLANT_EFFECT_FILE);
    Show(plant);
    // sin(2 pi 0.2 t) is 1 at 1.25 s and -1 at 3.75 s: the top 10 pixels
    // to the right, then to the left.
    RunTo(1.25f);
    const D3DCOLOR baseLeft = Pixel(17, 55), baseRight = Pixel(46, 55);
    EXPECT_EQ(Pixel(20, 9), kGrey);
    EXPECT_TRUE(Near(0x00FF00, Pixel(52, 9)));
    RunTo(3.75f);
    EXPECT_TRUE(Near(0x00FF00, Pixel(20, 9)));
    EXPECT_EQ(Pixel(52, 9), kGrey);
    EXPECT_EQ(Pixel(17, 55), baseLeft);
    EXPECT_EQ(Pixel(46, 55), baseRight);
    EXPECT_TRUE(Near(0x00FF00, baseLeft));
    EXPECT_EQ(Pixel(13, 55), kGrey);
    EXPECT_EQ(Pixel(51, 55), kGrey);
}

struct SmokeCase {
    const char* name;
    unsigned int rate;
    bool puffs;
};

class SmokeFirstFrame : public SpriteGenerators, public testing::WithParamInterface<SmokeCase> {};

// Rising from (32, 56) at 25 pixels a second, puffs of 24 pixels living
// 2 s, white and opaque.
TEST_P(SmokeFirstFrame, ShowsPuffsAtOnceOrNothingWithoutOrigins)
{
    KV_Smoke smoke;
    smoke.centre.Value() = D3DXVECTOR3(32, 56, 0);
    smoke.direction.Value() = 90;
    smoke.originLifetime.StoreAndNotify(50);
    smoke.originRate.Value() = GetParam().rate;
    smoke.originSpeed.StoreAndNotify(12);
    smoke.thirdValue.Value() = 24;
    smoke.wind.StoreAndNotify(50);
    AddImage(smoke, Solid(0xFFFFFFFF));
    Show(smoke);
    Frame(0.05f);
    int changed = 0;
    for (UINT y = 0; y < 64; y += 2)
        changed += Pixel(32, y) != kGrey ? 1 : 0;
    if (GetParam().puffs) {
        EXPECT_GT(changed, 4);
    } else {
        EXPECT_EQ(changed, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, SmokeFirstFrame,
                         testing::Values(SmokeCase{"Ten", 10, true}, SmokeCase{"None", 0, false}),
                         [](const testing::TestParamInfo<SmokeCase>& info) { return std::string(info.param.name); });

// One white ray from (16, 32) to the right, 24 long and 4 wide.
KV_RadialRays Ray()
{
    KV_RadialRays rays;
    rays.centre.Value() = D3DXVECTOR3(16, 32, 0);
    rays.rayLength.Value() = 24;
    rays.rayWidth.Value() = 4;
    rays.rayCount.Value() = 1;
    return rays;
}

TEST_F(SpriteGenerators, ARayLightsItsLineThroughTheMask)
{
    KV_RadialRays rays = Ray();
    LinkParticleEffect(rays);
    AddImage(rays, Solid(0xFFFFFFFF));
    Show(rays);
    Frame(0.05f);
    EXPECT_TRUE(Near(0xFFFFFF, Pixel(28, 32)));
    EXPECT_EQ(Pixel(28, 40), kGrey);
    EXPECT_EQ(Pixel(10, 32), kGrey);
    EXPECT_EQ(Pixel(44, 32), kGrey);
}

TEST_F(SpriteGenerators, AJitteredFanIsTheSameEveryFrameWhileTheRandomSequenceGoesOn)
{
    KV_RadialRays rays = Ray();
    rays.rayCount.Value() = 12;
    rays.jitter.Value() = 1;
    rays.seed.Value() = 42;
    rays.jitterMinimum.StoreAndNotify(60);
    LinkParticleEffect(rays);
    KV_ParticlesObj& object = Show(rays);
    kv_srand(7);
    Frame(0.05f);
    const std::vector<DX_V::PCT> first = BatchVertices(object, 12);
    const int afterFirst = kv_rand();
    Frame(0.05f);
    EXPECT_TRUE(SameVertices(first, BatchVertices(object, 12)));
    EXPECT_NE(kv_rand(), afterFirst);
    // The lengths do vary: the tips lie at different distances.
    std::vector<float> lengths;
    for (UINT i = 0; i < 12; ++i)
        lengths.push_back(std::hypot(first[4 * i + 2].x - 16, first[4 * i + 2].y - 32));
    EXPECT_GT(*std::max_element(lengths.begin(), lengths.end()) - *std::min_element(lengths.begin(), lengths.end()),
              1.0f);
}

TEST_F(SpriteGenerators, RaysShrunkToNothingHaveNoAreaAndNoNaN)
{
    KV_RadialRays rays = Ray();
    rays.rayCount.Value() = 3;
    rays.shrink.StoreAndNotify(100);
    rays.TimeLine().mode.Value() = KV_TimeLineControl::kModeIntervals;
    KV_ParticlesObj& object = Show(rays);
    Frame(0.05f);
    for (const DX_V::PCT& v : BatchVertices(object, 3)) {
        EXPECT_EQ(v.x, 16.0f);
        EXPECT_EQ(v.y, 32.0f);
    }
}

TEST_F(SpriteGenerators, AHugeRayCountFillsOneBatch)
{
    KV_RadialRays rays = Ray();
    rays.rayCount.Value() = 0xFFFFFFFF;
    KV_ParticlesObj& object = Show(rays);
    Frame(0.05f);
    EXPECT_EQ(object.QuadCounts()[0], KV_ParticlesObj::kMaxBatchQuads);
}

}  // namespace
}  // namespace particles_test
