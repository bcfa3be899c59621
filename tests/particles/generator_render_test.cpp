// Generators on a device: their batches, the draws they record through an
// effect, and their pixels read back through Direct3D.
#include "generator_fixture.h"
#include "recording_effect.h"

#include "particles/generators/bling.h"
#include "particles/generators/custom_air_brush.h"
#include "particles/generators/falling_stars.h"
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
    const ResourceKey key{L"brush.png", 1};
    TextureSequence& animation = manager->Tables().sequences[key];
    animation.AppendFrame(MakeTexture(2, 4, std::vector<D3DCOLOR>(8, 0x80FFFFFF)));
    animation.aspect = 2.0f;
    brush.animationImage.SetKey(key);
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

INSTANTIATE_TEST_SUITE_P(
    Modes, StarBrushModes,
    testing::Values(StarModeCase{0, [](float, float s) { return s; }},
                    StarModeCase{1, [](float p, float s) { return 1 - (1 - p) * (1 - s); }},
                    StarModeCase{2, [](float p, float s) { return std::min(1.0f, p / std::max(1 - s, 1.0f / 255)); }},
                    StarModeCase{3, [](float p, float s) { return std::min(1.0f, p + s); }}));

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

}  // namespace
}  // namespace particles_test
