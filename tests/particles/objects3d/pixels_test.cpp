// What the 3D objects draw, read back through Direct3D: a picture of 64 x 64
// on a back buffer of the same size, so picture pixels are screen pixels.
#include <gtest/gtest.h>

#include <ctime>

#include "particles/objects3d/ac_butterfly.h"
#include "particles/objects3d/kv_3d_in_2d_array.h"
#include "particles/objects3d/kv_3d_in_2d_array_constructor.h"
#include "particles/objects3d/kv_3dobj_array.h"
#include "particles/objects3d/kv_butterfly_constructor.h"
#include "particles/objects3d/kv_clock_constructor.h"
#include "particles/objects3d/leaf_fall_anim.h"
#include <png.h>

#include "platform/d3dx9/picture_files.h"
#include "platform/sim_clock.h"
#include "scene/render/light_fixture.h"
#include "shared_module.h"

namespace objects3d_test {
namespace {

constexpr D3DCOLOR kBlack = 0xFF000000;
constexpr D3DCOLOR kRed = 0xFFFF0000;
constexpr D3DCOLOR kGreen = 0xFF00FF00;
constexpr D3DCOLOR kBlue = 0xFF0000FF;

std::vector<D3DCOLOR> Solid(D3DCOLOR colour, UINT n = 16) { return std::vector<D3DCOLOR>(n, colour); }

class PixelsTest : public ModuleSceneTest {
protected:
    // Cleared to black, then the draw.
    template <class Draw>
    void DrawScene(Draw draw)
    {
        ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, kBlack, 1.0f, 0), D3D_OK);
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        draw();
        device()->EndScene();
    }

    D3DCOLOR Rgb(UINT x, UINT y) { return Pixel(x, y) & 0x00FFFFFF; }
};

TEST_F(PixelsTest, ClockHandsAtThreeOClock)
{
    std::tm three{};
    three.tm_year = 126;
    three.tm_mon = 11;
    three.tm_mday = 10;
    three.tm_hour = 3;
    three.tm_isdst = -1;
    const platform::sim::FixedWallClock wallClock(std::mktime(&three));
    KV_ClockConstructor description;
    const ResourceKey dial{L"dial", 1}, hands{L"hands", 2};
    module->SetPicture(dial, MakeTexture(4, 4, Solid(kBlue)));
    module->SetPicture(hands, MakeTexture(4, 4, Solid(kRed)));
    description.texture.SetKey(dial);
    description.handsTexture.SetKey(hands);
    const std::unique_ptr<KV_ABObj> clock = description.CreateObject();
    clock->Update(0.0f);
    DrawScene([&] { clock->Render(light); });

    // Size 400 around (32, 32): the dial covers the picture; the hour hand
    // (4 pixels wide) points right, the minute hand up.
    struct Case {
        UINT x, y;
        D3DCOLOR colour;
    };
    const Case cases[] = {
        {40, 32, 0xFF0000}, {50, 32, 0xFF0000}, {62, 32, 0xFF0000},  // hour hand
        {32, 25, 0xFF0000}, {32, 15, 0xFF0000}, {32, 2, 0xFF0000},   // minute hand
        {50, 40, 0x0000FF}, {40, 15, 0x0000FF}, {10, 50, 0x0000FF},  // dial
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(Rgb(c.x, c.y), c.colour);
    }
}

// The body's near side (u about 0) is green, its far side red: drawn once
// with counter-clockwise faces culled, only the near side shows.
TEST_F(PixelsTest, ButterflyBodyShowsItsNearSideUnderCounterClockwiseCulling)
{
    std::vector<D3DCOLOR> sides(8, kGreen);
    for (int i = 2; i < 6; ++i)
        sides[i] = kRed;
    const ResourceKey body{L"body", 1};
    module->SetPicture(body, MakeTexture(8, 1, sides));
    KV_ButterflyConstructor description;
    description.bodyTexture.SetKey(body);
    const std::unique_ptr<KV_ABObj> object = description.CreateObject();
    auto& array = dynamic_cast<KV_3DObjArray&>(*object);
    ASSERT_TRUE(array.Meshes()[0].vertexBuffer);
    auto& butterfly = dynamic_cast<AC_Butterfly&>(*array.Instances().front()->controller);
    butterfly.position = {32, 32, 0};
    butterfly.heading = {0, 0, 350};
    array.Update(0.0f);
    DrawScene([&] { light.DrawMeshParts(array.Meshes()[0]); });

    // 84 units long at half size, the nose to the right and raised by the
    // pitch and the slow flight's dip (17.5 degrees).
    EXPECT_EQ(Rgb(32, 32), 0x00FF00u);
    EXPECT_EQ(Rgb(43, 28), 0x00FF00u);
    EXPECT_EQ(Rgb(32, 22), 0x000000u);
    EXPECT_EQ(Rgb(58, 32), 0x000000u);
}

Bytes GreenPng()
{
    d3dx9_test::PngPicture picture;
    picture.width = 4;
    picture.height = 4;
    picture.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int i = 0; i < 16; ++i)
        picture.rows.insert(picture.rows.end(), {0, 255, 0, 255});
    return d3dx9_test::EncodePng(picture);
}

// Two copies of a one-sided square, the second turned to show its back.
TEST_F(PixelsTest, OneSidedLeavesShowBothSides)
{
    const Bytes square = OneSidedSquareX();
    const Bytes green = GreenPng();
    KV_3D_in_2D_array_Constructor description;
    description.instanceCount.Value() = 2;
    description.drift.size.Value() = 20;
    description.drift.speed.Value() = 0;
    description.mesh.Assign(L"square.x", static_cast<DWORD>(square.size()), square.data());
    description.texture.Assign(L"green.png", static_cast<DWORD>(green.size()), green.data());
    const std::unique_ptr<KV_ABObj> object = description.CreateObject();
    auto& array = dynamic_cast<KV_3D_in_2D_array&>(*object);
    float x = 16.0f, turn = 0.0f;
    for (KV_Frame* frame : array.Node().instances) {
        auto& leaf = dynamic_cast<KV_LeafFallAnim&>(*frame->controller);
        for (KV_LeafFallAnim::Turn* t : {&leaf.spinX, &leaf.spinY, &leaf.spinZ, &leaf.swingX, &leaf.swingY})
            *t = {0, 0};
        leaf.spinY.angle = turn;
        leaf.position._41 = x;
        leaf.position._42 = 32.0f;
        x += 32.0f;
        turn += 180.0f;
    }
    object->Update(0.1f);
    DrawScene([&] { object->Render(light); });
    EXPECT_EQ(Rgb(16, 32), 0x00FF00u);
    EXPECT_EQ(Rgb(48, 32), 0x00FF00u);
    EXPECT_EQ(Rgb(32, 32), 0x000000u);

    // Drawn one-sided, only one of the two shows: they face opposite ways.
    DrawScene([&] { light.DrawMeshParts(array.Node()); });
    EXPECT_NE(Rgb(16, 32), Rgb(48, 32));
}

}  // namespace
}  // namespace objects3d_test
