// The background layer: its record and registry entry, the render-target
// stack, the scene-capture protocol and what the layer draws.
#include <cstring>
#include <vector>

#include "platform/sim_d3d_draws.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"
#include "support/document_bytes.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/render/current_device.h"
#include "scene/render/kv_indexed_mesh.h"
#include "scene/render/light_fixture.h"
#include "scene/render/mesh_node.h"

#include <gtest/gtest.h>

namespace render_test {
namespace {

using d3d9_test::ColoursNear;

constexpr D3DCOLOR kBlue = 0x0000FF, kRed = 0xFF0000, kGreen = 0x00FF00, kYellow = 0xFFFF00, kWhite = 0xFFFFFF;

std::vector<D3DCOLOR> Solid(UINT count, D3DCOLOR colour) { return std::vector<D3DCOLOR>(count, colour); }

// A reader of the light registry over bytes that must be read exactly.
struct LightRecord {
    explicit LightRecord(const Bytes& bytes) : held(bytes), buffer(held.Buffer()), archive(buffer) {}
    HeldBytes held;
    ResourceBuffer buffer;
    KV_IOF_R<ResourceBuffer> archive;
};

TEST(LightRecordTest, VersionOneKeepsTheDefaultPictureAndCamera)
{
    LightRecord record(Frame(u"KV_2D_Light", 1));
    const std::unique_ptr<KV_2D_Light> light = KV_2D_Light::ReadNew(record.archive);
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(record.buffer.Remaining(), 0u);
    EXPECT_EQ(light->pictureLink.Key(), (ResourceKey{L"common_res.dll", 5}));
    EXPECT_EQ(light->camera.borderLink.Key(), (ResourceKey{L"common_res.dll", 6}));
    EXPECT_FLOAT_EQ(light->camera.zoom.Result(), 1.2f);
    EXPECT_EQ(light->camera.enable.Value(), 0);
}

TEST(LightRecordTest, VersionThreeReadsPictureAndCameraAndWritesTheSameBytes)
{
    const Bytes bytes = Join({Frame(u"KV_2D_Light", 3), ShortString(u"hills.jpg"), Le32(77), Le32(0),
                              Frame(u"KVM_Camera", 2), LeInt(1), Le32(150), Le32(100), ShortString(u"rim.png"),
                              Le32(3), Le32(0)});
    LightRecord record(bytes);
    const std::unique_ptr<KV_2D_Light> light = KV_2D_Light::ReadNew(record.archive);
    ASSERT_NE(light, nullptr);
    EXPECT_EQ(record.buffer.Remaining(), 0u);
    EXPECT_EQ(light->pictureLink.Key(), (ResourceKey{L"hills.jpg", 77}));
    EXPECT_EQ(light->camera.enable.Value(), 1);
    EXPECT_FLOAT_EQ(light->camera.zoom.Result(), 1.5f);
    EXPECT_EQ(light->camera.borderLink.Key(), (ResourceKey{L"rim.png", 3}));
    KV_IOF_W writer;
    light->Write(writer);
    EXPECT_EQ(writer.Bytes(), bytes);
}

TEST(LightRecordTest, AnUnregisteredClassYieldsNoLightAndFailsTheArchive)
{
    LightRecord record(Frame(u"KV_NoSuchLight", 1));
    EXPECT_EQ(KV_2D_Light::ReadNew(record.archive), nullptr);
    EXPECT_TRUE(record.archive.Failed());
}

TEST(LightCameraTest, WanderReportsThePreviousModeAndStartsFromTheCentre)
{
    KV_2D_Light light;
    light.camera.segment = {0.5f, -0.5f, 0.25f, 1.0f, 2.0f, 8.0f};
    EXPECT_FALSE(light.SetCameraWander(true));
    EXPECT_EQ(light.camera.mode.Value(), KVM_Camera::ModeWander);
    EXPECT_FLOAT_EQ(light.camera.segment.toX, 0.0f);
    EXPECT_FLOAT_EQ(light.camera.segment.end, 0.0f);
    light.camera.segment.toY = 0.75f;
    EXPECT_TRUE(light.SetCameraWander(false));
    EXPECT_EQ(light.camera.mode.Value(), 0);
    EXPECT_FLOAT_EQ(light.camera.segment.toY, 0.0f);
}

TEST_F(LightTest, NestedPushesRestoreTheOuterSizeAndModeAndResizeInsideKeepsTheStoredSize)
{
    ShowPicture(2, 2, Solid(4, 0xFF0000FF));
    context.Layout(2, 2, 64, 64, ViewContext::Fit, false);
    RenderTargetPair outer, inner;
    outer.width = 32;
    outer.height = 16;
    inner.width = 8;
    inner.height = 4;

    light.PushRenderTarget(outer, ViewContext::Stretch);
    light.PushRenderTarget(inner, ViewContext::Fill);
    EXPECT_EQ(context.mode, ViewContext::Fill);
    light.Resize(100, 100);
    EXPECT_EQ(light.m_targetWidth, 8);
    light.PopRenderTarget();
    EXPECT_EQ(context.mode, ViewContext::Stretch);
    EXPECT_EQ(light.m_targetWidth, 32);
    EXPECT_EQ(light.m_targetHeight, 16);
    EXPECT_FALSE(g_renderTargetSizeStack.empty());
    light.PopRenderTarget();
    EXPECT_EQ(context.mode, ViewContext::Fit);
    EXPECT_EQ(light.m_targetWidth, 64);
    EXPECT_EQ(light.m_targetHeight, 64);
    EXPECT_TRUE(g_renderTargetSizeStack.empty());
    light.PopRenderTarget();
    EXPECT_EQ(light.m_targetWidth, 64);
    EXPECT_EQ(context.mode, ViewContext::Fit);
    light.Resize(48, 40);
    EXPECT_EQ(light.m_targetWidth, 48);
}

TEST_F(LightTest, WithoutReadersEverythingGoesToTheBackBuffer)
{
    ShowPicture(2, 2, Solid(4, 0xFF0000FF));
    Add({0xFFFF0000, {0, 0, 16, 16}});
    platform::sim::RecordDraws(true);
    DrawFrame(0);
    const auto draws = platform::sim::TakeDraws();
    platform::sim::RecordDraws(false);
    ASSERT_FALSE(draws.empty());
    for (const auto& draw : draws)
        EXPECT_EQ(draw.renderTarget, BackBuffer());
    EXPECT_EQ(Pixel(8, 8), kRed);
    EXPECT_EQ(Pixel(40, 40), kBlue);
}

TEST_F(LightTest, OneReaderReceivesWhatIsBehindItAndDrawsToTheBackBuffer)
{
    ShowPicture(2, 2, Solid(4, 0xFF0000FF));
    SquareObject* reader = Add({0xFF00FF00, {40, 40, 56, 56}, true, true});
    Add({0xFFFF0000, {0, 0, 16, 16}});
    platform::sim::RecordDraws(true);
    DrawFrame(1);
    const auto draws = platform::sim::TakeDraws();
    platform::sim::RecordDraws(false);

    EXPECT_EQ(TexelAt(reader->receivedTexels, 8, 8), kRed);
    EXPECT_EQ(TexelAt(reader->receivedTexels, 30, 30), kBlue);
    EXPECT_EQ(TexelAt(reader->receivedTexels, 48, 48), kBlue);
    // Background and the red square into the target, the reader's two draws
    // (the scene and its square) to the back buffer.
    ASSERT_GE(draws.size(), 4u);
    EXPECT_NE(draws[0].renderTarget, BackBuffer());
    EXPECT_NE(draws[1].renderTarget, BackBuffer());
    EXPECT_EQ(draws[2].renderTarget, BackBuffer());
    EXPECT_EQ(draws[3].renderTarget, BackBuffer());
    EXPECT_FALSE(light.Capturing());
    EXPECT_EQ(Pixel(8, 8), kRed);
    EXPECT_EQ(Pixel(30, 30), kBlue);
    EXPECT_EQ(Pixel(48, 48), kGreen);
}

TEST_F(LightTest, TwoReadersFlipOnceAndTheFirstVisitedIsTheLastInTheVector)
{
    ShowPicture(2, 2, Solid(4, 0xFF0000FF));
    SquareObject* second = Add({0xFFFFFFFF, {48, 0, 64, 16}, true, true});
    Add({0xFFFFFF00, {0, 48, 16, 64}});
    SquareObject* first = Add({0xFF00FF00, {40, 40, 56, 56}, true, true});
    Add({0xFFFF0000, {0, 0, 16, 16}});
    DrawFrame(2);

    EXPECT_EQ(TexelAt(first->receivedTexels, 8, 8), kRed);
    EXPECT_EQ(TexelAt(first->receivedTexels, 48, 48), kBlue);
    EXPECT_EQ(TexelAt(first->receivedTexels, 8, 56), kBlue);
    EXPECT_EQ(TexelAt(second->receivedTexels, 8, 8), kRed);
    EXPECT_EQ(TexelAt(second->receivedTexels, 48, 48), kGreen);
    EXPECT_EQ(TexelAt(second->receivedTexels, 8, 56), kYellow);
    EXPECT_NE(first->received, second->received);
    EXPECT_EQ(Pixel(8, 8), kRed);
    EXPECT_EQ(Pixel(48, 48), kGreen);
    EXPECT_EQ(Pixel(8, 56), kYellow);
    EXPECT_EQ(Pixel(56, 8), kWhite);
    EXPECT_EQ(Pixel(30, 30), kBlue);
}

// A reader without effect or target asks for nothing and draws nothing.
TEST_F(LightTest, AReaderThatDrawsNothingKeepsThePicture)
{
    struct Case {
        const char* name;
        bool silentIsLast;
    };
    for (const Case c : {Case{"last reader silent", true}, Case{"first reader silent", false}}) {
        SCOPED_TRACE(c.name);
        objects.clear();
        ShowPicture(2, 2, Solid(4, 0xFF0000FF));
        const SquareSetup silent{0, {0, 0, 0, 0}, true, false, false};
        SquareObject* asking = nullptr;
        if (c.silentIsLast) {
            Add(silent);
        } else {
            asking = Add({0xFF00FF00, {40, 40, 56, 56}, true, true});
            Add(silent);
        }
        Add({0xFFFF0000, {0, 0, 16, 16}});
        DrawFrame(c.silentIsLast ? 1 : 2);
        if (asking) {
            EXPECT_EQ(TexelAt(asking->receivedTexels, 8, 8), kRed);
            EXPECT_EQ(TexelAt(asking->receivedTexels, 30, 30), kBlue);
        }
        EXPECT_FALSE(light.Capturing());
        EXPECT_EQ(Pixel(8, 8), kRed);
        EXPECT_EQ(Pixel(30, 30), kBlue);
    }
}

// The frame the silent reader kept is copied from the capture: the light
// must let go of that render target before the device can be reset.
TEST_F(LightTest, AResetAfterASilentLastReaderSucceedsAndTheSlideComesBack)
{
    ShowPicture(2, 2, Solid(4, 0xFF0000FF));
    Add({0, {0, 0, 0, 0}, true, false, false});
    Add({0xFFFF0000, {0, 0, 16, 16}});
    DrawFrame(1);
    ASSERT_EQ(ResetDevice(), D3D_OK);
    DrawFrame(1);
    EXPECT_EQ(Pixel(8, 8), kRed);
    EXPECT_EQ(Pixel(30, 30), kBlue);
}

// A layer whose own drawing reads the scene counts itself as a reader and
// ends the capture when it draws its borders.
class ReadingLight : public TestLight {
public:
    bool NeedsSceneTexture() const override { return true; }
    void DrawBorders(int) override
    {
        stillCapturing = Capturing();
        IDirect3DTexture9* scene = EndSceneCapture(false).Current();
        TexturedQuad whole;
        ScreenQuad full;
        full.MakeFullScreen();
        whole.SetQuad(scene, full);
        DrawTexturedOverlay(whole);
    }
    bool stillCapturing = false;
};

TEST_F(LightTest, ALightThatReadsTheSceneEndsTheCaptureInItsBorders)
{
    ReadingLight reading;
    TextureRecord record(MakeTexture(2, 2, Solid(4, 0xFF0000FF)), 2, 2, 1.0f);
    reading.m_pictureQuad.SetPicture(record);
    reading.RestoreDeviceObjects();
    reading.Resize(64, 64);
    Add({0xFFFF0000, {0, 0, 16, 16}});
    ASSERT_EQ(device()->BeginScene(), D3D_OK);
    reading.BeginSceneCapture();
    reading.RenderBackground(0);
    reading.RenderObjects(objects, 1);
    EXPECT_TRUE(reading.Capturing());
    reading.DrawBorders(0);
    device()->EndScene();
    EXPECT_TRUE(reading.stillCapturing);
    EXPECT_FALSE(reading.Capturing());
    EXPECT_EQ(Pixel(8, 8), kRed);
    EXPECT_EQ(Pixel(40, 40), kBlue);
    reading.InvalidateDeviceObjects();
}

// The picture fitted into the back buffer with its bars, drawn.
class FittedBorderTest : public LightTest {
protected:
    void DrawFitted(UINT w, UINT h, const std::vector<D3DCOLOR>& picture, IDirect3DTexture9* border)
    {
        ShowPicture(w, h, picture);
        context.SetBorderTextures(border);
        light.SetPicturePosition(ViewContext::Fit);
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        light.RenderBackground(0);
        light.DrawBorders(0);
        device()->EndScene();
    }
};

TEST_F(FittedBorderTest, AFittedPictureShowsTheBorderTextureInTheBars)
{
    // 4 x 2: red left half, green right half; fitted into 64 x 64 it spans
    // rows 16 to 47.
    DrawFitted(4, 2, {0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0xFF00FF00, 0xFFFF0000, 0xFFFF0000, 0xFF00FF00, 0xFF00FF00},
               MakeTexture(1, 1, {0xFFFFFF00}));
    EXPECT_EQ(Pixel(32, 4), kYellow);
    EXPECT_EQ(Pixel(32, 60), kYellow);
    EXPECT_EQ(Pixel(8, 32), kRed);
    EXPECT_EQ(Pixel(56, 32), kGreen);
}

// The border quads turn their texture: the left bar shows its top row from
// the top down, the right bar its bottom row.
TEST_F(FittedBorderTest, TheBarsOfATallPictureShowTheBorderTextureTurned)
{
    // 2 x 4, fitted into 64 x 64 it spans columns 16 to 47.
    DrawFitted(2, 4, Solid(8, 0xFF808080), MakeTexture(2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00}));
    EXPECT_EQ(Pixel(8, 4), kRed);
    EXPECT_EQ(Pixel(8, 60), kGreen);
    EXPECT_EQ(Pixel(56, 4), kBlue);
    EXPECT_EQ(Pixel(56, 60), kYellow);
    EXPECT_EQ(Pixel(32, 32), 0x808080u);
}

// Over and under a wide picture the bars read the border texture across its
// middle rows: the top bar its right column, the bottom bar its left one,
// both with the lower row to the left (more blue there).
TEST_F(FittedBorderTest, TheBarsOfAWidePictureShowTheBorderTextureTurned)
{
    // 4 x 2, fitted into 64 x 64 it spans rows 16 to 47.
    DrawFitted(4, 2, Solid(8, 0xFF808080), MakeTexture(2, 2, {0xFFFF0000, 0xFF00FF00, 0xFFFF00FF, 0xFF00FFFF}));
    EXPECT_TRUE(ColoursNear(Pixel(4, 4), 0x00FF9F, 8)) << std::hex << Pixel(4, 4);
    EXPECT_TRUE(ColoursNear(Pixel(60, 4), 0x00FF5F, 8)) << std::hex << Pixel(60, 4);
    EXPECT_TRUE(ColoursNear(Pixel(4, 60), 0xFF009F, 8)) << std::hex << Pixel(4, 60);
    EXPECT_TRUE(ColoursNear(Pixel(60, 60), 0xFF005F, 8)) << std::hex << Pixel(60, 60);
    EXPECT_EQ(Pixel(32, 32), 0x808080u);
}

TEST_F(LightTest, TransparentAreasOfThePictureShowThePictureNotTheClearColour)
{
    ShowPicture(2, 2, Solid(4, 0x000000FF));
    device()->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    ASSERT_EQ(device()->BeginScene(), D3D_OK);
    light.RenderBackground(0);
    device()->EndScene();
    EXPECT_EQ(Pixel(32, 32), kBlue);
}

TEST_F(LightTest, TheOverlayAtHalfAlphaDarkensByHalfAfterASpriteDrawToo)
{
    for (const bool spritesFirst : {false, true}) {
        SCOPED_TRACE(spritesFirst ? "after sprites" : "alone");
        ShowPicture(2, 2, Solid(4, 0xFFFFFFFF));
        KV_IndexedMesh sprites;
        sprites.SetQuadCount(1);
        void* vertices = nullptr;
        ASSERT_EQ(sprites.vertexBuffer->Lock(0, 0, &vertices, 0), D3D_OK);
        std::memset(vertices, 0, 4 * sizeof(DX_V::PCT));  // degenerate: covers no pixel
        sprites.vertexBuffer->Unlock();
        ScreenQuad full;
        full.MakeFullScreen();
        KV_SimpleMesh fade;
        fade.CreateQuadRHWC();
        fade.SetQuadRHWC(0x7F000000, full);
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        light.RenderBackground(0);
        if (spritesFirst)
            light.DrawSprites(sprites, nullptr, 2);
        light.DrawOverlay(&fade);
        device()->EndScene();
        EXPECT_TRUE(ColoursNear(Pixel(32, 32), 0x808080, 2));
    }
}

// A node of zeroed PNT vertices: its draws cover no pixel.
void MakeNode(MeshNode& node, BYTE blended)
{
    node.CreateBuffers(4, 6);
    node.vertexBuffer.Reset();
    CreateVertexBufferOf<DX_V::PNT>(4, node.vertexBuffer);
    void* vertices = nullptr;
    ASSERT_EQ(node.vertexBuffer->Lock(0, 0, &vertices, 0), D3D_OK);
    std::memset(vertices, 0, 4 * sizeof(DX_V::PNT));
    node.vertexBuffer->Unlock();
    node.flag = blended;
}

std::vector<DWORD> CullModes(const std::vector<platform::sim::DrawRecord>& draws)
{
    std::vector<DWORD> modes;
    for (const auto& draw : draws) {
        EXPECT_EQ(draw.fvf, DX_V::PNT::FVF);
        EXPECT_EQ(draw.stride, 32u);
        EXPECT_TRUE(draw.indexed);
        modes.push_back(draw.cullMode);
    }
    return modes;
}

TEST_F(LightTest, MeshPartsCullEachFrameByItsFaceOrderAndBlendedNodesDrawTheOtherSideAfter)
{
    ShowPicture(2, 2, Solid(4, 0xFFFFFFFF));
    KV_Frame first, second;
    first.faceOrder = 1;
    second.faceOrder = 0;
    struct Case {
        const char* name;
        BYTE blended;
        bool twoPass;
        std::vector<DWORD> culls;
    };
    const Case cases[] = {
        {"opaque", 0, false, {D3DCULL_CCW, D3DCULL_CW}},
        {"blended", 1, false, {D3DCULL_CCW, D3DCULL_CW, D3DCULL_CW, D3DCULL_CCW}},
        {"two pass", 0, true, {D3DCULL_CCW, D3DCULL_CW, D3DCULL_CCW, D3DCULL_CW}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeshNode node;
        MakeNode(node, c.blended);
        node.instances = {&first, &second};
        platform::sim::RecordDraws(true);
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        if (c.twoPass)
            light.DrawMeshPartsTwoPass(node);
        else
            light.DrawMeshParts(node);
        device()->EndScene();
        const auto draws = platform::sim::TakeDraws();
        platform::sim::RecordDraws(false);
        EXPECT_EQ(CullModes(draws), c.culls);
        for (const auto& draw : draws)
            EXPECT_EQ(draw.alphaBlend, c.blended != 0 || c.twoPass);
        DWORD cull = 0, blend = 0;
        device()->GetRenderState(D3DRS_CULLMODE, &cull);
        device()->GetRenderState(D3DRS_ALPHABLENDENABLE, &blend);
        EXPECT_EQ(cull, static_cast<DWORD>(D3DCULL_NONE));
        EXPECT_EQ(blend, static_cast<DWORD>(FALSE));
    }
}

// The grid meshes of the effects lie in picture pixels: drawn through the
// fixed-function path they need the same world as the picture quad.
TEST_F(LightTest, IndexedPictureMeshesGetTheirWorldLikeThePictureQuad)
{
    ShowPicture(4, 2, Solid(8, 0xFFFFFFFF));
    KV_IndexedMesh grid;
    grid.CreateBuffers(4, 6);
    D3DXMatrixTranslation(&grid.world, 1, 1, 0);
    D3DXMATRIX stale;
    D3DXMatrixScaling(&stale, 7, 7, 1);
    device()->SetTransform(D3DTS_WORLD, &stale);
    light.DrawIndexedPT(grid, nullptr);
    const D3DXVECTOR2 through = ThroughWorld(device(), 0, 0);
    context.SetWorldTransform(grid.world);
    const D3DXVECTOR2 expected = ThroughWorld(device(), 0, 0);
    EXPECT_FLOAT_EQ(through.x, expected.x);
    EXPECT_FLOAT_EQ(through.y, expected.y);
    EXPECT_NE(through.x, 0.0f);
}

}  // namespace
}  // namespace render_test
