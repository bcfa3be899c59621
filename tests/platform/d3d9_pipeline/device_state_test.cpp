// What the device keeps for drawing: lights, the vertex format, shaders
// refused, Reset back to defaults, the checks a draw makes before it reads
// anything, and the draw records tests can ask for.
#include <array>
#include <cstring>

#include "platform/d3d9_pipeline/pipeline_fixture.h"
#include "platform/sim_d3d_draws.h"

namespace d3d9_test {
namespace {

using DeviceStateTest = PipelineTest;

TEST_F(DeviceStateTest, LightsAreKeptByIndex) {
    D3DLIGHT9 light{};
    EXPECT_EQ(device()->GetLight(3, &light), D3DERR_INVALIDCALL);
    BOOL enabled = TRUE;
    EXPECT_EQ(device()->GetLightEnable(3, &enabled), D3DERR_INVALIDCALL);
    // Enabling an index nothing was set at makes the default light there.
    ASSERT_EQ(device()->LightEnable(3, TRUE), D3D_OK);
    ASSERT_EQ(device()->GetLight(3, &light), D3D_OK);
    EXPECT_EQ(light.Type, D3DLIGHT_DIRECTIONAL);
    EXPECT_EQ(light.Diffuse.r, 1.f);
    EXPECT_EQ(light.Direction.z, 1.f);
    ASSERT_EQ(device()->GetLightEnable(3, &enabled), D3D_OK);
    EXPECT_TRUE(enabled);

    light.Diffuse = {0.25f, 0.5f, 0.75f, 1.f};
    ASSERT_EQ(device()->SetLight(3, &light), D3D_OK);
    D3DLIGHT9 back{};
    ASSERT_EQ(device()->GetLight(3, &back), D3D_OK);
    EXPECT_EQ(back.Diffuse.g, 0.5f);
    ASSERT_EQ(device()->GetLightEnable(3, &enabled), D3D_OK);
    EXPECT_TRUE(enabled) << "setting a light keeps it on";
    light.Type = static_cast<D3DLIGHTTYPE>(7);
    EXPECT_EQ(device()->SetLight(3, &light), D3DERR_INVALIDCALL);
}

TEST_F(DeviceStateTest, ShadersOtherThanNoneAreRefused) {
    EXPECT_EQ(device()->SetVertexShader(nullptr), D3D_OK);
    EXPECT_EQ(device()->SetPixelShader(nullptr), D3D_OK);
    EXPECT_EQ(device()->SetVertexShader(reinterpret_cast<IDirect3DVertexShader9*>(device())), D3DERR_INVALIDCALL);
    IDirect3DVertexShader9* shader = reinterpret_cast<IDirect3DVertexShader9*>(device());
    ASSERT_EQ(device()->GetVertexShader(&shader), D3D_OK);
    EXPECT_EQ(shader, nullptr);
}

TEST_F(DeviceStateTest, ResetReturnsDrawingStateToDefaults) {
    ASSERT_EQ(device()->SetFVF(kScreenFvf), D3D_OK);
    ASSERT_EQ(device()->LightEnable(0, TRUE), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE), D3D_OK);
    D3DPRESENT_PARAMETERS presentation = Windowed(nullptr);
    presentation.hDeviceWindow = nullptr;
    D3DDEVICE_CREATION_PARAMETERS creation{};
    ASSERT_EQ(device()->GetCreationParameters(&creation), D3D_OK);
    presentation.hDeviceWindow = creation.hFocusWindow;
    presentation.BackBufferWidth = kSize;
    presentation.BackBufferHeight = kSize;
    ASSERT_EQ(device()->Reset(&presentation), D3D_OK);

    DWORD fvf = 1, value = 0;
    ASSERT_EQ(device()->GetFVF(&fvf), D3D_OK);
    EXPECT_EQ(fvf, 0u);
    D3DLIGHT9 light{};
    EXPECT_EQ(device()->GetLight(0, &light), D3DERR_INVALIDCALL);
    ASSERT_EQ(device()->GetRenderState(D3DRS_CULLMODE, &value), D3D_OK);
    EXPECT_EQ(value, static_cast<DWORD>(D3DCULL_CCW));
    ASSERT_EQ(device()->GetTextureStageState(1, D3DTSS_COLOROP, &value), D3D_OK);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTOP_DISABLE));
}

TEST_F(DeviceStateTest, DrawsCheckWhatTheyAreGiven) {
    const ScreenVertex triangle[3] = {};
    ASSERT_EQ(device()->SetFVF(kScreenFvf), D3D_OK);
    EXPECT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 0, triangle, sizeof triangle[0]), D3D_OK);
    EXPECT_EQ(device()->DrawPrimitiveUP(static_cast<D3DPRIMITIVETYPE>(9), 1, triangle, sizeof triangle[0]),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, nullptr, sizeof triangle[0]), D3DERR_INVALIDCALL);
    // Stream 0 has no buffer: nothing to draw from.
    EXPECT_EQ(device()->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3DERR_INVALIDCALL);
    const WORD indices[] = {0, 1, 2};
    EXPECT_EQ(device()->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 3, 1, indices, D3DFMT_D16, triangle,
                                               sizeof triangle[0]),
              D3DERR_INVALIDCALL);
    // Blend weights are not drawn by the fixed-function path here.
    ASSERT_EQ(device()->SetFVF(D3DFVF_XYZB1), D3D_OK);
    EXPECT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 1, triangle, sizeof triangle[0]), D3DERR_INVALIDCALL);
}

// Draws remember the range an index list names; a rewrite or another part
// of the list must not reuse it, or a draw would read past the vertices.
TEST_F(DeviceStateTest, IndexedDrawsCheckTheIndicesAsTheyAreNow) {
    const ScreenVertex triangle[3] = {};
    Com<IDirect3DVertexBuffer9> vertices;
    ASSERT_EQ(device()->CreateVertexBuffer(sizeof triangle, 0, kScreenFvf, D3DPOOL_MANAGED, vertices.out(), nullptr),
              D3D_OK);
    Com<IDirect3DIndexBuffer9> indices;
    ASSERT_EQ(device()->CreateIndexBuffer(12, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, indices.out(), nullptr), D3D_OK);
    const auto write = [&](std::array<WORD, 6> values) {
        void* data = nullptr;
        ASSERT_EQ(indices->Lock(0, 0, &data, 0), D3D_OK);
        std::memcpy(data, values.data(), sizeof values);
        ASSERT_EQ(indices->Unlock(), D3D_OK);
    };
    write({0, 1, 2, 1, 2, 3});
    ASSERT_EQ(device()->SetFVF(kScreenFvf), D3D_OK);
    ASSERT_EQ(device()->SetStreamSource(0, vertices.get(), 0, sizeof triangle[0]), D3D_OK);
    ASSERT_EQ(device()->SetIndices(indices.get()), D3D_OK);
    ASSERT_EQ(device()->BeginScene(), D3D_OK);
    EXPECT_EQ(device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3D_OK);
    EXPECT_EQ(device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 3, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3D_OK);
    write({0, 3, 2, 1, 2, 0});
    EXPECT_EQ(device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 3, 1), D3D_OK);
    EXPECT_EQ(device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 1, 0, 3, 3, 1), D3DERR_INVALIDCALL);
    ASSERT_EQ(device()->EndScene(), D3D_OK);
}

TEST_F(DeviceStateTest, IndexedDrawsFromPointersReadTheVerticesTheIndicesName) {
    // Exactly as many vertices as the highest index needs, on the heap for the sanitizers.
    auto* vertices = new ScreenVertex[3]{{-0.5f, -0.5f, 0.f, 1.f, 0xFFFF0000},
                                         {15.5f, -0.5f, 0.f, 1.f, 0xFFFF0000},
                                         {-0.5f, 15.5f, 0.f, 1.f, 0xFFFF0000}};
    const DWORD indices[] = {0, 1, 2, 2, 1, 0};
    ASSERT_EQ(device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
    ASSERT_EQ(device()->SetFVF(kScreenFvf), D3D_OK);
    EXPECT_EQ(device()->DrawIndexedPrimitiveUP(D3DPT_TRIANGLELIST, 0, 3, 2, indices, D3DFMT_INDEX32, vertices,
                                               sizeof(ScreenVertex)),
              D3D_OK);
    delete[] vertices;
    EXPECT_EQ(Pixel(2, 2), 0xFF0000u);
    EXPECT_EQ(Pixel(14, 14), 0u);
}

TEST_F(DeviceStateTest, FansAndStripsTakeTheirCounts) {
    ASSERT_EQ(device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
    const ScreenVertex fan[] = {{8.f, 8.f, 0.f, 1.f, 0xFF00FF00},   {-0.5f, -0.5f, 0.f, 1.f, 0xFF00FF00},
                                {15.5f, -0.5f, 0.f, 1.f, 0xFF00FF00}, {15.5f, 15.5f, 0.f, 1.f, 0xFF00FF00},
                                {-0.5f, 15.5f, 0.f, 1.f, 0xFF00FF00}};
    ASSERT_EQ(device()->SetFVF(kScreenFvf), D3D_OK);
    ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 3, fan, sizeof fan[0]), D3D_OK);
    EXPECT_EQ(Pixel(8, 2), 0x00FF00u);   // first triangle (top)
    EXPECT_EQ(Pixel(13, 8), 0x00FF00u);  // second (right)
    EXPECT_EQ(Pixel(8, 13), 0x00FF00u);  // third (bottom)
    EXPECT_EQ(Pixel(2, 8), 0u);          // the left was not asked for
}

TEST_F(DeviceStateTest, DrawRecordsTellWhatADrawDependedOn) {
    platform::sim::RecordDraws(true);
    ASSERT_EQ(device()->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_MODULATE), D3D_OK);
    DrawRect(0.f, 0.f, 4.f, 4.f, 0xFFFFFFFF);
    const auto draws = platform::sim::TakeDraws();
    platform::sim::RecordDraws(false);
    ASSERT_EQ(draws.size(), 1u);
    const auto& draw = draws[0];
    EXPECT_EQ(draw.primitiveType, D3DPT_TRIANGLESTRIP);
    EXPECT_EQ(draw.primitiveCount, 2u);
    EXPECT_EQ(draw.fvf, kScreenFvf);
    EXPECT_EQ(draw.stride, sizeof(ScreenVertex));
    // Stage 1 modulates a texture that is not there: only stage 0 is in effect.
    ASSERT_EQ(draw.stages.size(), 1u);
    EXPECT_EQ(draw.stages[0].colorOp, static_cast<DWORD>(D3DTOP_MODULATE));
    EXPECT_EQ(draw.stages[0].colorArg1, static_cast<DWORD>(D3DTA_DIFFUSE));
    EXPECT_TRUE(draw.alphaBlend);
    EXPECT_EQ(draw.destBlend, static_cast<DWORD>(D3DBLEND_ONE));
    EXPECT_TRUE(draw.zEnable);
    EXPECT_FALSE(draw.lighting) << "pre-transformed vertices are never lit";
    EXPECT_TRUE(platform::sim::TakeDraws().empty()) << "nothing recorded once off";
}

}  // namespace
}  // namespace d3d9_test
