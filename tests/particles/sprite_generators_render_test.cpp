// The rectangle, plant, ray, smoke and animation generators on a device:
// their quads and their pixels read back through Direct3D.
#include "generator_fixture.h"

#include "particles/generators/brown_animation.h"
#include "particles/generators/path_animation.h"
#include "particles/generators/plant.h"
#include "particles/generators/radial_rays.h"
#include "particles/generators/smoke.h"
#include "particles/generators/static_animation.h"
#include "scene/model/crt_random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
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

struct AnimationCase {
    const char* name;
    bool backward;
    // The frame shown first and after one frame's time.
    D3DCOLOR first, next;
};

class StaticAnimationFrames : public SpriteGenerators, public testing::WithParamInterface<AnimationCase> {};

// Three frames of a tenth of a second, red, green and blue, half
// transparent over the grey picture.
TEST_P(StaticAnimationFrames, ShowTheFirstFrameOverTheSceneThenTheNext)
{
    KV_StaticAnimation animation;
    SetRectangle(animation, 16, 16, 48, 48);
    animation.frameSpeed.StoreAndNotify(100);
    animation.backward.Value() = GetParam().backward ? 1 : 0;
    animation.firstColour.transparency.StoreAndNotify(50);
    LinkEffectFile(animation, ANIMATION_EFFECT_FILE);
    AddImage(animation, {Solid(0xFFFF0000), Solid(0xFF00FF00), Solid(0xFF0000FF)}, 0.1f);
    Show(animation);
    const auto halfOver = [](D3DCOLOR frame) {
        D3DCOLOR mixed = 0;
        for (int shift : {16, 8, 0}) {
            const float a = 127.0f / 255;
            const float c = a * ((frame >> shift) & 0xFF) + (1 - a) * 0x80;
            mixed |= static_cast<D3DCOLOR>(std::lround(c)) << shift;
        }
        return mixed;
    };
    Frame(0.05f);
    EXPECT_TRUE(Near(halfOver(GetParam().first), Pixel(32, 32)));
    EXPECT_EQ(Pixel(8, 32), kGrey);
    Frame(0.2f);
    EXPECT_TRUE(Near(halfOver(GetParam().next), Pixel(32, 32)));
    EXPECT_EQ(Pixel(52, 32), kGrey);
}

INSTANTIATE_TEST_SUITE_P(Directions, StaticAnimationFrames,
                         testing::Values(AnimationCase{"Forward", false, 0xFF0000, 0x00FF00},
                                         AnimationCase{"BackwardWrapsToTheLast", true, 0xFF0000, 0x0000FF}),
                         [](const testing::TestParamInfo<AnimationCase>& info) { return std::string(info.param.name); });

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

TEST_F(SpriteGenerators, PlantsAndStaticAnimationsWithoutAnEffectDrawNothing)
{
    KV_Plant plant;
    SetRectangle(plant, 0, 0, 64, 64);
    AddImage(plant, Solid(0xFF00FF00));
    KV_StaticAnimation animation;
    SetRectangle(animation, 0, 0, 64, 64);
    animation.effectLink.SetKey(ResourceKey{});
    AddImage(animation, Solid(0xFFFF0000));
    Show(plant);
    Show(animation);
    Frame(0.1f);
    for (UINT y = 4; y < 64; y += 12)
        for (UINT x = 4; x < 64; x += 12)
            ASSERT_EQ(Pixel(x, y), kGrey) << x << ", " << y;
}

TEST_F(SpriteGenerators, ARectangleMirroredBothWaysTurnsItsPictureHalfRound)
{
    KV_StaticAnimation animation;
    SetRectangle(animation, 0, 0, 64, 64);
    animation.verticalMirror.Value() = 1;
    animation.horizontalMirror.Value() = 1;
    LinkEffectFile(animation, ANIMATION_EFFECT_FILE);
    // Red at the top left, blue at the bottom right.
    AddImage(animation, MakeTexture(2, 2, {0xFFFF0000, 0xFF808080, 0xFF808080, 0xFF0000FF}));
    Show(animation);
    Frame(0.1f);
    EXPECT_TRUE(Near(0x0000FF, Pixel(4, 4)));
    EXPECT_TRUE(Near(0xFF0000, Pixel(60, 60)));
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

// An 8 x 4 sprite along a path of two points.
struct OrientationCase {
    const char* name;
    int orientation;
    D3DXVECTOR3 from, to;
    unsigned int speed;
    bool horizontal, vertical;
    // The first vertex from the sprite's centre.
    D3DXVECTOR2 corner;
};

class PathSpriteOrientation : public SpriteGenerators, public testing::WithParamInterface<OrientationCase> {};

TEST_P(PathSpriteOrientation, TurnsOrMirrorsTheSpriteByItsWay)
{
    KV_PathAnimtion animation;
    animation.path = {MakePathPoint(GetParam().from.x, GetParam().from.y, 0),
                      MakePathPoint(GetParam().to.x, GetParam().to.y, 0)};
    animation.travelSpeed.StoreAndNotify(GetParam().speed);
    animation.size.StoreAndNotify(100);
    animation.orientation.Value() = GetParam().orientation;
    AddImage(animation, MakeTexture(8, 4, std::vector<D3DCOLOR>(32, 0xFFFFFFFF)));
    KV_ParticlesObj& object = Show(animation);
    Frame(0.1f);
    const std::vector<DX_V::PCT> quad = BatchVertices(object, 1);
    EXPECT_EQ(quad[0].u, GetParam().horizontal ? 1.0f : 0.0f);
    EXPECT_EQ(quad[0].v, GetParam().vertical ? 0.0f : 1.0f);
    const D3DXVECTOR3& at = Runtime<KV_PathAnimtion>(object).position;
    EXPECT_NEAR(quad[0].x - at.x, GetParam().corner.x, 1e-4f);
    EXPECT_NEAR(quad[0].y - at.y, GetParam().corner.y, 1e-4f);
}

const D3DXVECTOR3 kLeft(10, 32, 0), kRight(54, 32, 0), kTop(32, 10, 0), kBottom(32, 54, 0);

INSTANTIATE_TEST_SUITE_P(
    Ways, PathSpriteOrientation,
    testing::Values(
        OrientationCase{"PlainNeverMirrors", KV_PathAnimtion::kPlain, kRight, kLeft, 50, false, false, {-4, 2}},
        OrientationCase{"MovingRightIsPlain", KV_PathAnimtion::kMirrorMovingLeft, kLeft, kRight, 50, false, false,
                        {-4, 2}},
        OrientationCase{"MovingLeftMirrors", KV_PathAnimtion::kMirrorMovingLeft, kRight, kLeft, 50, true, false,
                        {-4, 2}},
        OrientationCase{"StandingCountsAsMovingLeft", KV_PathAnimtion::kMirrorMovingLeft, kLeft, kRight, 0, true,
                        false, {-4, 2}},
        OrientationCase{"MovingDownMirrorsUpsideDown", KV_PathAnimtion::kMirrorMovingDown, kTop, kBottom, 50, false,
                        true, {-4, 2}},
        // Its length along the way down, its height across it.
        OrientationCase{"TurnedAlongTheWayDown", KV_PathAnimtion::kAlongMotion, kTop, kBottom, 50, false, false,
                        {2, -4}},
        OrientationCase{"StandingStillKeepsItsHeading", KV_PathAnimtion::kAlongMotion, kTop, kBottom, 0, false,
                        false, {-4, -2}}),
    [](const testing::TestParamInfo<OrientationCase>& info) { return std::string(info.param.name); });

// A red frame and then a blue one, a tenth of a second each, 16 pixels
// wide at the centre: a path of one point, or a wanderer held in a
// rectangle of no size.
struct SteppedCase {
    const char* name;
    std::function<std::unique_ptr<KV_TexParticleGenerator>()> make;
};

class FirstImageAnimations : public SpriteGenerators, public testing::WithParamInterface<SteppedCase> {};

TEST_P(FirstImageAnimations, DrawTheirOwnSteppedFrame)
{
    const auto description = GetParam().make();
    AddImage(*description, {Solid(0xFFFF0000), Solid(0xFF0000FF)}, 0.1f);
    Show(*description);
    Frame(0.05f);
    EXPECT_TRUE(Near(0xFF0000, Pixel(32, 32)));
    EXPECT_EQ(Pixel(32, 52), kGrey);
    Frame(0.2f);
    EXPECT_TRUE(Near(0x0000FF, Pixel(32, 32)));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, FirstImageAnimations,
    testing::Values(SteppedCase{"Path",
                                [] {
                                    auto path = std::make_unique<KV_PathAnimtion>();
                                    path->path = {MakePathPoint(32, 32, 0)};
                                    path->size.StoreAndNotify(800);
                                    return path;
                                }},
                    SteppedCase{"Brownian",
                                [] {
                                    auto brown = std::make_unique<KV_BrownAnimation>();
                                    brown->region.SetCentred(D3DXVECTOR3(32, 32, 0), 0, 0);
                                    brown->count.Value() = 1;
                                    brown->size.StoreAndNotify(800);
                                    return brown;
                                }}),
    [](const testing::TestParamInfo<SteppedCase>& info) { return std::string(info.param.name); });

struct ImageIndexCase {
    const char* name;
    int index;
    D3DCOLOR ray;
};

class RayImageIndex : public SpriteGenerators, public testing::WithParamInterface<ImageIndexCase> {};

// A red picture as image 0: any other index, negative ones too, draws the
// ray without a picture.
TEST_P(RayImageIndex, SelectsThePictureOrNone)
{
    KV_RadialRays rays = Ray();
    rays.imageIndex.Value() = GetParam().index;
    LinkParticleEffect(rays);
    AddImage(rays, Solid(0xFFFF0000));
    Show(rays);
    Frame(0.05f);
    EXPECT_TRUE(Near(GetParam().ray, Pixel(28, 32)));
}

INSTANTIATE_TEST_SUITE_P(Indices, RayImageIndex,
                         testing::Values(ImageIndexCase{"First", 0, 0xFF0000}, ImageIndexCase{"Beyond", 1, 0xFFFFFF},
                                         ImageIndexCase{"Negative", -1, 0xFFFFFF}),
                         [](const testing::TestParamInfo<ImageIndexCase>& info) { return std::string(info.param.name); });

TEST_F(SpriteGenerators, SpritesWithoutAPictureHaveNoSize)
{
    KV_PathAnimtion path;
    path.path = {MakePathPoint(20, 20, 0), MakePathPoint(40, 40, 0)};
    path.size.StoreAndNotify(100);
    KV_BrownAnimation brown;
    brown.region.SetCentred(D3DXVECTOR3(32, 32, 0), 20, 20);
    brown.count.Value() = 3;
    brown.size.StoreAndNotify(100);
    KV_ParticlesObj& walker = Show(path);
    KV_ParticlesObj& wanderers = Show(brown);
    Frame(0.05f);
    for (KV_ParticlesObj* object : {&walker, &wanderers}) {
        const std::vector<DX_V::PCT> quads = BatchVertices(*object, object->QuadCounts()[0]);
        ASSERT_FALSE(quads.empty());
        for (size_t i = 0; i < quads.size(); i += 4)
            for (size_t k = 1; k < 4; ++k) {
                EXPECT_EQ(quads[i + k].x, quads[i].x);
                EXPECT_EQ(quads[i + k].y, quads[i].y);
            }
    }
    for (UINT y = 4; y < 64; y += 6)
        for (UINT x = 4; x < 64; x += 6)
            ASSERT_EQ(Pixel(x, y), kGrey) << x << ", " << y;
}

}  // namespace
}  // namespace particles_test
