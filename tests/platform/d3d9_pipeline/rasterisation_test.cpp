// Where pixels land and how they combine: pixel centres on integer
// coordinates, culling by Direct3D's screen winding, clip depth 0 to 1,
// and the blend states.
#include <algorithm>
#include <string>
#include <tuple>

#include <d3dx9math.h>

#include "platform/d3d9_pipeline/pipeline_fixture.h"

namespace d3d9_test {
namespace {

using RasterisationTest = PipelineTest;

TEST_F(RasterisationTest, PixelCentresLieOnIntegerCoordinates) {
    // Covers the centres x = 1 and 2 only (GL's would be 1.5 alone).
    DrawRect(0.6f, 0.6f, 2.4f, 2.4f, 0xFFFFFFFF);
    const auto pixels = Pixels();
    for (UINT y = 0; y < 4; ++y) {
        for (UINT x = 0; x < 4; ++x) {
            const bool inside = x >= 1 && x <= 2 && y >= 1 && y <= 2;
            EXPECT_EQ(pixels[y * kSize + x], inside ? 0xFFFFFFu : 0u) << x << ", " << y;
        }
    }
}

TEST_F(RasterisationTest, TransformedVerticesFollowTheHalfPixelRuleToo) {
    // Target pixels as world units: x' = 2x/16 - 1, y' = 1 - 2y/16.
    D3DXMATRIX projection;
    D3DXMatrixOrthoOffCenterLH(&projection, 0.f, 16.f, 16.f, 0.f, -1.f, 1.f);
    ASSERT_EQ(device()->SetTransform(D3DTS_PROJECTION, &projection), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_LIGHTING, FALSE), D3D_OK);
    struct Vertex {
        float x, y, z;
        D3DCOLOR colour;
    };
    const Vertex quad[] = {{3.6f, 5.4f, 0.f, 0xFFFF0000}, {3.6f, 3.6f, 0.f, 0xFFFF0000},
                           {5.4f, 5.4f, 0.f, 0xFFFF0000}, {5.4f, 3.6f, 0.f, 0xFFFF0000}};
    ASSERT_EQ(device()->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE), D3D_OK);
    ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
    const auto pixels = Pixels();
    EXPECT_EQ(pixels[4 * kSize + 4], 0xFF0000u);
    EXPECT_EQ(pixels[4 * kSize + 5], 0xFF0000u);
    EXPECT_EQ(pixels[5 * kSize + 5], 0xFF0000u);
    EXPECT_EQ(pixels[3 * kSize + 3], 0u);
    EXPECT_EQ(pixels[6 * kSize + 6], 0u);
}

enum class Target { BackBuffer, RenderTarget };
enum class Geometry { Pretransformed, Transformed };

struct FillCase {
    const char* name;
    RECT rect;  // edges on pixel centres
};

// Edges exactly on pixel centres: the top and left rows and columns are lit,
// the bottom and right ones are not.
class FillConventionTest : public PipelineTest,
                           public testing::WithParamInterface<std::tuple<FillCase, Target, Geometry>> {
protected:
    static constexpr UINT kWidth = 640, kHeight = 480;
    FillConventionTest() : PipelineTest(kWidth, kHeight) {}

    void DrawTransformed(const RECT& r) {
        D3DXMATRIX projection;
        D3DXMatrixOrthoOffCenterLH(&projection, 0.f, kWidth, kHeight, 0.f, -1.f, 1.f);
        ASSERT_EQ(device()->SetTransform(D3DTS_PROJECTION, &projection), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_LIGHTING, FALSE), D3D_OK);
        struct Vertex {
            float x, y, z;
            D3DCOLOR colour;
        };
        const auto left = static_cast<float>(r.left), top = static_cast<float>(r.top);
        const auto right = static_cast<float>(r.right), bottom = static_cast<float>(r.bottom);
        const Vertex quad[] = {{left, bottom, 0.f, 0xFFFFFFFF},
                               {left, top, 0.f, 0xFFFFFFFF},
                               {right, bottom, 0.f, 0xFFFFFFFF},
                               {right, top, 0.f, 0xFFFFFFFF}};
        ASSERT_EQ(device()->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE), D3D_OK);
        ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
    }
};

TEST_P(FillConventionTest, TopAndLeftEdgesAreLit) {
    const auto& [c, target, geometry] = GetParam();
    Com<IDirect3DSurface9> renderTarget, backBuffer;
    if (target == Target::RenderTarget) {
        ASSERT_EQ(device()->CreateRenderTarget(kWidth, kHeight, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE,
                                               renderTarget.out(), nullptr),
                  D3D_OK);
        ASSERT_EQ(device()->GetRenderTarget(0, backBuffer.out()), D3D_OK);
        ASSERT_EQ(device()->SetRenderTarget(0, renderTarget.get()), D3D_OK);
        ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.f, 0), D3D_OK);
    }
    ASSERT_EQ(device()->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE), D3D_OK);
    const RECT& r = c.rect;
    if (geometry == Geometry::Pretransformed) {
        DrawRect(static_cast<float>(r.left), static_cast<float>(r.top), static_cast<float>(r.right),
                 static_cast<float>(r.bottom), 0xFFFFFFFF);
    } else {
        DrawTransformed(r);
    }
    const auto pixels = target == Target::RenderTarget ? TargetPixels(renderTarget.get()) : Pixels();
    if (backBuffer.get() != nullptr) {
        ASSERT_EQ(device()->SetRenderTarget(0, backBuffer.get()), D3D_OK);
    }

    LONG firstRow = kHeight, lastRow = -1, firstColumn = kWidth, lastColumn = -1;
    size_t lit = 0;
    for (LONG y = 0; y < static_cast<LONG>(kHeight); ++y) {
        for (LONG x = 0; x < static_cast<LONG>(kWidth); ++x) {
            if (pixels[static_cast<size_t>(y) * kWidth + x] == 0) continue;
            ++lit;
            firstRow = std::min(firstRow, y);
            lastRow = std::max(lastRow, y);
            firstColumn = std::min(firstColumn, x);
            lastColumn = std::max(lastColumn, x);
        }
    }
    EXPECT_EQ(firstRow, r.top);
    EXPECT_EQ(lastRow, r.bottom - 1);
    EXPECT_EQ(firstColumn, r.left);
    EXPECT_EQ(lastColumn, r.right - 1);
    EXPECT_EQ(lit, static_cast<size_t>((r.right - r.left) * (r.bottom - r.top)));
}

INSTANTIATE_TEST_SUITE_P(
    Quads, FillConventionTest,
    testing::Combine(testing::Values(FillCase{"Splash", {160, 80, 480, 400}}, FillCase{"OnePixel", {7, 5, 8, 6}},
                                     FillCase{"TwoByThree", {300, 201, 302, 204}},
                                     FillCase{"Corner", {0, 0, 4, 4}}),
                     testing::Values(Target::BackBuffer, Target::RenderTarget),
                     testing::Values(Geometry::Pretransformed, Geometry::Transformed)),
    [](const testing::TestParamInfo<std::tuple<FillCase, Target, Geometry>>& info) {
        return std::string(std::get<FillCase>(info.param).name) +
               (std::get<Target>(info.param) == Target::BackBuffer ? "BackBuffer" : "RenderTarget") +
               (std::get<Geometry>(info.param) == Geometry::Pretransformed ? "Pretransformed" : "Transformed");
    });

TEST_F(RasterisationTest, CullingFollowsTheWindingOnTheScreen) {
    struct {
        DWORD mode;
        bool clockwiseShown, counterClockwiseShown;
    } const cases[] = {{D3DCULL_CCW, true, false}, {D3DCULL_CW, false, true}, {D3DCULL_NONE, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.f, 0), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_CULLMODE, c.mode), D3D_OK);
        DrawWindings();
        EXPECT_EQ(Pixel(1, 2), c.clockwiseShown ? 0xFFFFFFu : 0u);
        EXPECT_EQ(Pixel(9, 2), c.counterClockwiseShown ? 0xFFFFFFu : 0u);
    }
}

class DepthTest : public PipelineTest {
protected:
    void SetUp() override {
        PipelineTest::SetUp();
        D3DXMATRIX projection, view;
        D3DXMatrixOrthoOffCenterLH(&projection, 0.f, 16.f, 16.f, 0.f, -5000.f, 5000.f);
        const D3DXVECTOR3 eye(0.f, 0.f, -1.f), at(0.f, 0.f, 0.f), up(0.f, 1.f, 0.f);
        D3DXMatrixLookAtLH(&view, &eye, &at, &up);
        ASSERT_EQ(device()->SetTransform(D3DTS_PROJECTION, &projection), D3D_OK);
        ASSERT_EQ(device()->SetTransform(D3DTS_VIEW, &view), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_LIGHTING, FALSE), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
        ASSERT_EQ(device()->SetFVF(D3DFVF_XYZ | D3DFVF_DIFFUSE), D3D_OK);
    }
    // A full-target quad at picture depth z.
    void Quad(float z, D3DCOLOR colour) {
        struct Vertex {
            float x, y, z;
            D3DCOLOR colour;
        };
        const Vertex quad[] = {{0.f, 16.f, z, colour}, {0.f, 0.f, z, colour}, {16.f, 16.f, z, colour},
                               {16.f, 0.f, z, colour}};
        ASSERT_EQ(device()->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof quad[0]), D3D_OK);
    }
};

TEST_F(DepthTest, OrthographicDepthRunsZeroToOne) {
    // z (after the view's unit shift) maps to (z + 1 + 5000) / 10000.
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 0.5f, 0), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESS), D3D_OK);
    Quad(100.f, 0xFFFF0000);  // depth 0.5101: behind the cleared 0.5
    EXPECT_EQ(Pixel(3, 3), 0u);
    Quad(-100.f, 0xFF00FF00);  // 0.4901: in front
    EXPECT_EQ(Pixel(3, 3), 0x00FF00u);

    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.f, 0), D3D_OK);
    Quad(-5500.f, 0xFFFF0000);  // depth below 0: clipped, as GL's -1..1 would not
    EXPECT_EQ(Pixel(3, 3), 0u);
    Quad(-4990.f, 0xFF0000FF);  // just inside the near plane
    EXPECT_EQ(Pixel(3, 3), 0x0000FFu);
    Quad(5100.f, 0xFFFF0000);  // beyond the far plane
    EXPECT_EQ(Pixel(3, 3), 0x0000FFu);
}

TEST_F(DepthTest, DepthWritesAndTheTestCanBeTurnedOff) {
    Quad(-100.f, 0xFF00FF00);
    ASSERT_EQ(device()->SetRenderState(D3DRS_ZWRITEENABLE, FALSE), D3D_OK);
    Quad(100.f, 0xFFFF0000);  // behind: rejected
    EXPECT_EQ(Pixel(3, 3), 0x00FF00u);
    ASSERT_EQ(device()->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE), D3D_OK);
    Quad(100.f, 0xFFFF0000);
    EXPECT_EQ(Pixel(3, 3), 0xFF0000u);
    ASSERT_EQ(device()->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE), D3D_OK);
    Quad(0.f, 0xFF0000FF);  // behind the first quad, whose depth nothing overwrote
    EXPECT_EQ(Pixel(3, 3), 0xFF0000u);
}

struct BlendCase {
    const char* name;
    DWORD source, destination, op;
    D3DCOLOR expected;
};

// Onto 0x204080 a colour 0x80C04020 with alpha 0x40.
const BlendCase kBlendCases[] = {
    {"SrcAlphaInvSrcAlpha", D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA, D3DBLENDOP_ADD, 0x484068},
    {"OneOne", D3DBLEND_ONE, D3DBLEND_ONE, D3DBLENDOP_ADD, 0xE080A0},
    {"Max", D3DBLEND_ONE, D3DBLEND_ONE, D3DBLENDOP_MAX, 0xC04080},
};

TEST_F(RasterisationTest, BlendStatesCombineWithTheTarget) {
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE), D3D_OK);
    for (const BlendCase& c : kBlendCases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(device()->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE), D3D_OK);
        DrawRect(-0.5f, -0.5f, 15.5f, 15.5f, 0xFF204080);
        ASSERT_EQ(device()->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_SRCBLEND, c.source), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_DESTBLEND, c.destination), D3D_OK);
        ASSERT_EQ(device()->SetRenderState(D3DRS_BLENDOP, c.op), D3D_OK);
        DrawRect(-0.5f, -0.5f, 15.5f, 15.5f, 0x40C04020);
        EXPECT_TRUE(ColoursNear(Pixel(8, 8), c.expected));
    }
}

TEST_F(RasterisationTest, AlphaTestDiscardsByReference) {
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE), D3D_OK);
    ASSERT_EQ(device()->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATEREQUAL), D3D_OK);
    ASSERT_EQ(device()->SetRenderState(D3DRS_ALPHAREF, 0x80), D3D_OK);
    DrawRect(-0.5f, -0.5f, 7.5f, 15.5f, 0x7FFF0000);
    DrawRect(7.5f, -0.5f, 15.5f, 15.5f, 0x8000FF00);
    EXPECT_EQ(Pixel(3, 3), 0u);
    EXPECT_EQ(Pixel(11, 3), 0x00FF00u);
}

}  // namespace
}  // namespace d3d9_test
