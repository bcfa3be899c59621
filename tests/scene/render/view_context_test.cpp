// The picture's placement in the target: layout for every mode, the
// camera's zoom and pan, the capture mode, an empty picture, grid indices
// and the placement each unit publishes.
#include <cmath>
#include <vector>

#include "scene/model/picture_placement.h"
#include "scene/render/d3d_helpers.h"
#include "scene/render/render_fixture.h"
#include "scene/render/view_context.h"

namespace render_test {
namespace {

class ViewContextTest : public RenderTest {
protected:
    ViewContextTest() : RenderTest(1024, 768) {}

    // Where a picture point lands in target pixels.
    D3DXVECTOR2 Place(const ViewContext& context, float x, float y) {
        D3DXMATRIX identity;
        D3DXMatrixIdentity(&identity);
        context.SetWorldTransform(identity);
        return ThroughWorld(device(), x, y);
    }
};

void ExpectPoint(D3DXVECTOR2 actual, float x, float y) {
    EXPECT_NEAR(actual.x, x, 1e-3f);
    EXPECT_NEAR(actual.y, y, 1e-3f);
}

struct LayoutCase {
    UINT pictureWidth, pictureHeight, targetWidth, targetHeight;
    int mode;
    RECT fitted;
    float pictureScale, sx, sy;
    // Where the picture's top-left and bottom-right corners land.
    float left, top, right, bottom;
};

TEST_F(ViewContextTest, LayoutPlacesThePictureForEachMode) {
    const LayoutCase cases[] = {
        {1024, 768, 1024, 768, ViewContext::Stretch, {0, 0, 1024, 768}, 1, 1, 1, 0, 0, 1024, 768},
        {1024, 768, 1024, 768, ViewContext::Fit, {0, 0, 1024, 768}, 1, 1, 1, 0, 0, 1024, 768},
        {1024, 768, 1024, 768, ViewContext::Fill, {0, 0, 1024, 768}, 1, 1, 1, 0, 0, 1024, 768},
        {1024, 768, 1024, 768, ViewContext::Capture, {0, 0, 1024, 768}, 1, 1, 1, 0, 0, 1024, 768},
        // Bars above and below, a stretch in y only, a uniform cover cut at the sides.
        {1000, 500, 1000, 1000, ViewContext::Fit, {0, 250, 1000, 750}, 1, 1, 1, 0, 250, 1000, 750},
        {1000, 500, 1000, 1000, ViewContext::Stretch, {0, 250, 1000, 750}, 1, 1, 2, 0, 0, 1000, 1000},
        {1000, 500, 1000, 1000, ViewContext::Fill, {0, 250, 1000, 750}, 1, 2, 2, -500, 0, 1500, 1000},
        // Bars left and right; the picture shrinks.
        {500, 500, 1600, 900, ViewContext::Fit, {350, 0, 1250, 900}, 500.f / 900.f, 1, 1, 350, 0, 1250, 900},
        {500, 500, 1600, 900, ViewContext::Fill, {350, 0, 1250, 900}, 500.f / 900.f, 1600.f / 900.f,
         1600.f / 900.f, 0, -350, 1600, 1250},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.pictureWidth << "x" << c.pictureHeight << " on " << c.targetWidth
                                        << "x" << c.targetHeight << " mode " << c.mode);
        ViewContext context;
        context.Layout(c.pictureWidth, c.pictureHeight, c.targetWidth, c.targetHeight, c.mode, true);
        EXPECT_EQ(context.fitted.left, c.fitted.left);
        EXPECT_EQ(context.fitted.top, c.fitted.top);
        EXPECT_EQ(context.fitted.right, c.fitted.right);
        EXPECT_EQ(context.fitted.bottom, c.fitted.bottom);
        EXPECT_FLOAT_EQ(context.pictureScale, c.pictureScale);
        EXPECT_FLOAT_EQ(1.0f / context.inverseScaleX, c.sx);
        EXPECT_FLOAT_EQ(1.0f / context.inverseScaleY, c.sy);
        ExpectPoint(Place(context, 0, 0), c.left, c.top);
        ExpectPoint(Place(context, static_cast<float>(c.pictureWidth), static_cast<float>(c.pictureHeight)), c.right,
                    c.bottom);
    }
}

TEST_F(ViewContextTest, OutsideAPushedTargetTheFitRatiosUseTheBackBuffer) {
    ViewContext context;
    context.Layout(1000, 500, 512, 384, ViewContext::Fit, false);
    // Fitted 512 x 256 in a 512 x 384 target, scaled by 2 to the back buffer.
    EXPECT_FLOAT_EQ(context.fitRatioX, 1024.0f / 1024.0f);
    EXPECT_FLOAT_EQ(context.fitRatioY, 768.0f / 512.0f);
    ExpectPoint(Place(context, 0, 0), 0, 64);
    ExpectPoint(Place(context, 1000, 500), 512, 320);
}

TEST_F(ViewContextTest, ZoomAndPanMoveThePictureWithinItsMargin) {
    ViewContext context;
    context.Layout(1024, 768, 1024, 768, ViewContext::Fit, true);
    context.SetZoomPan(1, 0, 0);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    EXPECT_EQ(context.zoomPan, identity);

    context.SetZoomPan(2, 0, 0);
    ExpectPoint(Place(context, 512, 384), 512, 384);
    context.SetZoomPan(2, -1, 1);
    ExpectPoint(Place(context, 0, 0), 0, -768);
    ExpectPoint(Place(context, 1024, 768), 2048, 768);
}

// Back-buffer points into picture pixels: through the fitted quad, then
// back through the current context's zoom.
TEST_F(ViewContextTest, ScreenPointsMapBackThroughTheFitAndTheZoom) {
    PicturePlacement placement;
    placement.pictureWidth = 1024;
    placement.pictureHeight = 768;
    placement.fitQuad.MakeAspectFit(1024, 768, 2048, 768);  // 512 .. 1536 across
    const D3DXVECTOR3 corner(512, 0, 7);
    ExpectPoint({MapScreenToScene(placement, corner).x, MapScreenToScene(placement, corner).y}, 0, 0);
    EXPECT_FLOAT_EQ(MapScreenToScene(placement, corner).z, 7.0f);

    ViewContext context;
    context.Layout(1024, 768, 1024, 768, ViewContext::Fit, true);
    context.SetZoomPan(2, 0, 0);
    g_currentRenderContext = &context;
    const D3DXVECTOR3 zoomed = MapScreenToScene(placement, corner);
    g_currentRenderContext = nullptr;
    ExpectPoint({zoomed.x, zoomed.y}, 256, 192);
}

TEST_F(ViewContextTest, AZoomOfZeroOrLessCountsAsOne) {
    ViewContext context;
    context.Layout(1000, 500, 1000, 1000, ViewContext::Fit, true);
    context.SetZoomPan(1, 0.5f, -0.5f);
    const D3DXMATRIX unzoomed = context.zoomPan;
    for (float zoom : {0.0f, -2.0f}) {
        context.SetZoomPan(zoom, 0.5f, -0.5f);
        EXPECT_EQ(context.zoomPan, unzoomed) << zoom;
    }
}

TEST_F(ViewContextTest, CaptureModeIgnoresZoomAndPan) {
    ViewContext context;
    context.Layout(1000, 500, 1000, 1000, ViewContext::Capture, true);
    context.SetZoomPan(3, 1, 1);
    ExpectPoint(Place(context, 0, 0), 0, 0);
    ExpectPoint(Place(context, 1000, 500), 1000, 1000);
    D3DXMATRIX geometry;
    D3DXMatrixTranslation(&geometry, 10, 20, 0);
    D3DXMATRIX viewProjection = context.GetViewProjection();
    D3DXMATRIX expected = geometry * viewProjection;
    D3DXMATRIX actual = context.GetWorldViewProjection(geometry);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR((&actual._11)[i], (&expected._11)[i], 1e-6f);
}

TEST_F(ViewContextTest, AnEmptyPictureTakesTheWholeTarget) {
    const UINT sizes[][2] = {{0, 0}, {0, 500}, {500, 0}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1]);
        ViewContext context;
        context.Layout(size[0], size[1], 1024, 768, ViewContext::Fill, true);
        context.SetZoomPan(1.5f, 0.5f, 0.5f);
        EXPECT_EQ(context.fitted.left, 0);
        EXPECT_EQ(context.fitted.top, 0);
        EXPECT_EQ(context.fitted.right, 1024);
        EXPECT_EQ(context.fitted.bottom, 768);
        D3DXMATRIX identity;
        D3DXMatrixIdentity(&identity);
        EXPECT_EQ(context.base, identity);
        const D3DXMATRIX wvp = context.GetWorldViewProjection(identity);
        for (int i = 0; i < 16; ++i) EXPECT_TRUE(std::isfinite((&wvp._11)[i]));
        context.SetPlacement(1, 1, ScreenQuad{});
        EXPECT_GE(context.Placement().pictureWidth, 1);
        EXPECT_GE(context.Placement().pictureHeight, 1);
    }
}

TEST_F(ViewContextTest, AspectFitOfASquareIntoAWideTarget) {
    ScreenQuad quad;
    quad.MakeAspectFit(300, 300, 1600, 900);
    EXPECT_FLOAT_EQ(quad.Left(), 350);
    EXPECT_FLOAT_EQ(quad.Right() - quad.Left(), 900);
    EXPECT_FLOAT_EQ(quad.Top(), 0);
    EXPECT_FLOAT_EQ(quad.Bottom(), 900);
}

TEST_F(ViewContextTest, EachUnitPublishesItsOwnPlacement) {
    ViewContext first, second;
    first.Layout(800, 600, 1024, 768, ViewContext::Fit, true);
    first.SetPlacement(1, 1, ScreenQuad{});
    second.Layout(1920, 1080, 1024, 768, ViewContext::Fit, true);
    second.SetPlacement(2, 2, ScreenQuad{});

    MakeRenderContextCurrent(&first);
    EXPECT_EQ(g_currentRenderContext, &first);
    EXPECT_EQ(g_picturePlacement->pictureWidth, 800);
    MakeRenderContextCurrent(&second);
    EXPECT_EQ(g_picturePlacement->pictureWidth, 1920);
    EXPECT_FLOAT_EQ(g_picturePlacement->scaleX, 2);
    MakeRenderContextCurrent(nullptr);
    EXPECT_EQ(g_picturePlacement->pictureWidth, 0);
}

TEST_F(ViewContextTest, GridIndicesTwoTrianglesPerCell) {
    IndexBufferHolder indices;
    CreateGridIndexBuffer(3, 2, indices);
    ASSERT_TRUE(indices);
    D3DINDEXBUFFER_DESC desc{};
    indices->GetDesc(&desc);
    void* locked = nullptr;
    ASSERT_EQ(indices->Lock(0, 0, &locked, D3DLOCK_READONLY), D3D_OK);
    const WORD* begin = static_cast<const WORD*>(locked);
    const std::vector<WORD> actual(begin, begin + desc.Size / 2);
    indices->Unlock();
    EXPECT_EQ(actual, (std::vector<WORD>{0, 1, 3, 3, 1, 4, 1, 2, 4, 4, 2, 5}));
}

}  // namespace
}  // namespace render_test

namespace render_test {
namespace {

TEST(GridTest, GridVerticesInterpolateEveryComponentOfTheQuad) {
    ScreenQuad quad;
    const float x[4] = {0, 0, 8, 8}, y[4] = {4, 0, 4, 0};
    for (int i = 0; i < 4; ++i) {
        quad.corners[i].x = x[i];
        quad.corners[i].y = y[i];
    }
    // Two rows of points along corners 0-1, three columns towards 2-3.
    DX_V::PT grid[3 * 2] = {};
    FillGridFromQuad(quad, 1, 2, grid);
    const DX_V::PT expected[6] = {{0, 4, 1, 0, 1}, {0, 0, 1, 0, 0}, {4, 4, 1, 0.5f, 1},
                                  {4, 0, 1, 0.5f, 0}, {8, 4, 1, 1, 1}, {8, 0, 1, 1, 0}};
    for (int k = 0; k < 6; ++k) {
        EXPECT_FLOAT_EQ(grid[k].x, expected[k].x) << k;
        EXPECT_FLOAT_EQ(grid[k].y, expected[k].y) << k;
        EXPECT_FLOAT_EQ(grid[k].z, expected[k].z) << k;
        EXPECT_FLOAT_EQ(grid[k].u, expected[k].u) << k;
        EXPECT_FLOAT_EQ(grid[k].v, expected[k].v) << k;
    }
}

}  // namespace
}  // namespace render_test
