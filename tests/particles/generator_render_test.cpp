// Generators on a device: their batches, the draws they record through an
// effect, and their pixels read back through Direct3D.
#include "generator_fixture.h"
#include "recording_effect.h"

#include "particles/generators/bling.h"
#include "particles/generators/custom_air_brush.h"
#include "particles/generators/falling_stars.h"
#include "particles/generators/radial_rays.h"
#include "particles/generators/firework.h"
#include "particles/generators/lightning.h"
#include "scene/render/current_device.h"
#include "scene/render/render_target_pair.h"

#include <gtest/gtest.h>

#include <cmath>

namespace particles_test {
namespace {

constexpr DWORD kColourRef808000 = 0x00008080;  // red 0x80, green 0x80, blue 0

D3DCOLOR Rgb(float r, float g, float b)
{
    const auto byte = [](float c) { return static_cast<D3DCOLOR>(std::lround(std::clamp(c, 0.0f, 1.0f) * 255)); };
    return (byte(r) << 16) | (byte(g) << 8) | byte(b);
}

float Channel(D3DCOLOR c, int shift) { return static_cast<float>((c >> shift) & 0xFF) / 255.0f; }

// A star brush of one point at (x, y) whose stars keep the whole brush size.
KV_Bling StarBrush(float x, float y, unsigned int brushSize, int blendMode)
{
    KV_Bling bling;
    bling.brushSize.Value() = brushSize;
    bling.growTime.StoreAndNotify(50);
    bling.shrinkTime.StoreAndNotify(150);
    bling.minimumSize.StoreAndNotify(100);
    bling.blendMode.Value() = blendMode;
    bling.firstColour.Value() = kColourRef808000;
    bling.secondColour.Value() = kColourRef808000;
    bling.points.emplace_back(x, y, 0);
    return bling;
}

// The brush's picture: one frame of the given height over width.
void Animate(KV_DocResManager& manager, KV_CustomAirBrush& brush, IDirect3DTexture9* picture, float aspect)
{
    const ResourceKey key{L"brush.png", 1};
    TextureSequence& animation = manager.Tables().sequences[key];
    animation.AppendFrame(picture);
    animation.aspect = aspect;
    brush.animationImage.SetKey(key);
}

// Stops the restored cycles, so that every star has the given size.
void HoldStars(KV_ParticlesObj& object, float size)
{
    for (Particle& point : static_cast<KV_Bling&>(object.Generator()).points) {
        point.ClearProcesses();
        point.Size() = size;
    }
}

TEST_F(GeneratorTest, BatchesGrowNeverShrinkAndStopAtWhatSixteenBitIndicesAddress)
{
    KV_CustomAirBrush brush;
    KV_ParticlesObj& object = Show(brush);
    object.SetBatchQuadCount(0, 10);
    IDirect3DVertexBuffer9* built = object.Batches()[0].vertexBuffer.Get();
    object.SetBatchQuadCount(0, 5);
    EXPECT_EQ(object.Batches()[0].vertexBuffer.Get(), built);
    EXPECT_EQ(object.QuadCounts()[0], 5u);
    // A little more grows by half: the next few keep the buffers.
    object.SetBatchQuadCount(0, 11);
    built = object.Batches()[0].vertexBuffer.Get();
    EXPECT_EQ(object.Batches()[0].triangleCount, 30u);
    object.SetBatchQuadCount(0, 15);
    EXPECT_EQ(object.Batches()[0].vertexBuffer.Get(), built);
    EXPECT_EQ(object.QuadCounts()[0], 15u);
    object.SetBatchQuadCount(0, 1u << 30);
    EXPECT_EQ(object.QuadCounts()[0], KV_ParticlesObj::kMaxBatchQuads);
    EXPECT_EQ(object.Batches()[0].triangleCount, 2 * KV_ParticlesObj::kMaxBatchQuads);
    EXPECT_EQ(object.LockBatch(1), nullptr);
}

class CompositeModes : public GeneratorTest, public testing::WithParamInterface<int> {};

TEST_P(CompositeModes, BindTheTechniqueAndTexturesOfTheBlendMode)
{
    KV_Bling bling = StarBrush(32, 32, 16, GetParam());
    auto* effect = new RecordingEffect;
    effect->AddRef();
    LinkEffect(bling, effect);
    IDirect3DTexture9* star = MakeTexture(1, 1, {0xFFFFFFFF});
    IDirect3DTexture9* glow = MakeTexture(1, 1, {0xFFFFFFFF});
    AddImage(bling, star);
    AddImage(bling, glow);
    KV_ParticlesObj& object = Show(bling);
    Frame(0.1f);

    ASSERT_EQ(effect->begins.size(), 3u);
    EXPECT_EQ(effect->begins[0].technique, "JoinMask");
    EXPECT_EQ(effect->begins[0].textures["Texture1"], star);
    EXPECT_EQ(effect->begins[1].textures["Texture1"], glow);
    const IDirect3DBaseTexture9* mask = Runtime<KV_Bling>(object).Target()->Current();
    struct Expected {
        const char* technique;
        // The scene the frame handed over, known only while it was drawn.
        bool sceneFirst;
        const IDirect3DBaseTexture9* first;
        const IDirect3DBaseTexture9* second;
    };
    const Expected expected[] = {{"CommonTex", false, mask, nullptr},
                                 {"Blend_ScreenTex", true, nullptr, mask},
                                 {"Blend_ColorDodgeTex", true, nullptr, mask},
                                 {"Blend_SumTex", false, mask, nullptr},
                                 {"JoinMask", false, glow, nullptr}};
    const Expected& e = expected[GetParam()];
    EffectBegin composite = effect->begins[2];
    EXPECT_EQ(composite.technique, e.technique);
    if (e.sceneFirst) {
        EXPECT_NE(composite.textures["Texture1"], nullptr);
        EXPECT_NE(composite.textures["Texture1"], mask);
        EXPECT_NE(composite.textures["Texture1"], glow);
    } else {
        EXPECT_EQ(composite.textures["Texture1"], e.first);
    }
    EXPECT_EQ(composite.textures["Texture2"], e.second);
    effect->Release();
}

INSTANTIATE_TEST_SUITE_P(Modes, CompositeModes, testing::Values(0, 1, 2, 3, 4));

TEST_F(GeneratorTest, CopiesOfOneDescriptionShareOneBlendMask)
{
    const KV_Bling bling = StarBrush(32, 32, 16, 0);
    const KV_Bling other = StarBrush(32, 32, 16, 0);
    RenderTargetPair* first = Runtime<KV_Bling>(Show(bling)).Target();
    RenderTargetPair* second = Runtime<KV_Bling>(Show(bling)).Target();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_NE(Runtime<KV_Bling>(Show(other)).Target(), first);
    // At the back buffer's size.
    EXPECT_EQ(first->width, 64u);
    EXPECT_NE(first->Current(), nullptr);
}

TEST_F(GeneratorTest, WithoutAnEffectStarsDrawNothingAndThePictureStays)
{
    KV_Bling bling = StarBrush(32, 32, 16, 1);
    KV_FallingStars stars;
    stars.region.SetCentred(D3DXVECTOR3(32, 32, 0), 64, 64);
    stars.starRate.StoreAndNotify(5000);
    stars.starSize.Value() = 16;
    stars.holdTime.StoreAndNotify(100);
    Show(bling);
    Show(stars);
    for (float t : {0.1f, 0.2f, 0.3f})
        Frame(t);
    for (UINT y = 0; y < 64; y += 7)
        for (UINT x = 0; x < 64; x += 7)
            ASSERT_EQ(Pixel(x, y), kPicture) << x << ", " << y;
}

TEST_F(GeneratorTest, AMaskPairWithoutTexturesIsNeitherBoundNorCleared)
{
    KV_Bling bling = StarBrush(32, 32, 16, 0);
    LinkParticleEffect(bling);
    KV_ParticlesObj& object = Show(bling);
    HoldStars(object, 1);
    Runtime<KV_Bling>(object).Target()->Release();
    Frame(0.1f);
    EXPECT_EQ(Pixel(32, 32), kPicture);
    EXPECT_EQ(Pixel(2, 2), kPicture);
}

TEST_F(GeneratorTest, ACustomAirBrushBlendsItsPictureStraightOntoTheSlide)
{
    KV_CustomAirBrush brush;
    brush.brushSize.Value() = 8;
    brush.firstColour.Value() = 0x0000FF;  // red
    brush.blendMode.Value() = 1;
    brush.points.emplace_back(20, 20, 0);
    // Half transparent white, twice as tall as wide.
    Animate(*manager, brush, MakeTexture(2, 4, std::vector<D3DCOLOR>(8, 0x80FFFFFF)), 2.0f);
    Show(brush);
    // In the screen mode too, what lies behind the brush stays.
    Add({0xFF00FF00, {40, 40, 56, 56}});
    Frame(0.1f);
    EXPECT_EQ(Pixel(48, 48), 0x00FF00u);
    const float a = 128.0f / 255.0f;
    const D3DCOLOR blended = Rgb(a + (1 - a) * Channel(kPicture, 16), (1 - a) * Channel(kPicture, 8),
                                 (1 - a) * Channel(kPicture, 0));
    EXPECT_TRUE(Near(blended, Pixel(20, 20)));
    // 8 wide and 16 tall.
    EXPECT_TRUE(Near(blended, Pixel(20, 26)));
    EXPECT_EQ(Pixel(26, 20), kPicture);
}

struct StarModeCase {
    int mode;
    // The colour at the star, from the picture's and the star's channels.
    float (*blend)(float picture, float star);
};

class StarBrushModes : public GeneratorTest, public testing::WithParamInterface<StarModeCase> {};

TEST_P(StarBrushModes, ShowThePredictedColourAtTheStarAndThePictureElsewhere)
{
    KV_Bling bling = StarBrush(32, 32, 16, GetParam().mode);
    LinkParticleEffect(bling);
    KV_ParticlesObj& object = Show(bling);
    HoldStars(object, 1);
    // Drawn before the stars (objects draw from the last), so that a
    // composite that ignored the scene would lose it.
    Add({0xFF00FF00, {0, 0, 16, 16}});
    Frame(0.1f);
    EXPECT_EQ(Pixel(8, 8), 0x00FF00u);
    const float star[] = {128.0f / 255, 128.0f / 255, 0};
    const auto at = [&](int i, int shift) { return GetParam().blend(Channel(kPicture, shift), star[i]); };
    EXPECT_TRUE(Near(Rgb(at(0, 16), at(1, 8), at(2, 0)), Pixel(32, 32)));
    EXPECT_EQ(Pixel(50, 50), kPicture);
    EXPECT_EQ(Pixel(10, 32), kPicture);
}

const StarModeCase kModeCases[] = {
    {0, [](float, float s) { return s; }},
    {1, [](float p, float s) { return 1 - (1 - p) * (1 - s); }},
    {2, [](float p, float s) { return std::min(1.0f, p / std::max(1 - s, 1.0f / 255)); }},
    {3, [](float p, float s) { return std::min(1.0f, p + s); }}};

INSTANTIATE_TEST_SUITE_P(Modes, StarBrushModes, testing::ValuesIn(kModeCases));

class HalfTransparentRay : public GeneratorTest, public testing::WithParamInterface<StarModeCase> {};

// A layer of alpha a leaves the picture a of the way to what it would be
// fully opaque: the mask keeps both the coverage and the colour as drawn.
// The colour sums with the picture below 1, so that sum is linear too.
TEST_P(HalfTransparentRay, ShowsAtItsAlphaInEveryMode)
{
    KV_RadialRays ray;
    ray.centre.Value() = D3DXVECTOR3(16, 32, 0);
    ray.rayLength.Value() = 24;
    ray.rayWidth.Value() = 8;
    ray.rayCount.Value() = 1;
    ray.blendMode.Value() = GetParam().mode;
    ray.firstColour.Value() = 0x00334D80;  // red 0x80, green 0x4D, blue 0x33
    ray.firstColour.transparency.StoreAndNotify(50);
    LinkParticleEffect(ray);
    Show(ray);
    Frame(0.05f);
    const float a = 127.0f / 255, layer[] = {0x80 / 255.0f, 0x4D / 255.0f, 0x33 / 255.0f};
    const auto at = [&](int i, int shift) {
        const float p = Channel(kPicture, shift);
        return p + (GetParam().blend(p, layer[i]) - p) * a;
    };
    EXPECT_TRUE(Near(Rgb(at(0, 16), at(1, 8), at(2, 0)), Pixel(28, 32)));
    EXPECT_EQ(Pixel(28, 44), kPicture);
}

INSTANTIATE_TEST_SUITE_P(Modes, HalfTransparentRay, testing::ValuesIn(kModeCases));

TEST_F(GeneratorTest, AStarAtThePicturesTopLeftStaysThere)
{
    KV_Bling bling = StarBrush(4, 4, 8, 0);
    LinkParticleEffect(bling);
    HoldStars(Show(bling), 1);
    Frame(0.1f);
    EXPECT_TRUE(Near(0x808000, Pixel(3, 3)));
    EXPECT_EQ(Pixel(3, 60), kPicture);
    EXPECT_EQ(Pixel(60, 3), kPicture);
    EXPECT_EQ(Pixel(60, 60), kPicture);
}

TEST_F(GeneratorTest, AStarBrushAtSizeZeroKeepsItsMinimumSize)
{
    KV_Bling bling = StarBrush(32, 32, 40, 0);
    bling.minimumSize.StoreAndNotify(20);
    LinkParticleEffect(bling);
    HoldStars(Show(bling), 0);
    Frame(0.1f);
    // 0.2 of 40: 8 pixels across.
    EXPECT_TRUE(Near(0x808000, Pixel(34, 32)));
    EXPECT_EQ(Pixel(38, 32), kPicture);
}

// One star held at the centre, its core red and half transparent, its glow green.
class FallingStarsPixels : public GeneratorTest {
protected:
    KV_ParticlesObj& ShowOneStar(unsigned int glowScale, unsigned int coreTransparency)
    {
        stars.starSize.Value() = 8;
        stars.glowScale.StoreAndNotify(glowScale);
        stars.firstColour.Value() = 0x0000FF;
        stars.firstColour.transparency.StoreAndNotify(coreTransparency);
        stars.secondColour.Value() = 0x00FF00;
        LinkParticleEffect(stars);
        KV_ParticlesObj& object = Show(stars);
        auto& runtime = Runtime<KV_FallingStars>(object);
        runtime.origins.emplace_back(32, 32, 0);
        runtime.origins.back().Alpha() = 1;
        return object;
    }
    KV_FallingStars stars;
};

TEST_F(FallingStarsPixels, TheCoreLiesOverTheGlowLitSceneThroughMain)
{
    ShowOneStar(0, 50);
    Frame(0.1f);
    const float core = 127.0f / 255;
    const auto lit = [&](float picture, float glow) { return std::min(1.0f, picture + glow); };
    const D3DCOLOR expected = Rgb(lit(Channel(kPicture, 16), 0) * (1 - core) + core,
                                  lit(Channel(kPicture, 8), 1) * (1 - core), lit(Channel(kPicture, 0), 0) * (1 - core));
    EXPECT_TRUE(Near(expected, Pixel(32, 32)));
    EXPECT_EQ(Pixel(10, 10), kPicture);
}

struct GlowCase {
    unsigned int value;
    // Pixels right of the centre still lit by the glow.
    UINT inside;
    UINT outside;
};

class FallingStarsGlow : public FallingStarsPixels, public testing::WithParamInterface<GlowCase> {};

TEST_P(FallingStarsGlow, GlowsScaleTheCoreSize)
{
    ShowOneStar(GetParam().value, 100);
    Frame(0.1f);
    EXPECT_NE(Pixel(32 + GetParam().inside, 32), kPicture);
    EXPECT_EQ(Pixel(32 + GetParam().outside, 32), kPicture);
}

// Value 0: the core's 8 pixels; value 25: twice that.
INSTANTIATE_TEST_SUITE_P(Scales, FallingStarsGlow, testing::Values(GlowCase{0, 3, 5}, GlowCase{25, 7, 9}));

// A firework in the plain blend mode, always shown: its one streamed
// spark sits at (x, y), its core red and its glow clear.
KV_FireworkSimple StillSpark(float x, float y)
{
    KV_FireworkSimple firework;
    firework.centre.Value() = D3DXVECTOR3(x, y, 0);
    firework.originSpeed.StoreAndNotify(50);
    firework.sparkSize.Value() = 8;
    firework.firstColour.Value() = 0x0000FF;
    firework.secondColour.transparency.StoreAndNotify(100);
    return firework;
}

TEST_F(GeneratorTest, AnAirBrushDrawnBeforeAPlainFireworkSurvivesItsComposite)
{
    KV_FireworkSimple firework = StillSpark(44, 44);
    LinkParticleEffect(firework);
    Show(firework);
    KV_CustomAirBrush brush;
    brush.brushSize.Value() = 8;
    brush.firstColour.Value() = 0xFF0000;  // blue
    brush.points.emplace_back(16, 16, 0);
    Animate(*manager, brush, MakeTexture(1, 1, {0xFFFFFFFF}), 1.0f);
    Show(brush);
    Frame(0.1f);
    EXPECT_EQ(Pixel(16, 16), 0x0000FFu);
    EXPECT_TRUE(Near(0xFF0000, Pixel(44, 44)));
    EXPECT_EQ(Pixel(30, 30), kPicture);
}

// A straight bolt across the upper quarter: core red, 4 wide; glow green,
// 10 wide.
KV_LightningGN StraightBolt()
{
    KV_LightningGN lightning;
    lightning.endPoint1.Value() = D3DXVECTOR3(8, 12, 0);
    lightning.endPoint2.Value() = D3DXVECTOR3(56, 12, 0);
    lightning.coreWidth.Value() = 4;
    lightning.glowWidth.Value() = 10;
    lightning.firstColour.Value() = 0x0000FF;
    lightning.secondColour.Value() = 0x00FF00;
    return lightning;
}

TEST_F(GeneratorTest, ABoltLightsItsLineAndLeavesThePictureBeyondItsGlow)
{
    KV_LightningGN lightning = StraightBolt();
    LinkParticleEffect(lightning);
    Show(lightning);
    Frame(0.1f);
    // Smoothed, the line runs from x 8 to two thirds of the way.
    EXPECT_TRUE(Near(0xFF0000, Pixel(24, 12)));
    EXPECT_TRUE(Near(0xFF0000, Pixel(38, 11)));
    const D3DCOLOR glowLit = (kPicture & 0xFF00FF) | 0x00FF00;
    EXPECT_TRUE(Near(glowLit, Pixel(24, 15)));
    EXPECT_TRUE(Near(glowLit, Pixel(24, 8)));
    for (const auto& [x, y] : {std::pair<UINT, UINT>{24, 19}, {50, 12}, {24, 52}, {2, 12}})
        EXPECT_EQ(Pixel(x, y), kPicture) << x << ", " << y;
}

TEST_F(GeneratorTest, FireworksAndLightningDrawNothingWithoutTheirMasksTextures)
{
    KV_FireworkSimple firework = StillSpark(44, 44);
    KV_LightningGN lightning = StraightBolt();
    LinkParticleEffect(firework);
    LinkParticleEffect(lightning);
    Runtime<KV_FireworkSimple>(Show(firework)).Target()->Release();
    Runtime<KV_LightningGN>(Show(lightning)).Target()->Release();
    Add({0xFF00FF00, {0, 0, 8, 8}});
    Frame(0.1f);
    EXPECT_EQ(Pixel(4, 4), 0x00FF00u);
    for (const auto& [x, y] : {std::pair<UINT, UINT>{44, 44}, {24, 12}, {2, 60}})
        EXPECT_EQ(Pixel(x, y), kPicture) << x << ", " << y;
}

size_t Points(const BoltList& list)
{
    size_t n = list.size();
    for (const BoltPoint& point : list)
        n += Points(point.branches);
    return n;
}

struct BoltCase {
    const char* name;
    unsigned int passes, branches, subBranches, subSubBranches;
    size_t points, segments, ends;
};

class LightningBatches : public GeneratorTest, public testing::WithParamInterface<BoltCase> {};

// The core batch holds the segments and two caps a strip, the glow batch
// the segments, the last batch a square at either end of each strip.
TEST_P(LightningBatches, HoldTheBoltsSegmentsAndEnds)
{
    const BoltCase& c = GetParam();
    KV_LightningGN lightning = StraightBolt();
    lightning.endPoint2.Value() = D3DXVECTOR3(56, 40, 0);
    lightning.passes.Value() = c.passes;
    lightning.branches.Value() = c.branches;
    lightning.subBranches.Value() = c.subBranches;
    lightning.subSubBranches.Value() = c.subSubBranches;
    lightning.displacement.StoreAndNotify(40);
    lightning.branchLength.StoreAndNotify(60);
    lightning.seed.Value() = 5;
    KV_ParticlesObj& object = Show(lightning);
    Frame(0.1f);
    const BoltList& bolt = Runtime<KV_LightningGN>(object).bolt;
    EXPECT_EQ(Points(bolt), c.points);
    EXPECT_EQ(BoltSegmentCount(bolt), c.segments);
    EXPECT_EQ(BoltEndCount(bolt), c.ends);
    const auto quads = [](size_t n) { return static_cast<UINT>(n); };
    EXPECT_EQ(object.QuadCounts(),
              (std::vector<UINT>{quads(c.ends + c.segments), quads(c.segments), quads(c.ends)}));
}

INSTANTIATE_TEST_SUITE_P(
    Bolts, LightningBatches,
    testing::Values(BoltCase{"Straight", 0, 0, 0, 0, 2, 1, 2}, BoltCase{"ThreePasses", 3, 0, 0, 0, 16, 15, 2},
                    BoltCase{"OneBranchOfOnePassFewer", 1, 1, 0, 0, 6, 4, 4},
                    BoltCase{"ABranchWithItsOwn", 2, 1, 1, 0, 14, 11, 6},
                    BoltCase{"ThreeLevelsNeverBelowNoPasses", 1, 1, 1, 1, 10, 6, 8},
                    BoltCase{"SubBranchesWithoutBranches", 0, 0, 5, 5, 2, 1, 2},
                    BoltCase{"PassesAboveTwelveCountAsTwelve", 40, 0, 0, 0, 8192, 8191, 2}),
    [](const testing::TestParamInfo<BoltCase>& info) { return std::string(info.param.name); });

TEST_F(GeneratorTest, HugeCountsStayWithinOneBatch)
{
    KV_LightningGN lightning = StraightBolt();
    lightning.passes.Value() = lightning.branches.Value() = 0xFFFFFFFF;
    lightning.subBranches.Value() = lightning.subSubBranches.Value() = 0xFFFFFFFF;
    lightning.branchLength.StoreAndNotify(50);
    KV_FireworkSimple firework = StillSpark(32, 32);
    firework.sparkCount.Value() = 0xFFFFFFFF;
    firework.emissionSwitch.Value() = 1;
    firework.emissionRate.StoreAndNotify(50);
    firework.lifetime.StoreAndNotify(100);
    firework.TimeLine().mode.Value() = KV_TimeLineControl::kModeCycle;
    KV_ParticlesObj& bolt = Show(lightning);
    KV_ParticlesObj& burst = Show(firework);
    // Out of hiding: the burst fires.
    KV_TimeLineControl& timeLine = burst.Description().TimeLine();
    timeLine.Machine().LocalTime(timeLine, 0.05f);
    ASSERT_NE(timeLine.GetPhase(), kPhaseHidden);
    for (float t : {0.1f, 0.2f})
        Frame(t);
    EXPECT_LE(Points(Runtime<KV_LightningGN>(bolt).bolt), KV_LightningGN::kMaxPoints);
    for (UINT count : bolt.QuadCounts())
        EXPECT_LE(count, KV_ParticlesObj::kMaxBatchQuads);
    EXPECT_EQ(Runtime<KV_FireworkSimple>(burst).origins.size(), KV_ParticleGenerator::kMaxParticles);
    EXPECT_EQ(Runtime<KV_FireworkSimple>(burst).particles.size(), KV_ParticleGenerator::kMaxParticles);
    EXPECT_EQ(burst.QuadCounts(), (std::vector<UINT>{KV_ParticlesObj::kMaxBatchQuads, KV_ParticlesObj::kMaxBatchQuads}));
}

}  // namespace
}  // namespace particles_test
