// What the primitives put on screen, read back through the Direct3D API:
// the splash square, a fitted picture with its border quads, and a quad
// batch drawn from two chunks.
#include <vector>

#include "platform/sim_resources.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"
#include "platform/d3dx9/picture_files.h"
#include "scene/render/quad_batch.h"
#include "scene/render/render_fixture.h"
#include "scene/render/textured_quad.h"
#include "scene/render/view_context.h"

namespace render_test {
namespace {

using d3d9_test::ColoursNear;

constexpr D3DCOLOR kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0;

class SplashTest : public RenderTest {
protected:
    SplashTest() : RenderTest(640, 480) {}
    void TearDown() override {
        platform::sim::ResetOwnModuleResources();
        RenderTest::TearDown();
    }
};

// Picture 5: red, green above blue, white.
std::vector<uint8_t> QuadrantPicture() {
    d3dx9_test::PngPicture picture;
    picture.width = 2;
    picture.height = 2;
    picture.colourType = 2;  // RGB
    picture.rows = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF};
    return d3dx9_test::EncodePng(picture);
}

TEST_F(SplashTest, ACentredSquareOfTwoThirdsOfTheHeightOnBlack) {
    platform::sim::SetOwnModuleResource(L"DDS", MAKEINTRESOURCEW(5), QuadrantPicture());
    TexturedQuad splash;
    CreateSplashQuad(splash);
    ASSERT_TRUE(splash.texture);

    ASSERT_EQ(device()->BeginScene(), D3D_OK);
    device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device()->SetTexture(0, splash.texture.Get());
    SetScreenMeshStream(splash);
    ASSERT_EQ(device()->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK);
    device()->EndScene();

    // Side 320 at (160, 80): columns 160..479 and rows 80..399 are covered.
    EXPECT_EQ(Pixel(200, 120), kRed);
    EXPECT_EQ(Pixel(440, 120), kGreen);
    EXPECT_EQ(Pixel(200, 360), kBlue);
    EXPECT_EQ(Pixel(440, 360), kWhite);
    EXPECT_EQ(Pixel(100, 240), kBlack);
    EXPECT_EQ(Pixel(540, 240), kBlack);
    // The edges under Direct3D's top-left rule with pixel centres on whole
    // coordinates.
    EXPECT_EQ(Pixel(159, 120), kBlack);
    EXPECT_EQ(Pixel(160, 120), kRed);
    EXPECT_EQ(Pixel(479, 360), kWhite);
    EXPECT_EQ(Pixel(480, 360), kBlack);
    EXPECT_EQ(Pixel(200, 79), kBlack);
    // Rows 80..399: the top edge's row is the quad's, the bottom edge's not.
    EXPECT_EQ(Pixel(200, 80), kRed);
    EXPECT_EQ(Pixel(440, 399), kWhite);
    EXPECT_EQ(Pixel(440, 400), kBlack);
}

TEST_F(SplashTest, WithoutThePictureTheQuadIsUntextured) {
    TexturedQuad quad;
    quad.SetQuadResourceTexture(ScreenQuad{});
    EXPECT_FALSE(quad.texture);
    EXPECT_TRUE(quad.vertexBuffer);
}

class FitTest : public RenderTest {
protected:
    FitTest() : RenderTest(64, 32) {}
};

TEST_F(FitTest, AFittedPictureBetweenItsBorders) {
    // A 32 x 32 picture, red left half and green right half, fitted into
    // 64 x 32: bars of 16 columns at each side hold the blue border.
    IDirect3DTexture9* picture = MakeTexture(2, 1, {0xFFFF0000, 0xFF00FF00});
    IDirect3DTexture9* border = MakeTexture(1, 1, {0xFF0000FF});
    ViewContext context;
    context.SetBorderTextures(border);
    context.Layout(32, 32, 64, 32, ViewContext::Fit, false);
    KV_SimpleMesh pictureQuad;
    ScreenQuad corners;
    const float x[4] = {0, 0, 32, 32}, y[4] = {32, 0, 32, 0};
    for (int i = 0; i < 4; ++i) {
        corners.corners[i].x = x[i];
        corners.corners[i].y = y[i];
        corners.corners[i].z = 0;
    }
    pictureQuad.WriteQuadPT(corners);

    ASSERT_EQ(device()->BeginScene(), D3D_OK);
    device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFFFFFFFF, 1.0f, 0);
    device()->SetRenderState(D3DRS_LIGHTING, FALSE);
    context.ApplyTransforms();
    context.SetWorldTransform(pictureQuad.world);
    device()->SetTexture(0, picture);
    pictureQuad.SetStreamPT();
    ASSERT_EQ(device()->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK);
    context.DrawBorders();
    device()->EndScene();

    UINT width = 0, height = 0;
    const std::vector<D3DCOLOR> pixels = d3d9_test::ReadBackBuffer(device(), width, height);
    for (UINT row : {1u, 15u, 31u}) {
        SCOPED_TRACE(row);
        auto pixel = [&](UINT column) { return pixels.at(row * width + column); };
        for (UINT column : {0u, 8u, 14u, 50u, 63u}) EXPECT_EQ(pixel(column), kBlue) << column;
        for (UINT column : {17u, 30u}) EXPECT_EQ(pixel(column), kRed) << column;
        for (UINT column : {33u, 46u}) EXPECT_EQ(pixel(column), kGreen) << column;
        // The edges at 16 and 48 under the top-left rule.
        EXPECT_EQ(pixel(15), kBlue);
        EXPECT_EQ(pixel(16), kRed);
        EXPECT_EQ(pixel(47), kGreen);
        EXPECT_EQ(pixel(48), kBlue);
    }
    // Row 0 lies on the edge between the top border and the picture: under
    // the top-left rule it is the picture's.
    EXPECT_EQ(pixels.at(17), kRed);
}

class QuadBatchPixelTest : public RenderTest {
protected:
    QuadBatchPixelTest() : RenderTest(64, 64) {}
};

TEST_F(QuadBatchPixelTest, QuadsOfBothChunksAreDrawnTextured) {
    // 256 cells of 4 x 4 pixels from the last 128 quads of chunk 0 and the
    // first 128 of chunk 1; the other quads stay degenerate at the origin.
    constexpr int kFirst = QuadBatch::kQuadsPerChunk - 128;
    auto texture = MakeTexture(1, 2, {0xFFFFFFFF, 0xFF808080});
    QuadBatch batch;
    batch.Resize(QuadBatch::kQuadsPerChunk + 200);
    batch.SetTexture(texture);
    batch.Lock();
    for (int k = 0; k < 256; ++k) {
        const float column = static_cast<float>(k % 16), row = static_cast<float>(k / 16);
        batch.SetQuadCorners(kFirst + k, {4 * column + 2, 4 * row + 2}, {2, 0}, {0, 2});
        batch.SetQuadColour(kFirst + k, kFirst + k < static_cast<int>(QuadBatch::kQuadsPerChunk) ? 0xFFFF0000 : 0xFF00FF00);
    }
    batch.Unlock();

    ASSERT_EQ(device()->BeginScene(), D3D_OK);
    device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    batch.Draw();
    device()->EndScene();

    UINT width = 0, height = 0;
    const std::vector<D3DCOLOR> pixels = d3d9_test::ReadBackBuffer(device(), width, height);
    auto pixel = [&](UINT x, UINT y) { return pixels.at(y * width + x); };
    for (UINT row = 0; row < 16; ++row) {
        for (UINT column = 0; column < 16; ++column) {
            SCOPED_TRACE(testing::Message() << "cell " << column << ", " << row);
            const D3DCOLOR colour = row < 8 ? kRed : kGreen;
            // Texel row 0 (white) on the cell's top half, row 1 (grey) below.
            EXPECT_TRUE(ColoursNear(pixel(4 * column + 1, 4 * row + 1), colour, 0));
            EXPECT_TRUE(ColoursNear(pixel(4 * column + 1, 4 * row + 3), colour & 0x808080, 2));
        }
    }
}

}  // namespace
}  // namespace render_test
