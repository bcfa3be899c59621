// The glass-ball layer: its record, the generated textures, sizing and
// motion, the border quads, the ball's draw states and what it shows.
#include <cmath>
#include <vector>

#include "effects/lights/glass_ball_light.h"
#include "effects/lights/glass_ball_textures.h"
#include "effects/lights/light_fixture.h"
#include "effects/lights/light_records.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"

#include <gtest/gtest.h>

namespace lights_test {
namespace {

using d3d9_test::ColoursNear;

Bytes GlassBallFields(DWORD version)
{
    return Join({Frame(u"KV_GlassBallLight", version), Link(u"shine.png", 1), Link(u"gleam.png", 2),
                 Link(u"stand.png", 3), Link(u"behind.jpg", 4), Le32(50), LeInt(-20), LeInt(30), Le32(80), Le32(40),
                 LeInt(0), LeInt(1), LeInt(1), LeInt(1), LeInt(2), Le32(0x0000FF), Le32(0xFF0000)});
}

class GlassBallRecordTest : public testing::TestWithParam<DWORD> {};

TEST_P(GlassBallRecordTest, EveryVersionReadsTheSameLayoutAndWritesVersionOne)
{
    const auto ball = ReadLight<KV_GlassBallLight>(Join({GlassBallFields(GetParam()), PlainLightPart()}));
    ASSERT_NE(ball, nullptr);
    EXPECT_EQ(ball->overlayImage1.Key(), (ResourceKey{L"shine.png", 1}));
    EXPECT_EQ(ball->overlayImage2.Key(), (ResourceKey{L"gleam.png", 2}));
    EXPECT_EQ(ball->baseImage.Key(), (ResourceKey{L"stand.png", 3}));
    EXPECT_EQ(ball->backgroundPicture.Key(), (ResourceKey{L"behind.jpg", 4}));
    EXPECT_FLOAT_EQ(ball->motionSpeed.Result(), 2.0f);
    EXPECT_EQ(ball->ballOffset.Value().x, -20);
    EXPECT_EQ(ball->ballOffset.Value().y, 30);
    EXPECT_EQ(ball->ballSize.Value(), 80u);
    EXPECT_EQ(ball->lensStrength.Value(), 40u);
    EXPECT_EQ(ball->showOverlay1.Value(), 0);
    EXPECT_EQ(ball->showBase.Value(), 1);
    EXPECT_EQ(ball->usePictureBackground.Value(), 1);
    EXPECT_EQ(ball->motionMode.Value(), 2);
    EXPECT_EQ(ball->gradientTop.Value(), 0x0000FFu);
    EXPECT_EQ(ball->gradientBottom.Value(), 0xFF0000u);
    EXPECT_EQ(Writing(*ball), Join({GlassBallFields(1), Writing(KV_2D_Light())}));
}

INSTANTIATE_TEST_SUITE_P(Versions, GlassBallRecordTest, testing::Values(0u, 1u, 7u));

TEST(GlassBallDefaultsTest, ANewBallLinksItsPicturesAndStandsStill)
{
    const KV_GlassBallLight ball;
    EXPECT_EQ(ball.overlayImage1.Key(), (ResourceKey{L"common_res.dll", 58}));
    EXPECT_EQ(ball.overlayImage2.Key(), (ResourceKey{L"common_res.dll", 59}));
    EXPECT_EQ(ball.baseImage.Key(), (ResourceKey{L"common_res.dll", 60}));
    EXPECT_EQ(ball.backgroundPicture.Key(), (ResourceKey{L"common_res.dll", 5}));
    EXPECT_FLOAT_EQ(ball.motionSpeed.Result(), 1.0f);
    EXPECT_EQ(ball.gradientTop.Value(), 0u);
    EXPECT_EQ(ball.motionMode.Value(), 3);
    const auto back = ReadLight<KV_GlassBallLight>(Writing(ball));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(Writing(*back), Writing(ball));
}

TEST(GlassBallTexturesTest, TheBumpMapSlopesOutwardFromAFlatCentre)
{
    std::vector<DWORD> texels(256 * 256);
    glass_ball::FillBumpMap(reinterpret_cast<BYTE*>(texels.data()), 256 * 4);
    const auto u = [&](int i, int j) { return static_cast<SHORT>(texels[i * 256 + j] & 0xFFFF); };
    const auto v = [&](int i, int j) { return static_cast<SHORT>(texels[i * 256 + j] >> 16); };
    EXPECT_LT(std::abs(u(128, 128)), 100);
    EXPECT_LT(std::abs(v(128, 128)), 100);
    // Right of the centre the surface falls to the right; below, downward.
    EXPECT_GT(u(128, 200), 1000);
    EXPECT_LT(u(128, 56), -1000);
    EXPECT_GT(v(200, 128), 1000);
    EXPECT_EQ(texels[0], 0u);
    // The rim falls off steeply: atan of a large step is nearly a quarter turn.
    EXPECT_GT(u(128, 255 - 1), 0);
}

TEST(GlassBallTexturesTest, TheMaskIsOpaqueOutsideRadius508AndTheGradientRunsTopToBottom)
{
    std::vector<BYTE> mask(1024 * 1024);
    glass_ball::FillMask(mask.data(), 1024);
    EXPECT_EQ(mask[512 * 1024 + 512], 0);
    EXPECT_EQ(mask[512 * 1024 + 512 + 508], 0);
    EXPECT_EQ(mask[512 * 1024 + 512 + 509], 0xFF);
    EXPECT_EQ(mask[0], 0xFF);

    std::vector<DWORD> gradient(256 * 256);
    glass_ball::FillGradient(reinterpret_cast<BYTE*>(gradient.data()), 256 * 4, 0x0000FF, 0xFF0000);
    EXPECT_EQ(gradient[0], 0x00FF0000u);
    EXPECT_EQ(gradient[255 * 256 + 17], 0x000000FFu);
    EXPECT_EQ(gradient[128 * 256], 0x007F0080u);
}

TEST(GlassBallSizingTest, SizeHundredIsSixHundredAwayAndSizeZeroFourTimesThat)
{
    struct Case {
        UINT size;
        float zoomTimesScale;
        float distance;
    };
    for (const Case& c : {Case{100, 1.0f, -600.0f}, Case{0, 1.0f, -2400.0f}, Case{100, 768.0f / 770.0f, -601.5625f},
                          Case{100, 2.0f, -300.0f}}) {
        KV_GlassBallLight ball;
        ball.ballSize.Value() = c.size;
        ball.zoomX = c.zoomTimesScale;
        ball.UpdateSizing();
        EXPECT_NEAR(ball.ballDistance, c.distance, 1e-3f) << c.size;
    }
    KV_GlassBallLight lens;
    lens.lensStrength.Value() = 100;
    lens.UpdateSizing();
    EXPECT_FLOAT_EQ(lens.swayAmplitude, 0.1875f);
    EXPECT_FLOAT_EQ(lens.ballScale, (1.105f + 0.385f) * 1.05f * 1.5f);
}

TEST(GlassBallMotionTest, SwayModeCompletesAPeriodInThirtyTwoSecondsAtSpeedZero)
{
    glass_ball::SharedMotionPhase() = {};
    KV_GlassBallLight ball;
    const std::pair<float, float> timeAndSway[] = {{0, 1}, {8, 0}, {16, -1}, {24, 0}, {32, 1}};
    for (const auto& [time, sway] : timeAndSway) {
        ball.FrameMove(time);
        EXPECT_NEAR(ball.sway, sway, 1e-5f) << time;
    }
    // A second layer advances the shared phase by its own elapsed time.
    KV_GlassBallLight other;
    other.FrameMove(40);
    EXPECT_NEAR(glass_ball::SharedMotionPhase().phase, 2.5f, 1e-5f);
    glass_ball::SharedMotionPhase() = {};
}

class GlassBallDeviceTest : public LightDeviceTest<KV_GlassBallLight> {
protected:
    explicit GlassBallDeviceTest(UINT side = 64) : LightDeviceTest(side) {}
    void SetUp() override
    {
        LightDeviceTest::SetUp();
        glass_ball::SharedMotionPhase() = {};
    }
};

// Green in the middle half of the picture, blue around it.
std::vector<D3DCOLOR> FramedPicture()
{
    std::vector<D3DCOLOR> texels(64 * 64, 0xFF0000FF);
    for (UINT y = 16; y < 48; ++y)
        for (UINT x = 16; x < 48; ++x)
            texels[y * 64 + x] = 0xFF00FF00;
    return texels;
}

TEST_F(GlassBallDeviceTest, TheBallShowsTheCapturedCentreAndTheGradientInTheCorners)
{
    light->motionMode.Value() = 0;
    light->gradientTop.Value() = 0x00FFFF;
    light->gradientBottom.Value() = 0x00FFFF;
    Show(64, 64, FramedPicture());
    DrawFrame();
    EXPECT_TRUE(ColoursNear(Pixel(32, 32), 0x00FF00, 8));
    for (const auto& [x, y] : {std::pair{0u, 0u}, {63u, 0u}, {0u, 63u}, {63u, 63u}})
        EXPECT_TRUE(ColoursNear(Pixel(x, y), 0xFFFF00, 8)) << x << "," << y;
}

// Scrolling by half the frame puts the picture's right half on the left.
// The scrolled copies name the targets: a reset must find them let go of.
TEST_F(GlassBallDeviceTest, ScrollingMotionWrapsTheCapturedFrameSidewaysAlsoAfterAReset)
{
    std::vector<D3DCOLOR> halves(64 * 64);
    for (UINT i = 0; i < halves.size(); ++i)
        halves[i] = i % 64 < 32 ? 0xFFFF0000 : 0xFF0000FF;
    struct Case {
        int mode;
        D3DCOLOR left, right;
    };
    for (const Case& c : {Case{0, 0xFF0000, 0x0000FF}, Case{1, 0x0000FF, 0xFF0000}, Case{2, 0x0000FF, 0xFF0000}}) {
        Renew();
        glass_ball::SharedMotionPhase() = {};
        light->motionMode.Value() = c.mode;
        Show(64, 64, halves);
        DrawFrame(0.0f);
        for (const char* when : {"before", "after"}) {
            DrawFrame(16.0f);
            EXPECT_TRUE(ColoursNear(Pixel(20, 32), c.left, 16)) << c.mode << " " << when;
            EXPECT_TRUE(ColoursNear(Pixel(44, 32), c.right, 16)) << c.mode << " " << when;
            light->InvalidateDeviceObjects();
            D3DPRESENT_PARAMETERS parameters = presentation();
            ASSERT_EQ(device()->Reset(&parameters), D3D_OK) << c.mode << " " << when;
            light->RestoreDeviceObjects();
            light->Resize(64, 64);
        }
    }
}

TEST_F(GlassBallDeviceTest, TheBallDrawBendsTheCapturedFrameThroughTheBumpMap)
{
    Show(64, 64, FramedPicture());
    const auto draws = DrawsOf([&] { DrawFrame(); });
    const platform::sim::DrawRecord* ballDraw = LastDrawWith(draws, D3DTOP_BUMPENVMAP);
    ASSERT_NE(ballDraw, nullptr);
    EXPECT_EQ(ballDraw->fvf, static_cast<DWORD>(D3DFVF_XYZ | D3DFVF_TEX2));
    EXPECT_EQ(ballDraw->stride, 28u);
    EXPECT_FALSE(ballDraw->alphaBlend);
    EXPECT_EQ(ballDraw->stages[0].texture, light->bumpMap.Get());
    ASSERT_GE(ballDraw->stages.size(), 2u);
    EXPECT_EQ(ballDraw->stages[1].texture, light->m_targets.Current());
    EXPECT_EQ(ballDraw->stages[1].texCoordIndex, static_cast<DWORD>(D3DTSS_TCI_CAMERASPACEPOSITION | 1));
    EXPECT_EQ(ballDraw->stages[1].textureTransformFlags, static_cast<DWORD>(D3DTTFF_COUNT2));
}

bool Finite(const D3DXMATRIX& m)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            if (!std::isfinite(m.m[r][c]))
                return false;
    return true;
}

// Portrait, missing and extreme pictures count as at least square.
TEST_F(GlassBallDeviceTest, AnyPictureShapeGivesAFiniteTextureProjection)
{
    for (const auto& [w, h] : {std::pair{16u, 64u}, {0u, 0u}, {1u, 100u}, {100u, 1u}}) {
        Renew();
        Show(w, h, std::vector<D3DCOLOR>(w * h, 0xFFFF0000));
        DrawFrame();
        light->SetBallTransforms(true);
        EXPECT_TRUE(Finite(light->textureProjection)) << w << "x" << h;
        light->InvalidateDeviceObjects();
    }
}

class GlassBallBordersTest : public GlassBallDeviceTest {
protected:
    GlassBallBordersTest() : GlassBallDeviceTest(1000) {}
};

std::array<float, 4> Extent(KV_SimpleMesh& quad)
{
    void* locked = nullptr;
    EXPECT_EQ(quad.vertexBuffer->Lock(0, 0, &locked, D3DLOCK_READONLY), D3D_OK);
    const auto* v = static_cast<const DX_V::RHWC*>(locked);
    const std::array<float, 4> extent{v[1].x, v[1].y, v[2].x, v[2].y};
    quad.vertexBuffer->Unlock();
    return extent;
}

TEST_F(GlassBallBordersTest, AWidePictureInFitModeGetsMarginQuadsOnePixelWider)
{
    light->usePictureBackground.Value() = 1;
    light->Create();
    light->backgroundRecord = TextureRecord(nullptr, 1000, 500, 0.5f);
    light->Resize(1000, 1000);
    using E = std::array<float, 4>;  // left, top, right, bottom
    EXPECT_EQ(Extent(light->borderQuads[0]), (E{0, 0, 1, 500}));
    EXPECT_EQ(Extent(light->borderQuads[1]), (E{1000, 0, 1001, 500}));
    EXPECT_EQ(Extent(light->borderQuads[2]), (E{0, 0, 1000, 251}));
    EXPECT_EQ(Extent(light->borderQuads[3]), (E{0, 750, 1000, 1001}));
}

} // namespace
} // namespace lights_test
