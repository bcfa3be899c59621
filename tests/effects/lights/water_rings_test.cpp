// The water-ring layer: the ripple grid's sizes, strip, drops and numbers,
// its record, what it draws lit and unlit, and the picture through the
// water, also across a reset.
#include <cmath>
#include <numeric>
#include <vector>

#include "effects/lights/light_fixture.h"
#include "effects/lights/light_records.h"
#include "effects/lights/water_ring_light.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"
#include "scene/model/crt_random.h"
#include "scene/render/kv_indexed_mesh.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/slideshow/kv_slideshow_light.h"

#include <gtest/gtest.h>

namespace lights_test {
namespace {

using d3d9_test::ColoursNear;

TEST(RippleGridTest, TheSurfaceSetsTheCellsWithinSixteenBitIndices)
{
    struct Case {
        float width, height, rowFactor, columnFactor;
        UINT cols, rows;
    };
    for (const Case& c : {Case{40, 30, 1, 1, 128, 96}, Case{40, 30, 2, 2, 170, 384}, Case{30, 30, 1, 1, 128, 128},
                          Case{3000, 30, 1, 1, 128, 4}, Case{0.25f, 30, 1, 1, 4, 15360}, Case{30, 30, 0, 0, 4, 4}}) {
        RippleGrid grid;
        grid.Resize(c.width, c.height, c.rowFactor, c.columnFactor);
        EXPECT_EQ(grid.cols, c.cols) << c.width << " " << c.columnFactor;
        EXPECT_EQ(grid.rows, c.rows) << c.width << " " << c.columnFactor;
        EXPECT_EQ(grid.vertexCount, c.cols * c.rows);
        EXPECT_EQ(grid.indexCount, 2 * c.cols * c.rows);
        EXPECT_EQ(grid.cells.size(), static_cast<size_t>(c.cols * c.rows));
    }
}

TEST(RippleGridTest, TheStripSpiralsInwardAndStaysWithinTheVertices)
{
    std::vector<WORD> strip(32);
    FillSpiralStrip(4, 4, 32, strip.data());
    EXPECT_EQ(strip, (std::vector<WORD>{0,  4, 1,  5, 2,  6,  3,  7, 7,  6, 11, 10, 15, 14, 14, 10,
                                        13, 9, 12, 8, 8,  9,  4,  5, 5,  9, 6,  10, 10, 9,  9,  5}));
    for (const auto& [cols, rows] : {std::pair{6u, 4u}, {4u, 8u}, {128u, 96u}, {170u, 384u}}) {
        std::vector<WORD> indices(2 * cols * rows, 0xFFFF);
        FillSpiralStrip(cols, rows, static_cast<UINT>(indices.size()), indices.data());
        EXPECT_LT(*std::max_element(indices.begin(), indices.end()), cols * rows) << cols << "x" << rows;
    }
}

TEST(RippleGridTest, DampingRisesInTwoSlopesAroundFifty)
{
    const std::pair<unsigned, float> valueAndDamping[] = {{0, 0.9f}, {49, 0.9882f}, {50, 0.99f}, {100, 0.999f}};
    for (const auto& [value, damping] : valueAndDamping)
        EXPECT_NEAR(RippleDamping(value), damping, 1e-6f) << value;
}

TEST(RippleGridTest, TheRefractionTableDarkensTowardGrazingRays)
{
    RippleGrid grid;
    grid.BuildRefractionTable();
    const RefractionEntry* table = grid.refraction;
    ASSERT_NE(table, nullptr);
    const float q = 1.0f / 1.333f;
    EXPECT_NEAR(table[0].normalCoefficient, 1.333f * std::sqrt(1.0f - q * q), 1e-5f);
    EXPECT_NEAR(table[0].incidentCoefficient, -1.0f / 1.333f, 1e-6f);
    EXPECT_EQ(table[0].colour, 0xFD000000u);
    EXPECT_EQ(table[128].colour, 0x1F000000u);
    EXPECT_EQ(table[255].colour, 0u);
    RippleGrid other;
    other.BuildRefractionTable();
    EXPECT_EQ(other.refraction, table);
}

TEST(RippleGridTest, ADropPushesDownItsCellAndEightNeighbours)
{
    RippleGrid grid;
    grid.Resize(30, 30, 0, 0);
    grid.dropStrength = 0.8f;
    kv_srand(3);
    grid.AddDrop();
    float sum = 0, least = 0;
    for (const RippleCell& cell : grid.cells) {
        sum += cell.velocity;
        least = std::min(least, cell.velocity);
    }
    EXPECT_NEAR(sum, -0.8f, 1e-6f);
    EXPECT_FLOAT_EQ(least, -0.2f);
    EXPECT_EQ(std::count_if(grid.cells.begin(), grid.cells.end(), [](const RippleCell& c) { return c.velocity != 0; }),
              9);
}

// Each pass takes the mean height back out: the surface keeps its level
// while rings spread, where the drops' pushes would otherwise sink it.
TEST(RippleGridTest, TheSurfaceKeepsItsLevelWhileRingsSpread)
{
    RippleGrid grid;
    grid.Resize(30, 30, 0.25f, 0.25f);
    kv_srand(2);
    for (int frame = 0; frame < 40; ++frame) {
        if (frame % 10 == 0)
            grid.AddDrop();
        grid.Simulate();
    }
    double sum = 0.0, largest = 0.0;
    for (const RippleCell& cell : grid.cells) {
        sum += cell.height;
        largest = std::max(largest, std::fabs(static_cast<double>(cell.height)));
    }
    EXPECT_GT(largest, 0.01);
    EXPECT_NEAR(sum / grid.cellCount, 0.0, 1e-5);
}

// The table is read at its ends for rays along the surface or from below
// it, and for the eye straight above.
TEST(RippleGridTest, GrazingAndUnderneathEyesReadTheTableAtItsEnds)
{
    RippleGrid grid;
    grid.BuildRefractionTable();
    grid.Resize(30, 30, 0.1f, 0.1f);
    const struct {
        const char* name;
        D3DXVECTOR3 eye;
        int entry;
    } cases[] = {{"grazing from below", {0, -20, 1000}, 0}, {"underneath", {0, -120, 0}, 0}, {"above", {0, 5000, 0}, 255}};
    std::vector<RippleVertex> vertices(grid.vertexCount);
    for (const auto& c : cases) {
        grid.FillVertices(c.eye, vertices.data());
        EXPECT_TRUE(std::all_of(vertices.begin(), vertices.end(), [&](const RippleVertex& v) {
            return v.diffuse == grid.refraction[c.entry].colour && std::isfinite(v.u) && std::isfinite(v.v);
        })) << c.name;
    }
}

// A surface more than about 2.2 times as wide as high has corners outside
// the refraction sphere.
TEST(RippleGridTest, WideSurfacesAndRipplesGiveFiniteVertices)
{
    RippleGrid grid;
    grid.BuildRefractionTable();
    grid.Resize(90, 30, 0.1f, 0.1f);
    kv_srand(1);
    for (int i = 0; i < 3; ++i)
        grid.AddDrop();
    grid.Simulate();
    std::vector<RippleVertex> vertices(grid.vertexCount);
    grid.FillVertices(D3DXVECTOR3(0, 120, 0), vertices.data());
    for (const RippleVertex& v : vertices) {
        ASSERT_TRUE(std::isfinite(v.u) && std::isfinite(v.v) && std::isfinite(v.y) && std::isfinite(v.nx));
    }
}

Bytes RingFields()
{
    return Join({Le32(10), Le32(20), Le32(30), Le32(40), Le32(49), Le32(60), Le32(120), Le32(50), Le32(25)});
}

TEST(WaterRingRecordTest, VersionOneHasOnlyTheSceneSwitchAndVersionTwoReadsBack)
{
    const auto first = ReadLight<KV_WaterRingLight>(Join({Frame(u"KV_WaterRingLight", 1), LeInt(1), PlainLightPart()}));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->refractScene.Value(), 1);
    EXPECT_EQ(first->dropSize.Value(), 50u);
    EXPECT_FLOAT_EQ(first->dropsPerSecond.Result(), 0.5f);
    EXPECT_FLOAT_EQ(first->specularPower.Result(), 40.0f);
    EXPECT_TRUE(first->NeedsSceneTexture());

    const Bytes second = Join({Frame(u"KV_WaterRingLight", 2), RingFields(), LeInt(0), Writing(KV_2D_Light())});
    const auto read = ReadLight<KV_WaterRingLight>(second);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->waveRate.Value(), 10u);
    EXPECT_EQ(read->rowDensity.Value(), 20u);
    EXPECT_EQ(read->columnDensity.Value(), 30u);
    EXPECT_EQ(read->dropSize.Value(), 40u);
    EXPECT_EQ(read->waveDamping.Value(), 49u);
    EXPECT_EQ(read->refractionDepth.Value(), 60u);
    EXPECT_FLOAT_EQ(read->dropsPerSecond.Result(), 2.0f);
    EXPECT_FLOAT_EQ(read->specularLevel.Result(), 0.5f);
    EXPECT_FLOAT_EQ(read->specularPower.Result(), 20.0f);
    EXPECT_FALSE(read->NeedsSceneTexture());
    EXPECT_EQ(Writing(*read), second);
}

class WaterRingFixture : public LightDeviceTest<KV_WaterRingLight> {
protected:
    void SetUp() override
    {
        LightDeviceTest::SetUp();
        kv_srand(5);
    }
    void ExpectQuadrants()
    {
        const std::pair<UINT, D3DCOLOR> expected[] = {{0, 0xFF0000}, {1, 0x00FF00}, {2, 0x0000FF}, {3, 0xFFFFFF}};
        for (const auto& [quadrant, colour] : expected) {
            const UINT x = quadrant % 2 ? 44 : 12, y = quadrant / 2 ? 44 : 12;
            EXPECT_TRUE(ColoursNear(Pixel(x, y), colour, 24)) << quadrant;
        }
    }
};

class WaterRingTest : public WaterRingFixture, public testing::WithParamInterface<int> {};

TEST_P(WaterRingTest, ThePictureShowsThroughTheWaterInPlace)
{
    light->refractScene.Value() = GetParam();
    Show(64, 64, render_test::QuadrantTexels());
    DrawFrame(0.0f);
    ExpectQuadrants();
}

TEST_P(WaterRingTest, AResetDuringTheSlideKeepsDrawing)
{
    light->refractScene.Value() = GetParam();
    Show(64, 64, render_test::QuadrantTexels());
    DrawFrame(0.0f);
    light->InvalidateDeviceObjects();
    DrawFrame(0.03f);  // nothing to step or draw into
    D3DPRESENT_PARAMETERS parameters = presentation();
    ASSERT_EQ(device()->Reset(&parameters), D3D_OK);
    light->RestoreDeviceObjects();
    light->Resize(64, 64);
    DrawFrame(0.06f);
    ExpectQuadrants();
}

INSTANTIATE_TEST_SUITE_P(PictureAndScene, WaterRingTest, testing::Values(0, 1));

TEST_F(WaterRingFixture, ObjectsDrawUnlitOverTheLitSurface)
{
    Show(64, 64, render_test::QuadrantTexels());
    KV_IndexedMesh sprites;
    sprites.SetQuadCount(1);
    const auto draws = DrawsOf([&] {
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        light->RenderBackground(0);
        light->DrawSprites(sprites, nullptr, 2);
        device()->EndScene();
    });
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].fvf, RippleVertex::FVF);
    EXPECT_EQ(draws[0].stride, 36u);
    EXPECT_EQ(draws[0].primitiveCount, light->grid->indexCount - 2);
    EXPECT_TRUE(draws[0].lighting);
    EXPECT_EQ(draws[1].fvf, DX_V::PCT::FVF);
    EXPECT_FALSE(draws[1].lighting);
    DWORD lighting = FALSE;
    device()->GetRenderState(D3DRS_LIGHTING, &lighting);
    EXPECT_EQ(lighting, static_cast<DWORD>(TRUE));
}

// Pictures far from square, and none, draw with finite vertices.
TEST_F(WaterRingFixture, ExtremeAndMissingPicturesDrawWithoutFault)
{
    for (const auto& [w, h] : {std::pair{1u, 100u}, {100u, 1u}, {0u, 0u}}) {
        Renew();
        Show(w, h, std::vector<D3DCOLOR>(w * h, 0xFF808080));
        DrawFrame(0.0f);
        DrawFrame(3.0f);
        std::vector<RippleVertex> vertices(light->grid->vertexCount);
        light->grid->FillVertices(D3DXVECTOR3(0, 120, 0), vertices.data());
        EXPECT_TRUE(std::all_of(vertices.begin(), vertices.end(), [](const RippleVertex& v) {
            return std::isfinite(v.u) && std::isfinite(v.v) && std::isfinite(v.y);
        })) << w << "x" << h;
        light->InvalidateDeviceObjects();
    }
    // A broken aspect counts as square.
    for (float aspect : {0.0f, std::nanf(""), -1.0f}) {
        light->m_pictureQuad.picture.aspect = aspect;
        light->ResizeGrid();
        EXPECT_EQ(light->grid->cols, 128u) << aspect;
        EXPECT_EQ(light->grid->rows, 128u) << aspect;
    }
}

// An object that reads the scene and draws nothing: the layer puts the
// captured frame on the back buffer.
class SilentReader : public KV_ABObj {
public:
    SilentReader() : KV_ABObj(std::make_unique<Description>()) {}
    void Render(KV_ABRender&) override {}
    void Signal(int, int) override {}
    void UpdateLayout() override {}
    bool ReadsScene() const override { return true; }
    void Update(float) override {}

private:
    class Description : public KV_ABObj_Constructor {
    public:
        std::unique_ptr<KV_ABObj> CreateObject() const override { return nullptr; }
        void Write(KV_IOF_Virtual&) const override {}
    };
};

// The show as the host plays it in Fill: a wide picture, the water rings
// with a scene reader over them, another wide picture; each slide fades
// in, holds and fades out for a second.
class WaterRingsInAShowTest : public render_test::RenderTest {
protected:
    WaterRingsInAShowTest() : RenderTest(64, 64) {}
    void SetUp() override
    {
        RenderTest::SetUp();
        MakeRenderContextCurrent(&context);
        g_currentDocResManager = &manager;
    }
    void TearDown() override
    {
        show.InvalidateDeviceObjects();
        show.slides.clear();
        g_currentDocResManager = nullptr;
        MakeRenderContextCurrent(nullptr);
        g_renderTargetSizeStack.clear();
        RenderTest::TearDown();
    }

    template <class Layer>
    KV_SlideContainer& AddSlide(D3DCOLOR colour)
    {
        auto* layer = new Exposed<Layer>;
        auto* slide = new KV_SlideContainer;
        slide->fadeIn.Value() = slide->hold.Value() = slide->fadeOut.Value() = 1;
        slide->light = CountedRef<KV_2D_Light>(layer);
        show.slides.emplace_back(slide);
        slide->Build();
        layer->m_pictureQuad.SetPicture(TextureRecord(MakeTexture(4, 2, std::vector<D3DCOLOR>(8, colour)), 4, 2, 0.5f));
        return *slide;
    }

    ViewContext context;
    KV_DocResManager manager;
    KV_SlideShow_Light show;
};

// The capture of the rings lays the picture out in other positions while
// it lasts; the slides after it, and the whole next round, stay in Fill.
TEST_F(WaterRingsInAShowTest, ThePictureSlidesAroundItFillTheScreenInTheFirstAndSecondRound)
{
    constexpr D3DCOLOR kFirst = 0xFFC02020, kLast = 0xFF20C020;
    AddSlide<KV_2D_Light>(kFirst);
    AddSlide<KV_WaterRingLight>(0xFF2020C0).drawnObjects.emplace_back(new SilentReader);
    AddSlide<KV_2D_Light>(kLast);
    show.SetPicturePosition(ViewContext::Fill);

    const std::pair<UINT, UINT> edges[] = {{32, 1}, {32, 62}, {1, 32}, {62, 32}};
    int heldFrames[2][2] = {};  // [round][first or last picture]
    int entries = 0;
    const KV_SlideContainer* shown = nullptr;
    float enteredAt = -1;  // the first slide shows at once, as if it had faded in
    for (float t = 0; t < 18; t += 0.1f) {
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        show.FrameMove(t);
        show.Render(0);
        device()->EndScene();
        if (show.CurrentSlide() != shown) {
            shown = show.CurrentSlide();
            enteredAt = shown == show.slides.front().Get() && entries == 0 ? t - 1 : t;
            ++entries;
        }
        const bool held = t - enteredAt > 1.05f && t - enteredAt < 1.95f;
        const int round = (entries - 1) / 3;
        const bool first = shown == show.slides[0].Get(), last = shown == show.slides[2].Get();
        if (!held || round > 1 || !(first || last))
            continue;
        ++heldFrames[round][last ? 1 : 0];
        for (const auto& [x, y] : edges)
            EXPECT_EQ(Pixel(x, y), (last ? kLast : kFirst) & 0xFFFFFF)
                << "round " << round + 1 << (last ? ", last" : ", first") << " picture, " << x << "," << y;
    }
    for (const auto& round : heldFrames)
        for (int frames : round)
            EXPECT_GT(frames, 0);
}

} // namespace
} // namespace lights_test
