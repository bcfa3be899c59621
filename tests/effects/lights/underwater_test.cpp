// The underwater layer: it captures every frame its effect can draw, and
// the wobble draws the captured frame; without the effect the slide shows
// as it is.
#include <vector>

#include <gtest/gtest.h>

#include "effects/lights/fake_undervater.h"
#include "effects/lights/scene_layer_fixture.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"

namespace lights_test {
namespace {

using d3d9_test::ColoursNear;

class UnderwaterTest : public SceneLayerTest<FakeUndervater> {};

// With no object reading the scene the layer is the reader: the picture
// goes into the capture, the wobble onto the back buffer.
TEST_F(UnderwaterTest, ItCapturesWithoutAnyReaderAndDrawsTheFrameAtTheEnd)
{
    ShowStored(64, 64, HalfClearGrey(64 * 64));
    ASSERT_TRUE(light->NeedsSceneTexture());
    const auto draws = DrawsOf([&] { DrawFrame(); });
    ASSERT_GE(draws.size(), 2u);
    EXPECT_NE(draws.front().renderTarget, BackBuffer());
    EXPECT_EQ(draws.back().renderTarget, BackBuffer());
}

// At amplitude 0 the wobble is the frame itself: the picture and the
// object, opaque over what the back buffer held.
TEST_F(UnderwaterTest, TheStillWobbleShowsTheCapturedFrameOpaquely)
{
    light->effect.wobbleAmplitude.SetValue(0);
    ShowStored(64, 64, HalfClearGrey(64 * 64));
    Add({0xFFFF0000, {8, 8, 24, 24}});
    FillBackBuffer(0xFFFF00FF);
    DrawFrame(0.5f);
    EXPECT_EQ(Pixel(16, 16), 0xFF0000u);
    for (const auto& [x, y] : {std::pair{2u, 2u}, {40u, 40u}, {61u, 61u}})
        EXPECT_TRUE(ColoursNear(Pixel(x, y), 0x808080, 2)) << x << ", " << y;
}

// Between a device's invalidation and its restore there is nothing to
// capture into: the frame goes straight to the back buffer and stays.
TEST_F(UnderwaterTest, WithoutRenderTargetsTheFrameIsDrawnAsItIs)
{
    ShowStored(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF808080));
    Add({0xFFFF0000, {8, 8, 24, 24}});
    light->InvalidateDeviceObjects();
    DrawFrame();
    EXPECT_EQ(Pixel(16, 16), 0xFF0000u);
    EXPECT_EQ(Pixel(40, 40), 0x808080u);
}

// A missing effect, or stored data that makes none: no capture that nothing
// would show, so the picture and the objects are drawn as they are.
TEST_F(UnderwaterTest, WithoutItsEffectTheSlideShowsItsPictureAndObjects)
{
    const BYTE garbage[] = {'n', 'o', ' ', 'e', 'f', 'f', 'e', 'c', 't'};
    const ResourceKey broken{L"broken.fx", 5};
    ResourceEntry entry;
    entry.Assign(broken.name, sizeof garbage, garbage);
    manager.Tables().entries[broken].push_back(entry);
    for (const ResourceKey& link : {ResourceKey{L"nowhere.fx", 1}, broken}) {
        Renew();
        objects.clear();
        light->effect.effectLink.SetKey(link);
        ShowStored(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF808080));
        EXPECT_FALSE(light->NeedsSceneTexture());
        Add({0xFFFF0000, {8, 8, 24, 24}});
        const auto draws = DrawsOf([&] { DrawFrame(); });
        EXPECT_EQ(CapturedDraws(draws), 0u);
        EXPECT_EQ(Pixel(16, 16), 0xFF0000u);
        EXPECT_EQ(Pixel(40, 40), 0x808080u);
    }
}

} // namespace
} // namespace lights_test
