// Directional lighting against a hand computation of Direct3D's equations:
// ambient Ma·(Ga + ΣLa), diffuse Md·ΣLd·(N·L), specular Ms·ΣLs·(N·H)^P.
#include <d3dx9math.h>

#include "platform/d3d9_pipeline/pipeline_fixture.h"

namespace d3d9_test {
namespace {

struct LitVertex {
    float x, y, z;
    float nx, ny, nz;
    D3DCOLOR diffuse;
};

class LightingTest : public PipelineTest {
protected:
    void SetUp() override {
        PipelineTest::SetUp();
        // Camera space x, y in -8..8 across the target, z 0..10.
        D3DXMATRIX projection;
        D3DXMatrixOrthoLH(&projection, 16.f, 16.f, 0.f, 10.f);
        ASSERT_EQ(device()->SetTransform(D3DTS_PROJECTION, &projection), D3D_OK);
        D3DLIGHT9 light{};
        light.Type = D3DLIGHT_DIRECTIONAL;
        light.Diffuse = {1.f, 0.5f, 1.f, 1.f};
        light.Specular = {0.5f, 0.5f, 0.5f, 1.f};
        light.Ambient = {0.1f, 0.1f, 0.1f, 1.f};
        light.Direction = {0.f, -0.6f, 0.8f};  // towards the light: (0, 0.6, -0.8)
        ASSERT_EQ(device()->SetLight(0, &light), D3D_OK);
        ASSERT_EQ(device()->LightEnable(0, TRUE), D3D_OK);
        D3DMATERIAL9 material{};
        material.Diffuse = {0.5f, 1.f, 0.25f, 1.f};
        material.Ambient = {0.2f, 0.2f, 0.2f, 1.f};
        material.Specular = {1.f, 1.f, 1.f, 1.f};
        material.Power = 4.f;
        ASSERT_EQ(device()->SetMaterial(&material), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_AMBIENT, 0x00202020), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE), D3D_OK);
    }
    // One point facing the camera, at camera-space (x, y, z).
    void DrawPoint(DWORD fvf, float x, float y, float z, D3DCOLOR diffuse = 0) {
        const LitVertex point{x, y, z, 0.f, 0.f, -1.f, diffuse};
        ASSERT_EQ(device()->SetFVF(fvf), D3D_OK);
        ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &point, sizeof point), D3D_OK);
    }
};

constexpr DWORD kPositionNormal = D3DFVF_XYZ | D3DFVF_NORMAL;

TEST_F(LightingTest, DiffuseAndAmbient) {
    // Ambient 0.2·(0.1255 + 0.1) = 0.0451; diffuse (0.5·1, 1·0.5, 0.25·1)·0.8.
    DrawPoint(kPositionNormal, 0.f, 0.f, 5.f);
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0x71713E));
}

TEST_F(LightingTest, VertexColourIsTheDiffuseMaterialSource) {
    DrawPoint(kPositionNormal | D3DFVF_DIFFUSE, 0.f, 0.f, 5.f, 0xFF00FF00);
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0x0C720C));
    ASSERT_EQ(device()->SetRenderState(D3DRS_COLORVERTEX, FALSE), D3D_OK);
    DrawPoint(kPositionNormal | D3DFVF_DIFFUSE, 0.f, 0.f, 5.f, 0xFF00FF00);
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0x71713E));
}

TEST_F(LightingTest, SpecularWithALocalViewer) {
    ASSERT_EQ(device()->SetRenderState(D3DRS_SPECULARENABLE, TRUE), D3D_OK);
    // On the axis the viewer lies along -z: H = norm((0,0,-1) + L), N·H = 0.9487,
    // 0.9487^4 = 0.81, specular 0.5·0.81 = 0.405 added to the diffuse colour.
    DrawPoint(kPositionNormal, 0.f, 0.f, 5.f);
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0xD9D9A6, 2));
    // At (0, -3, 4) the viewer lies along L itself: N·H = 0.8, 0.8^4 · 0.5 = 0.2048.
    DrawPoint(kPositionNormal, 0.f, -3.f, 4.f);
    EXPECT_TRUE(ColoursNear(Pixel(8, 11), 0xA6A673, 2));
}

TEST_F(LightingTest, SpecularWithoutALocalViewerTakesTheAxis) {
    ASSERT_EQ(device()->SetRenderState(D3DRS_SPECULARENABLE, TRUE), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_LOCALVIEWER, FALSE), D3D_OK);
    DrawPoint(kPositionNormal, 0.f, -3.f, 4.f);
    EXPECT_TRUE(ColoursNear(Pixel(8, 11), 0xD9D9A6, 2));
}

TEST_F(LightingTest, NoLightsLeavesAmbientAndEmissive) {
    ASSERT_EQ(device()->LightEnable(0, FALSE), D3D_OK);
    D3DMATERIAL9 material{};
    material.Ambient = {1.f, 1.f, 1.f, 1.f};
    material.Emissive = {0.f, 0.5f, 0.f, 1.f};
    ASSERT_EQ(device()->SetMaterial(&material), D3D_OK);
    DrawPoint(kPositionNormal, 0.f, 0.f, 5.f);
    EXPECT_TRUE(ColoursNear(Pixel(8, 8), 0x20A020));
}

}  // namespace
}  // namespace d3d9_test
