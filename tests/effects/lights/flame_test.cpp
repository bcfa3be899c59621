// The flame layer: its distortion's values and its quads, when it captures
// the scene and who ends the capture, what it shows with and without its
// effects, and the same after a reset.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>

#include "effects/lights/flame_light.h"
#include "effects/lights/scene_layer_fixture.h"
#include "effects/screenfx/recording_effect.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"

namespace lights_test {
namespace {

using d3d9_test::ColoursNear;
using render_test::SquareSetup;

// The distortion's clock runs 0.05 phase units a second.
TEST(BumpDistortion, TheStrengthScrollAndBumpScaleFollowThePictureAndTheClock)
{
    struct Case {
        UINT width, height;
        float time;
        unsigned strength;
        float offset, bumpY;
        float stenght;
    };
    for (const Case& c : {Case{1024, 512, 0.0f, 25, 0.0f, 0.104f, 0.0025f}, Case{0, 0, 2.0f, 25, 0.1f, 0.208f, 0.0025f},
                          Case{800, 800, 0.2f, 0, 0.01f, 0.208f, 0.0f}}) {
        SCOPED_TRACE(c.width);
        BumpDistortionPass pass;
        auto* effect = new screenfx_test::RecordingEffect({"BumpmapDistortLow2"});
        pass.effect.Reset(effect);
        pass.strength.SetValue(c.strength);
        pass.SetSize(c.width, c.height);
        for (float t = 0.0f; t <= c.time + 1e-6f; t += 0.2f)
            pass.Update(t);
        EXPECT_FLOAT_EQ(effect->Values().at("stenght")[0], c.stenght);
        EXPECT_NEAR(effect->Values().at("Offset")[0], c.offset, 1e-6f);
        EXPECT_NEAR(effect->Values().at("Offset")[1], -c.offset, 1e-6f);
        EXPECT_NEAR(effect->Values().at("bump_scale")[0], 0.208f, 1e-6f);
        EXPECT_NEAR(effect->Values().at("bump_scale")[1], c.bumpY, 1e-6f);
    }
}

class FlameTest : public SceneLayerTest<KV_FlameLight> {
protected:
    // The picture and the frames drawn with the layer's current settings.
    std::vector<D3DCOLOR> FrameOf(const std::vector<D3DCOLOR>& picture, float time = 0.0f)
    {
        Renew();
        configure(*light);
        ShowStored(64, 64, picture);
        DrawFrame(time);
        return Frame();
    }

    std::function<void(KV_FlameLight&)> configure = [](KV_FlameLight&) {};
};

// Red across, green down: each texel two levels off its neighbours, so
// that a frame drawn again through a render target matches within a few.
std::vector<D3DCOLOR> Gradient()
{
    std::vector<D3DCOLOR> texels(64 * 64);
    for (UINT y = 0; y < 64; ++y)
        for (UINT x = 0; x < 64; ++x)
            texels[y * 64 + x] = 0xFF000080 | (x * 2) << 16 | (y * 2) << 8;
    return texels;
}

testing::AssertionResult FramesNear(const std::vector<D3DCOLOR>& actual, const std::vector<D3DCOLOR>& expected)
{
    for (size_t i = 0; i < expected.size(); ++i) {
        if (testing::AssertionResult near = ColoursNear(actual[i], expected[i] & 0xFFFFFF, 3); !near)
            return near << " at " << i % 64 << ", " << i / 64;
    }
    return testing::AssertionSuccess();
}

// Corners top-left, top-right, bottom-left, bottom-right of the flames.
TEST_F(FlameTest, TheFlamesCoverTheLowerPartOfThePictureLoweredByTheDrop)
{
    struct Case {
        unsigned drop;
        float top, bottom;
    };
    for (const Case& c : {Case{0, 0.35f * 64, 64}, Case{100, 0.85f * 64, 1.5f * 64}}) {
        Renew();
        light->flameDrop.Value() = c.drop;
        ShowStored(64, 64, Gradient());
        void* locked = nullptr;
        ASSERT_EQ(light->flameQuad.vertexBuffer->Lock(0, 0, &locked, D3DLOCK_READONLY), D3D_OK);
        const auto* v = static_cast<const DX_V::PT*>(locked);
        for (int k = 0; k < 4; ++k) {
            EXPECT_FLOAT_EQ(v[k].x, k % 2 ? 64.0f : 0.0f) << c.drop;
            EXPECT_NEAR(v[k].y, k < 2 ? c.top : c.bottom, 1e-4f) << c.drop;
            EXPECT_FLOAT_EQ(v[k].u, static_cast<float>(k % 2));
            EXPECT_FLOAT_EQ(v[k].v, k < 2 ? 0.0f : 0.95f);
        }
        light->flameQuad.vertexBuffer->Unlock();
    }
}

// Only 1 reads the scene; a stored 2 is no reader and never ends a capture.
TEST_F(FlameTest, OnlyADistortionSwitchOfOneCapturesTheFrame)
{
    for (const int distort : {0, 1, 2}) {
        SCOPED_TRACE(distort);
        Renew();
        ShowStored(64, 64, Gradient());
        light->distortScene.Value() = distort;
        const auto draws = DrawsOf([&] { DrawFrame(); });
        ASSERT_GE(draws.size(), 2u);
        EXPECT_EQ(CapturedDraws(draws) > 0, distort == 1);
        EXPECT_EQ(draws.back().renderTarget, BackBuffer());
    }
}

// A stored 2 with a reader among the objects: the reader ends the capture,
// and the layer draws nothing stale over the frame afterwards.
TEST_F(FlameTest, ADistortionSwitchOfTwoLeavesTheCaptureToTheObjects)
{
    ShowStored(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF808080));
    light->distortScene.Value() = 2;
    light->showFlames.Value() = 0;
    Add({0xFFFF0000, {8, 8, 24, 24}, true, true});
    DrawFrame();
    EXPECT_EQ(Pixel(16, 16), 0xFF0000u);
    EXPECT_EQ(Pixel(40, 40), 0x808080u);
}

// Both readers receive the scene drawn so far in a render target, the
// capture still ends with the layer, and undistorted the frame is the
// picture and both squares, opaque over whatever the back buffer held.
TEST_F(FlameTest, TwoReadersInTheCaptureAreDistortedWithTheRest)
{
    ShowStored(64, 64, HalfClearGrey(64 * 64));
    light->showFlames.Value() = 0;
    light->distortion.strength.SetValue(0);
    render_test::SquareObject* first = Add({0xFFFF0000, {8, 8, 24, 24}, true, true});
    render_test::SquareObject* second = Add({0xFF0000FF, {40, 40, 56, 56}, true, true});
    FillBackBuffer(0xFFFF00FF);
    DrawFrame();
    ASSERT_FALSE(first->receivedTexels.empty());
    ASSERT_FALSE(second->receivedTexels.empty());
    EXPECT_NE(first->received, second->received);
    EXPECT_EQ(render_test::TexelAt(second->receivedTexels, 16, 16), 0xFF0000u);
    EXPECT_EQ(Pixel(16, 16), 0xFF0000u);
    EXPECT_EQ(Pixel(48, 48), 0x0000FFu);
    for (const auto& [x, y] : {std::pair{2u, 2u}, {32u, 32u}, {61u, 61u}, {2u, 61u}})
        EXPECT_TRUE(ColoursNear(Pixel(x, y), 0x808080, 2)) << x << ", " << y;
}

// At strength 0 the distorted frame is the frame as drawn without it.
TEST_F(FlameTest, DistortionAtStrengthZeroGivesTheUndistortedFrame)
{
    configure = [](KV_FlameLight& flame) {
        flame.distortScene.Value() = 0;
        flame.showFlames.Value() = 0;
    };
    const std::vector<D3DCOLOR> plain = FrameOf(Gradient());
    configure = [](KV_FlameLight& flame) {
        flame.distortion.strength.SetValue(0);
        flame.showFlames.Value() = 0;
    };
    EXPECT_TRUE(FramesNear(FrameOf(Gradient()), plain));
    configure = [](KV_FlameLight& flame) {
        flame.distortion.strength.SetValue(2000);
        flame.showFlames.Value() = 0;
    };
    EXPECT_FALSE(FramesNear(FrameOf(Gradient(), 2.0f), plain));
}

TEST_F(FlameTest, TheFlamesLeaveThePictureAboveThemUnchanged)
{
    configure = [](KV_FlameLight& flame) {
        flame.distortScene.Value() = 0;
        flame.showFlames.Value() = 0;
    };
    const std::vector<D3DCOLOR> picture = FrameOf(Gradient());
    configure = [](KV_FlameLight& flame) { flame.distortScene.Value() = 0; };
    const std::vector<D3DCOLOR> flames = FrameOf(Gradient(), 1.0f);
    const auto row = [](const std::vector<D3DCOLOR>& frame, UINT y) {
        return std::vector<D3DCOLOR>(frame.begin() + y * 64, frame.begin() + (y + 1) * 64);
    };
    for (UINT y = 0; y < 22; ++y)
        ASSERT_EQ(row(flames, y), row(picture, y)) << y;
    int lit = 0;
    for (UINT y = 40; y < 64; ++y)
        lit += row(flames, y) != row(picture, y);
    EXPECT_GT(lit, 12);
}

// Without its flames' effect the layer draws no flames, without its
// distortion's it reads no scene: the picture shows either way.
TEST_F(FlameTest, WithoutItsEffectsTheSlideShowsItsPicture)
{
    struct Case {
        bool fire, distortion;
    };
    for (const Case c : {Case{false, false}, Case{true, false}, Case{false, true}}) {
        SCOPED_TRACE(std::to_string(c.fire) + std::to_string(c.distortion));
        configure = [c](KV_FlameLight& flame) {
            if (!c.fire)
                flame.fire.effectLink.SetKey({L"nowhere.fx", 1});
            if (!c.distortion)
                flame.distortion.effectLink.SetKey({L"nowhere.fx", 2});
        };
        const std::vector<D3DCOLOR> frame = FrameOf(Gradient(), 1.0f);
        EXPECT_EQ(light->NeedsSceneTexture(), c.distortion);
        const std::vector<D3DCOLOR> picture = Gradient();
        if (c.fire) {
            const std::vector<D3DCOLOR> above(frame.begin(), frame.begin() + 22 * 64);
            EXPECT_TRUE(FramesNear(above, std::vector<D3DCOLOR>(picture.begin(), picture.begin() + 22 * 64)));
        } else {
            EXPECT_TRUE(FramesNear(frame, picture));
        }
    }
}

UINT GetPictureWidthOf(const KV_2D_Light& layer) { return layer.GetPictureWidth(); }

TEST_F(FlameTest, APictureThatIsNotThereDrawsWithoutFault)
{
    light->pictureLink.SetKey({L"nowhere.png", 1});
    Show(0, 0, {});
    EXPECT_EQ(GetPictureWidthOf(*light), 0u);
    EXPECT_FLOAT_EQ(light->distortion.aspect, 1.0f);
    DrawFrame(0.0f);
    DrawFrame(1.0f);
}

// A reset in the middle of the slide: the same frame again, flames and
// distortion both.
TEST_F(FlameTest, AResetDuringTheSlideKeepsFlamesAndDistortion)
{
    configure = [](KV_FlameLight& flame) { flame.distortion.strength.SetValue(2000); };
    const std::vector<D3DCOLOR> before = FrameOf(Gradient(), 1.0f);
    configure = [](KV_FlameLight& flame) {
        flame.distortion.strength.SetValue(2000);
        flame.showFlames.Value() = 0;
    };
    ASSERT_NE(FrameOf(Gradient(), 1.0f), before);
    configure = [](KV_FlameLight& flame) { flame.distortion.strength.SetValue(2000); };
    FrameOf(Gradient(), 1.0f);
    light->InvalidateDeviceObjects();
    // Nothing to capture into: the picture goes straight to the back buffer.
    DrawFrame(1.0f);
    const std::vector<D3DCOLOR> uncaptured = Frame(), picture = Gradient();
    EXPECT_TRUE(FramesNear(std::vector<D3DCOLOR>(uncaptured.begin(), uncaptured.begin() + 22 * 64),
                           std::vector<D3DCOLOR>(picture.begin(), picture.begin() + 22 * 64)));
    D3DPRESENT_PARAMETERS parameters = presentation();
    ASSERT_EQ(device()->Reset(&parameters), D3D_OK);
    light->RestoreDeviceObjects();
    light->Resize(64, 64);
    DrawFrame(1.0f);
    EXPECT_EQ(Frame(), before);
}

} // namespace
} // namespace lights_test
