// The lake layer: the split at the horizon, the shore band, its record,
// the water draw's states and the mirrored rows it shows, across a reset.
#include <cmath>
#include <vector>

#include "effects/lights/fake_lake_2d.h"
#include "effects/lights/light_fixture.h"
#include "effects/lights/light_records.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"

#include <gtest/gtest.h>

namespace lights_test {
namespace {

using d3d9_test::Bits;
using d3d9_test::ColoursNear;

ScreenQuad Picture(float w, float h)
{
    ScreenQuad quad;
    quad.corners = {{{0, h, 0, 0, 1}, {0, 0, 0, 0, 0}, {w, h, 0, 1, 1}, {w, 0, 0, 1, 0}}};
    return quad;
}

TEST(LakeGeometryTest, TheWaterMirrorsTheBandAboveTheHorizon)
{
    struct Case {
        float x;
        float top;         // of 100
        float topV, bottomV;
    };
    for (const Case& c : {Case{0.375f, 62.5f, 0.625f, 0.25f}, Case{0.5f, 50.0f, 0.5f, 0.0f},
                          Case{0.0f, 100.0f, 1.0f, 1.0f}}) {
        ScreenQuad quad = Picture(200, 100);
        lake::SplitAtHorizon(quad, c.x);
        for (int left : {0, 2}) {
            const auto& bottom = quad.corners[left];
            const auto& top = quad.corners[left + 1];
            EXPECT_NEAR(top.y, c.top, 1e-4f) << c.x;
            EXPECT_NEAR(bottom.y, 100.0f, 1e-4f) << c.x;
            EXPECT_NEAR(top.v, c.topV, 1e-6f) << c.x;
            EXPECT_NEAR(bottom.v, c.bottomV, 1e-6f) << c.x;
        }
        EXPECT_FLOAT_EQ(quad.corners[2].x, 200.0f);
    }
}

TEST(LakeGeometryTest, TheShoreBandFollowsTheWaterAndVanishesWithIt)
{
    ScreenQuad water = Picture(200, 100);
    lake::SplitAtHorizon(water, 0.375f);
    EXPECT_EQ(lake::ShoreOffset(water, 100, 7, 0.375f), -7);
    ScreenQuad none = Picture(200, 100);
    lake::SplitAtHorizon(none, 0.0f);
    EXPECT_EQ(lake::ShoreOffset(none, 100, 7, 0.0f), 0);
}

TEST(LakeGeometryTest, ThePlaneTakesCorners102123WithTheTiling)
{
    lake::Plane plane{};
    lake::SetPlaneFromQuad(plane, Picture(4, 2));
    lake::SetPlaneTiling(plane, 3.0f);
    const float xs[6] = {0, 0, 4, 0, 4, 4}, ys[6] = {0, 2, 2, 0, 2, 0};
    const float u1[6] = {0.01f, 0.01f, 3, 0.01f, 3, 3}, v1[6] = {0.01f, 3, 3, 0.01f, 3, 0.01f};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(plane[i].x, xs[i]) << i;
        EXPECT_EQ(plane[i].y, ys[i]) << i;
        EXPECT_EQ(plane[i].u1, u1[i]) << i;
        EXPECT_EQ(plane[i].v1, v1[i]) << i;
    }
}

TEST(LakeHorizonTest, ValuesPastTheEdgesKeepTheWaterBetweenNoneAndHalf)
{
    const std::pair<UINT, float> valueAndLine[] = {{25, 0.375f}, {0, 0.5f}, {100, 0.0f}, {150, 0.0f}};
    for (const auto& [value, line] : valueAndLine) {
        FakeLake2D lake;
        lake.horizon.SetValue(value);
        EXPECT_FLOAT_EQ(lake.HorizonLine(), line) << value;
    }
}

constexpr char16_t kKeyText[] = u"{01234567-89AB-CDEF-0123-456789ABCDEF}";

TEST(LakeRecordTest, VersionOneHoldsTheKeyOnly)
{
    const auto lake = ReadLight<FakeLake2D>(
        Join({Frame(u"FakeLake2D", 1), ShortString(kKeyText), ShortString(u"ripples"), Bytes{0}, PlainLightPart()}));
    ASSERT_NE(lake, nullptr);
    EXPECT_EQ(lake->normalMapKey.id.Data1, 0x01234567u);
    EXPECT_EQ(lake->normalMapKey.id.Data4[7], 0xEF);
    EXPECT_EQ(lake->normalMapKey.name, L"ripples");
    EXPECT_FALSE(lake->normalMapKey.flag);
    EXPECT_FLOAT_EQ(lake->horizon.Result(), 0.375f);
    EXPECT_EQ(lake->lakeTint.Value(), 0x408000u);
}

TEST(LakeRecordTest, VersionTwoReadsEveryFieldAndWritesTheSameBytes)
{
    const Bytes bytes = Join({Frame(u"FakeLake2D", 2), Le32(200), Le32(100), Le32(0), Le32(50), Le32(10), Le32(20),
                              Le32(30), Le32(9), LeInt(2), Le32(0x112233), ShortString(kKeyText), ShortString(u""),
                              Bytes{1}, Writing(KV_2D_Light())});
    const auto lake = ReadLight<FakeLake2D>(bytes);
    ASSERT_NE(lake, nullptr);
    EXPECT_FLOAT_EQ(lake->rippleTiling.Result(), 2.0f);
    EXPECT_FLOAT_EQ(lake->waveSpeed.Result(), 2.0f);
    EXPECT_FLOAT_EQ(lake->horizon.Result(), 0.5f);
    EXPECT_FLOAT_EQ(lake->normalMapScale.Result(), 0.5f);
    EXPECT_FLOAT_EQ(lake->tintStrength.Result(), 0.08f);
    EXPECT_FLOAT_EQ(lake->tintFade.Result(), 0.2f);
    EXPECT_EQ(lake->normalAmplitude.Value(), 30u);
    EXPECT_EQ(lake->shoreBand.Value(), 9u);
    EXPECT_EQ(lake->copySizeExponent.Value(), 2);
    EXPECT_EQ(lake->lakeTint.Value(), 0x112233u);
    EXPECT_TRUE(lake->normalMapKey.flag);
    EXPECT_EQ(Writing(*lake), bytes);
}

TEST(LakeMotionTest, WaveSpeedFiftyTurnsTheBumpMatrixFourAndAHalfRadiansASecond)
{
    FakeLake2D lake;
    lake.FrameMove(0.0f);
    lake.FrameMove(0.1f);
    EXPECT_NEAR(lake.bumpMatrix[0], 0.04f * std::cos(0.45f), 1e-6f);
    EXPECT_NEAR(lake.bumpMatrix[1], -0.04f * std::sin(0.45f), 1e-6f);
    EXPECT_NEAR(lake.bumpMatrix[2], 0.04f * std::sin(0.45f), 1e-6f);
    EXPECT_NEAR(lake.bumpMatrix[3], 0.04f * std::cos(0.45f), 1e-6f);
}

class LakeTest : public LightDeviceTest<FakeLake2D> {
protected:
    void PictureChanged() override { light->ReloadPicture(); }
    // Row y of the picture is red 4y; the tints are clear; the water flat.
    void Show()
    {
        std::vector<D3DCOLOR> texels(64 * 64);
        for (UINT y = 0; y < 64; ++y)
            for (UINT x = 0; x < 64; ++x)
                texels[y * 64 + x] = 0xFF000000 | (4 * y) << 16;
        light->tintStrength.SetValue(0);
        LightDeviceTest::Show(64, 64, texels);
        light->normalMap.Share(MakeTexture(4, 4, std::vector<D3DCOLOR>(16, 0xFF000000)));
    }
    // The water's rows 40 to 63 show the picture's rows 39 down to 16.
    void ExpectMirroredRows()
    {
        EXPECT_TRUE(ColoursNear(Pixel(10, 20), 80u << 16, 4));
        for (UINT k : {2u, 8u, 16u, 22u})
            EXPECT_TRUE(ColoursNear(Pixel(30, 40 + k), (4 * (39 - k)) << 16, 8)) << k;
    }
};

TEST_F(LakeTest, FlatWaterShowsTheBandAboveItUpsideDown)
{
    Show();
    DrawFrame();
    ExpectMirroredRows();
}

TEST_F(LakeTest, TheWaterIsBumpMappedOverTheMirroredCopy)
{
    Show();
    light->FrameMove(0.0f);
    light->FrameMove(0.2f);
    const auto draws = DrawsOf([&] {
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        light->RenderBackground(0);
        device()->EndScene();
    });
    const platform::sim::DrawRecord* water = LastDrawWith(draws, D3DTOP_BUMPENVMAP);
    ASSERT_NE(water, nullptr);
    EXPECT_EQ(water->fvf, 0x302u);
    EXPECT_EQ(water->stride, 28u);
    EXPECT_EQ(water->stages[0].texture, light->normalMap.Get());
    EXPECT_EQ(water->stages[0].texCoordIndex, 1u);
    ASSERT_GE(water->stages.size(), 2u);
    EXPECT_EQ(water->stages[1].texture, light->pictureCopy.Get());
    EXPECT_EQ(water->stages[1].texCoordIndex, 0u);
    DWORD m00 = 0, m01 = 0;
    device()->GetTextureStageState(0, D3DTSS_BUMPENVMAT00, &m00);
    device()->GetTextureStageState(0, D3DTSS_BUMPENVMAT01, &m01);
    EXPECT_NEAR(Bits(m00), 0.04f * std::cos(0.9f), 1e-6f);
    EXPECT_NEAR(Bits(m01), -0.04f * std::sin(0.9f), 1e-6f);
}

TEST_F(LakeTest, AResetDuringTheSlideKeepsTheReflection)
{
    Show();
    DrawFrame();
    light->InvalidateDeviceObjects();
    D3DPRESENT_PARAMETERS parameters = presentation();
    ASSERT_EQ(device()->Reset(&parameters), D3D_OK);
    light->RestoreDeviceObjects();
    light->Resize(64, 64);
    DrawFrame();
    ExpectMirroredRows();
}

// No picture, no normal map and horizons past the edges draw nothing wrong.
TEST_F(LakeTest, MissingPicturesAndExtremeHorizonsDrawWithoutFault)
{
    for (UINT value : {100u, 150u}) {
        Renew();
        light->horizon.SetValue(value);
        LightDeviceTest::Show(0, 0, {});
        DrawFrame();
        for (const lake::PlaneVertex& vertex : light->plane) {
            EXPECT_TRUE(std::isfinite(vertex.y) && std::isfinite(vertex.v0));
        }
        light->InvalidateDeviceObjects();
    }
}


// Over a black picture in white: the water's tint is strongest at the
// bottom and fades to the water line (row 40); the shore's rises from
// nothing at row 33 to the line.
TEST_F(LakeTest, TheTintFadesFromTheBottomToTheWaterLineAndRisesToItFromTheShore)
{
    light->lakeTint.SetValue(0xFFFFFF);
    light->tintStrength.SetValue(100);  // 0.8 at the bottom
    light->tintFade.SetValue(50);       // 0.4 at the water line
    LightDeviceTest::Show(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF000000));
    DrawFrame();
    // Pixel centres lie on whole coordinates.
    const struct {
        UINT y;
        float alpha;
    } probes[] = {{62, 0.4f + 0.4f * 22 / 24}, {52, 0.4f + 0.4f * 12 / 24}, {41, 0.4f + 0.4f * 1 / 24},
                  {34, 0.4f * 1 / 7},          {39, 0.4f * 6 / 7},          {20, 0.0f}};
    for (const auto& probe : probes) {
        const D3DCOLOR grey = static_cast<D3DCOLOR>(probe.alpha * 255.0f + 0.5f) * 0x010101;
        EXPECT_TRUE(ColoursNear(Pixel(30, probe.y), grey, 3)) << probe.y << ": " << std::hex << Pixel(30, probe.y);
    }
}

// Pictures a hundred times wider than high and the other way round,
// stretched over the screen: the water still lies under the lower 37.5 %.
TEST_F(LakeTest, FarFromSquarePicturesKeepTheWaterUnderTheirLowerPart)
{
    for (const auto& [w, h] : {std::pair{6400u, 64u}, std::pair{64u, 6400u}}) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        Renew();
        light->lakeTint.SetValue(0xFFFFFF);
        light->tintStrength.SetValue(100);
        light->tintFade.SetValue(0);
        LightDeviceTest::Show(w, h, std::vector<D3DCOLOR>(w * h, 0xFF000000));
        light->SetPicturePosition(ViewContext::Stretch);
        DrawFrame();
        EXPECT_EQ(Pixel(32, 30), 0x000000u);
        EXPECT_TRUE(ColoursNear(Pixel(32, 50), 0xCCCCCC, 6)) << std::hex << Pixel(32, 50);
        for (const lake::PlaneVertex& vertex : light->plane)
            EXPECT_TRUE(std::isfinite(vertex.y) && std::isfinite(vertex.v0));
        light->InvalidateDeviceObjects();
    }
}

// A quad over the lake tiles its picture: texture coordinates 0 to 2 across
// a red-green picture show red again in the third quarter.
TEST_F(LakeTest, QuadsOverTheLakeWrapTheirPicture)
{
    Show();
    TexturedIndexedQuad quad;
    render_test::FillQuad(quad, {{0, 16, 0, 0, 1}, {0, 0, 0, 0, 0}, {64, 16, 0, 2, 1}, {64, 0, 0, 2, 0}});
    quad.texture.Share(MakeTexture(2, 1, {0xFFFF0000, 0xFF00FF00}));

    ASSERT_EQ(device()->BeginScene(), D3D_OK);
    light->RenderBackground(0);
    light->DrawTexturedQuad(quad);
    device()->EndScene();
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0xFF0000, 8)) << std::hex << Pixel(8, 8);
    EXPECT_TRUE(ColoursNear(Pixel(40, 8), 0xFF0000, 8)) << std::hex << Pixel(40, 8);
    EXPECT_TRUE(ColoursNear(Pixel(56, 8), 0x00FF00, 8)) << std::hex << Pixel(56, 8);
    for (D3DSAMPLERSTATETYPE address : {D3DSAMP_ADDRESSU, D3DSAMP_ADDRESSV}) {
        DWORD mode = 0;
        device()->GetSamplerState(0, address, &mode);
        EXPECT_EQ(mode, static_cast<DWORD>(D3DTADDRESS_CLAMP));
    }
}

} // namespace
} // namespace lights_test
