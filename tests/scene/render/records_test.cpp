// Frame nodes, mesh writers, quad-batch chunking and render-target pairs.
#include <vector>

#include "scene/render/kv_frame.h"
#include "scene/render/quad_batch.h"
#include "scene/render/render_fixture.h"
#include "scene/render/render_target_pair.h"

namespace render_test {
namespace {

class RecordsTest : public RenderTest {
protected:
    RecordsTest() : RenderTest(64, 32) {}
};

TEST(FrameTest, WithoutAControllerTheWorldIsLocalTimesParent) {
    KV_Frame parent, child, grandchild;
    D3DXMatrixScaling(&parent.local, 2, 2, 2);
    D3DXMatrixTranslation(&child.local, 1, 2, 3);
    D3DXMatrixRotationZ(&grandchild.local, 0.5f);
    parent.children = {&child};
    child.children = {&grandchild};
    D3DXMATRIX root;
    D3DXMatrixTranslation(&root, 10, 0, 0);

    parent.UpdateTransforms(&root);

    EXPECT_EQ(parent.world, parent.local * root);
    EXPECT_EQ(child.world, child.local * parent.world);
    EXPECT_EQ(grandchild.world, grandchild.local * child.world);
    child.UpdateTransforms(nullptr);
    EXPECT_EQ(child.world, child.local);
}

TEST_F(RecordsTest, CornerAlphasAreTruncatedAndTheColourKept) {
    KV_SimpleMesh mesh;
    mesh.SetQuadRHWC(0x80123456, ScreenQuad{});
    mesh.SetAlphasRHWC(1.0f, 0.0f, 0.5f, 0.25f);
    void* locked = nullptr;
    ASSERT_EQ(mesh.vertexBuffer->Lock(0, 0, &locked, D3DLOCK_READONLY), D3D_OK);
    const auto* vertices = static_cast<const DX_V::RHWC*>(locked);
    const D3DCOLOR expected[4] = {0xFF123456, 0x7F123456, 0x00123456, 0x3F123456};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(vertices[i].diffuse, expected[i]) << i;
    mesh.vertexBuffer->Unlock();
}

// Every chunk, the ones the resize adds too, keeps the batch's texture.
TEST_F(RecordsTest, ResizeKeepsChunksOf16383QuadsAndTheTexture) {
    struct Case {
        int quads;
        std::vector<UINT> chunkQuads;
    };
    const Case cases[] = {{0, {0}}, {300, {300}}, {16383, {16383, 0}}, {16384, {16383, 1}}, {32767, {16383, 16383, 1}}};
    IDirect3DTexture9* texture = MakeTexture(1, 1, {0xFFFFFFFF});
    for (const Case& c : cases) {
        QuadBatch batch;
        batch.SetTexture(texture);
        batch.Resize(c.quads);
        ASSERT_EQ(batch.chunks.size(), c.chunkQuads.size()) << c.quads;
        for (size_t i = 0; i < batch.chunks.size(); ++i) {
            const QuadBatchChunk& chunk = batch.chunks[i];
            EXPECT_EQ(chunk.QuadCount(), c.chunkQuads[i]) << c.quads << " chunk " << i;
            EXPECT_EQ(chunk.texture.Get(), texture) << c.quads << " chunk " << i;
            EXPECT_EQ(chunk.triangleCount, 2 * c.chunkQuads[i]);
            EXPECT_EQ(static_cast<bool>(chunk.vertexBuffer), c.chunkQuads[i] > 0);
            EXPECT_EQ(static_cast<bool>(chunk.indexBuffer), c.chunkQuads[i] > 0);
        }
    }
}

TEST_F(RecordsTest, QuadSettersReachTheRightSlotAndIgnoreBadIndices) {
    QuadBatch batch;
    batch.Resize(16384);
    const D3DXVECTOR2 centre(10, 20), a(3, 0), b(0, 2);
    batch.SetQuadColour(16383, 0xFF00FF00);  // not locked: nothing
    batch.Lock();
    batch.SetQuadCorners(16383, centre, a, b);
    batch.SetQuadCorners(16384, centre, a, b);
    batch.SetQuadColour(-1, 0xFFFFFFFF);
    batch.SetQuadColour(16384, 0xFFFFFFFF);
    batch.SetQuadColour(0, 0xFF0000FF);
    const auto* last = static_cast<const DX_V::RHWCT*>(batch.chunks[1].lockedVertices);
    const float corners[4][2] = {{7, 22}, {7, 18}, {13, 22}, {13, 18}};
    const float uv[4][2] = {{0, 1}, {0, 0}, {1, 1}, {1, 0}};
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(last[k].x, corners[k][0]) << k;
        EXPECT_FLOAT_EQ(last[k].y, corners[k][1]) << k;
        EXPECT_FLOAT_EQ(last[k].rhw, 1.0f);
        EXPECT_EQ(last[k].diffuse, 0u);
        EXPECT_FLOAT_EQ(last[k].u, uv[k][0]);
        EXPECT_FLOAT_EQ(last[k].v, uv[k][1]);
    }
    const auto* first = static_cast<const DX_V::RHWCT*>(batch.chunks[0].lockedVertices);
    EXPECT_EQ(first[0].diffuse, 0xFF0000FFu);
    EXPECT_EQ(first[4].diffuse, 0u);
    EXPECT_EQ(first[4 * 16382 + 3].diffuse, 0u);
    batch.Unlock();
    EXPECT_EQ(batch.chunks[1].lockedVertices, nullptr);
}

class RenderTargetPairTest : public RecordsTest {
protected:
    // Fills the pair's current texture with one colour.
    void Paint(RenderTargetPair& pair, D3DCOLOR colour) {
        RenderTargetPair binding;
        binding.Begin(pair);
        ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0), D3D_OK);
        binding.End();
    }
};

// Opaque black unless the flip is given a colour; the flip's own clear is
// the only one the new target gets.
struct FlipCase {
    bool given;
    D3DCOLOR clear;
};

class RenderTargetPairFlipTest : public RenderTargetPairTest, public testing::WithParamInterface<FlipCase> {
protected:
    const TextureHolder& Flip(RenderTargetPair& pair) {
        return GetParam().given ? pair.Flip(GetParam().clear) : pair.Flip();
    }
};

INSTANTIATE_TEST_SUITE_P(Colours, RenderTargetPairFlipTest,
                         testing::Values(FlipCase{false, 0xFF000000}, FlipCase{true, 0x00000000},
                                         FlipCase{true, 0x40102030}));

TEST_P(RenderTargetPairFlipTest, FlipsAlternateAndClearToTheirColour) {
    RenderTargetPair pair;
    pair.Create(16, 8);
    ASSERT_TRUE(pair.textures[0] && pair.textures[1]);
    EXPECT_EQ(pair.width, 16u);
    EXPECT_EQ(pair.height, 8u);
    IDirect3DTexture9* first = pair.Current();
    EXPECT_EQ(first, pair.textures[0].Get());

    d3d9_test::Com<IDirect3DSurface9> backBuffer;
    device()->GetRenderTarget(0, backBuffer.out());
    RenderTargetPair binding;
    binding.Begin(pair);
    for (IDirect3DTexture9* drawnBefore : {first, pair.textures[1].Get()}) {
        // Paint the texture the flip is about to make current.
        IDirect3DTexture9* next = drawnBefore == first ? pair.textures[1].Get() : first;
        d3d9_test::Com<IDirect3DSurface9> level;
        next->GetSurfaceLevel(0, level.out());
        device()->SetRenderTarget(0, level.get());
        device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0x80FF0000, 1.0f, 0);

        EXPECT_EQ(Flip(pair).Get(), drawnBefore);
        EXPECT_EQ(pair.Current(), next);
        for (D3DCOLOR texel : ReadTexture(device(), next)) ASSERT_EQ(texel, GetParam().clear);
    }
    EXPECT_EQ(pair.Current(), first);
    binding.End();
    d3d9_test::Com<IDirect3DSurface9> restored;
    device()->GetRenderTarget(0, restored.out());
    EXPECT_EQ(restored.get(), backBuffer.get());
}

// An end without a begin (a layer told to end a capture it never began)
// leaves the device's targets alone.
TEST_F(RenderTargetPairTest, EndingWhatNeverBeganChangesNothing) {
    d3d9_test::Com<IDirect3DSurface9> target, depth;
    device()->GetRenderTarget(0, target.out());
    device()->GetDepthStencilSurface(depth.out());
    RenderTargetPair pair;
    pair.Create(16, 8);
    pair.End();
    d3d9_test::Com<IDirect3DSurface9> targetAfter, depthAfter;
    device()->GetRenderTarget(0, targetAfter.out());
    device()->GetDepthStencilSurface(depthAfter.out());
    EXPECT_NE(targetAfter.get(), nullptr);
    EXPECT_EQ(targetAfter.get(), target.get());
    EXPECT_EQ(depthAfter.get(), depth.get());
}

TEST_F(RenderTargetPairTest, AZeroSideStoresTheSizeOnly) {
    RenderTargetPair pair;
    pair.Create(0, 48);
    EXPECT_EQ(pair.width, 0u);
    EXPECT_EQ(pair.height, 48u);
    EXPECT_FALSE(pair.textures[0] || pair.textures[1] || pair.current);
}

TEST_F(RenderTargetPairTest, SurvivesADeviceResetAroundReleaseAndCreate) {
    RenderTargetPair pair;
    pair.Create(16, 16);
    Paint(pair, 0xFF00FF00);
    pair.Release();
    D3DPRESENT_PARAMETERS presentation = this->presentation();
    ASSERT_EQ(device()->Reset(&presentation), D3D_OK);
    pair.Create(16, 16);
    ASSERT_TRUE(pair.Current());
    Paint(pair, 0xFF0000FF);
    for (D3DCOLOR texel : ReadTexture(device(), pair.Current())) ASSERT_EQ(texel, 0xFF0000FFu);
}

TEST_F(RenderTargetPairTest, CopyFromTakesTheSourcePicture) {
    RenderTargetPair source, copy;
    source.Create(8, 8);
    Paint(source, 0xFF336699);
    copy.CopyFrom(source.Current(), 8, 8);
    ASSERT_TRUE(copy.Current());
    for (D3DCOLOR texel : ReadTexture(device(), copy.Current())) ASSERT_EQ(texel, 0xFF336699u);
}

}  // namespace
}  // namespace render_test
