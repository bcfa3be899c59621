// The falling-glyph layer: the grid's steps, its record, the luminance map
// and the batch it draws.
#include <cmath>
#include <vector>

#include "effects/lights/light_fixture.h"
#include "effects/lights/light_records.h"
#include "effects/lights/matrix_code_light.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"
#include "scene/model/crt_random.h"

#include <gtest/gtest.h>

namespace lights_test {
namespace {

GlyphConfig Config(int cellSize, int columnStyle = 0)
{
    GlyphConfig config;
    config.cellSize = cellSize;
    config.columnStyle = columnStyle;
    config.sparkleCount = 1;
    config.glyphCount = 5;
    return config;
}

TEST(GlyphGridTest, CellsCoverThePictureWithOneToSpare)
{
    struct Case {
        int cellSize, width, height, cols, rows;
    };
    for (const Case& c : {Case{16, 1024, 768, 65, 49}, Case{0, 3, 2, 4, 3}, Case{16, 0, 0, 1, 1}}) {
        const auto grid = GlyphGrid::Create(Config(c.cellSize), c.width, c.height);
        EXPECT_EQ(grid->cols, c.cols) << c.cellSize << " " << c.width;
        EXPECT_EQ(grid->rows, c.rows) << c.cellSize << " " << c.width;
        EXPECT_EQ(grid->cells.size(), static_cast<size_t>(c.cols * c.rows));
    }
}

TEST(GlyphGridTest, SpawnChanceFallsWithDensity)
{
    const std::pair<int, int> densityAndChance[] = {{0, 85},  {9, 85},  {10, 60}, {19, 45}, {20, 25}, {29, 20},
                                                    {34, 15}, {44, 10}, {49, 8},  {54, 7},  {64, 5},  {65, 3},
                                                    {79, 3},  {89, 2},  {90, 1},  {100, 1}};
    for (const auto& [density, chance] : densityAndChance)
        EXPECT_EQ(SpawnChance(density), chance) << density;
}

TEST(GlyphGridTest, APushMovesTheColumnDownAndFadesATrainsHead)
{
    const auto grid = GlyphGrid::Create(Config(1), 0, 3);  // one column, four rows
    grid->PutGlyph(-1, 3, 0);
    grid->PutGlyph(-1, 4, 0);
    EXPECT_EQ(GlyphGrid::Glyph(grid->Cell(0, 0)), 4);
    EXPECT_EQ(GlyphGrid::Glyph(grid->Cell(1, 0)), 3);
    EXPECT_EQ(GlyphGrid::Glow(grid->Cell(0, 0)), 0);
    // The train's end moves down with a blank behind it; the next push
    // leaves the head where it is, fading.
    grid->PutGlyph(-1, 0, 0);
    EXPECT_EQ(GlyphGrid::Glyph(grid->Cell(0, 0)), 0);
    EXPECT_EQ(GlyphGrid::Glyph(grid->Cell(1, 0)), 4);
    grid->PutGlyph(-1, 0, 0);
    EXPECT_EQ(GlyphGrid::Glyph(grid->Cell(1, 0)), 4);
    EXPECT_EQ(GlyphGrid::Glow(grid->Cell(1, 0)), -1);
    EXPECT_EQ(GlyphGrid::Glyph(grid->Cell(2, 0)), 4);
    EXPECT_EQ(GlyphGrid::Glyph(grid->Cell(3, 0)), 3);
    // Writes below the grid change nothing; row writes glow one or two steps.
    const auto before = grid->cells;
    grid->PutGlyph(4, 2, 0);
    EXPECT_EQ(grid->cells, before);
    grid->PutGlyph(3, 2, 0);
    EXPECT_EQ(GlyphGrid::Glyph(grid->Cell(3, 0)), 2);
    EXPECT_GE(GlyphGrid::Glow(grid->Cell(3, 0)), 1);
    EXPECT_LE(GlyphGrid::Glow(grid->Cell(3, 0)), 2);
}

// A train in row mode writes its glyphs down from its row, one a step once
// its delay is over; blank-only steps write blanks instead.
TEST(GlyphGridTest, ATrainWritesItsGlyphsDownTheColumn)
{
    kv_srand(11);
    for (bool blankOnly : {false, true}) {
        const auto grid = GlyphGrid::Create(Config(1), 0, 5);  // one column, six rows
        grid->columns[0] = {3, 2, 1};
        for (int step = 0; step < 100 && grid->columns[0].row < 4; ++step)
            grid->StepColumns(blankOnly);
        ASSERT_EQ(grid->columns[0].row, 4);
        EXPECT_EQ(grid->columns[0].remaining, 0);
        EXPECT_EQ(GlyphGrid::Glyph(grid->Cell(0, 0)), 0);
        for (int row = 1; row <= 3; ++row) {
            const int glyph = GlyphGrid::Glyph(grid->Cell(row, 0));
            if (blankOnly) {
                EXPECT_EQ(glyph, 0) << row;
            } else {
                EXPECT_GE(glyph, 1) << row;
                EXPECT_LE(glyph, 5) << row;
            }
        }
        EXPECT_EQ(GlyphGrid::Glyph(grid->Cell(4, 0)), 0);
    }
}

// A pushing train moves its column down a row each step: its glyphs stay
// together down to the bottom, and its row stays -1. Each step is followed
// by the walk, which erases the copy the train's end leaves fading.
TEST(GlyphGridTest, APushedColumnMovesDownAsATrain)
{
    kv_srand(11);
    GlyphConfig config = Config(1);
    config.glyphCount = 1;
    const auto grid = GlyphGrid::Create(config, 0, 7);  // one column, eight rows
    grid->columns[0] = {3, 0, -1};
    for (int step = 0; step < 200 && GlyphGrid::Glyph(grid->Cell(7, 0)) == 0; ++step) {
        grid->StepColumns(false);
        GlyphCursor cursor;
        GlyphQuad quad;
        while (grid->NextVisibleCell(cursor, quad)) {
        }
    }
    EXPECT_EQ(grid->columns[0].row, -1);
    std::vector<int> glyphs;
    for (int row = 0; row < 8; ++row)
        glyphs.push_back(GlyphGrid::Glyph(grid->Cell(row, 0)));
    EXPECT_EQ(glyphs, (std::vector<int>{0, 0, 0, 0, 0, 1, 1, 1}));
}

TEST(GlyphGridTest, TheWalkDescribesVisibleCellsAndAgesThem)
{
    const auto grid = GlyphGrid::Create(Config(1), 2, 1);  // three columns, two rows
    grid->halfWidth = 4;
    grid->halfHeight = 3;
    grid->left = 10;
    grid->top = 20;
    uint32_t& bright = grid->Cell(0, 1);
    bright = 2 | GlyphGrid::kDirty;
    GlyphGrid::SetGlow(bright, 2);
    uint32_t& fading = grid->Cell(1, 2);
    fading = 5 | GlyphGrid::kDirty;
    GlyphGrid::SetGlow(fading, -1);

    GlyphCursor cursor;
    GlyphQuad quad;
    ASSERT_TRUE(grid->NextVisibleCell(cursor, quad));
    EXPECT_FLOAT_EQ(quad.centreX, 10 + 4 + 8);
    EXPECT_FLOAT_EQ(quad.centreY, 20 + 3);
    EXPECT_FLOAT_EQ(quad.topV, 0.2f);
    EXPECT_FLOAT_EQ(quad.bottomV, 0.4f);
    EXPECT_EQ(quad.brightness, 2);
    EXPECT_EQ(GlyphGrid::Glow(bright), 1);
    ASSERT_TRUE(grid->NextVisibleCell(cursor, quad));
    EXPECT_EQ(quad.brightness, 0);
    EXPECT_FLOAT_EQ(quad.centreY, 20 + 3 + 6);
    // A fading glyph is gone after its last step.
    EXPECT_EQ(GlyphGrid::Glyph(fading), 0);
    EXPECT_FALSE(grid->NextVisibleCell(cursor, quad));
    EXPECT_FALSE(quad.visible);
    EXPECT_EQ(cursor.visible, 2);
}

TEST(GlyphGridTest, DensityHundredStartsATrainInEveryIdleColumn)
{
    kv_srand(7);
    GlyphConfig config = Config(16, 1);
    config.density = 100;
    const auto grid = GlyphGrid::Create(config, 160, 160);
    grid->spawnDensity = 100;
    grid->Spawn();
    for (const GlyphColumn& column : grid->columns) {
        EXPECT_GE(column.delay, 0);
        EXPECT_LT(column.delay, 9);
        // Style 1 starts every train on a row of the upper half.
        EXPECT_GE(column.row, 0);
        EXPECT_LT(column.row, grid->rows / 2);
    }
}

// One cell high or wide: the row and glint moduli are 0 and their draws
// are skipped.
TEST(GlyphGridTest, AGridOneCellHighOrWideSpawnsWithoutDividingByZero)
{
    for (const auto& [width, height] : {std::pair{0, 100}, {100, 0}, {0, 0}}) {
        GlyphConfig config = Config(16, 2);
        config.glints = 1;
        config.density = 100;
        const auto grid = GlyphGrid::Create(config, width, height);
        for (int step = 0; step < 50; ++step) {
            grid->Spawn();
            grid->StepColumns(false);
        }
        for (const GlyphColumn& column : grid->columns)
            EXPECT_LT(column.row, std::max(grid->rows, 1) + 60);
    }
}

Bytes GlyphFields(DWORD version)
{
    return Join({Frame(u"KV_MatrixCodeLight", version), Le32(8), Le32(70), Le32(5), LeInt(1), LeInt(1), LeInt(0),
                 Le32(0x00FF00), Le32(0xFFFFFF), Le32(40)});
}

TEST(GlyphRecordTest, VersionOneHasNoLinkAndVersionTwoReadsItBack)
{
    const auto first = ReadLight<KV_MatrixCodeLight>(Join({GlyphFields(1), PlainLightPart()}));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->cellSize.Value(), 8u);
    EXPECT_EQ(first->density.Value(), 70u);
    EXPECT_EQ(first->sparkleCount.Value(), 5u);
    EXPECT_EQ(first->glints.Value(), 1);
    EXPECT_EQ(first->backgroundMode.Value(), 1);
    EXPECT_EQ(first->columnStyle.Value(), 0);
    EXPECT_EQ(first->glyphColour.Value(), 0x00FF00u);
    EXPECT_EQ(first->highlightColour.Value(), 0xFFFFFFu);
    EXPECT_FLOAT_EQ(first->glyphTransparency.Result(), 0.6f);
    EXPECT_EQ(first->glyphImage.Key(), (ResourceKey{L"common_res.dll", 40}));

    const Bytes second = Join({GlyphFields(2), Link(u"glyphs.png", 9), Writing(KV_2D_Light())});
    const auto read = ReadLight<KV_MatrixCodeLight>(second);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->glyphImage.Key(), (ResourceKey{L"glyphs.png", 9}));
    EXPECT_EQ(Writing(*read), second);
}

class GlyphLightTest : public LightDeviceTest<KV_MatrixCodeLight> {
protected:
    void PictureChanged() override
    {
        light->Resize(64, 64);
        light->BuildLuminanceMap();
        light->RebuildGrid();
        light->ResizeBatch();
    }
};

TEST_F(GlyphLightTest, APictureAtCellSizeSixteenGetsOneQuadPerCellInOneChunk)
{
    Show(1024, 768, std::vector<D3DCOLOR>(1024 * 768, 0xFF808080));
    EXPECT_EQ(light->batch.count, 3185);
    EXPECT_EQ(light->batch.chunks.size(), 1u);
    EXPECT_EQ(light->grid->cols * light->grid->rows, 3185);
    // No strip: two glyph numbers, nothing divided by a zero width.
    EXPECT_EQ(light->config.glyphCount, 2);
}

TEST_F(GlyphLightTest, CellsTooSmallForThePictureGrowUntilTheGridFits)
{
    light->cellSize.Value() = 0;
    Show(2048, 2048, std::vector<D3DCOLOR>(2048 * 2048, 0xFF808080));
    EXPECT_EQ(light->config.cellSize, 5);
    EXPECT_LE(light->batch.count, KV_MatrixCodeLight::kMaxCells);
    EXPECT_EQ(light->batch.count, light->grid->cols * light->grid->rows);
}

TEST_F(GlyphLightTest, TheLuminanceMapWeighsTheCopiedPictureAndNeedsOne)
{
    light->backgroundMode.Value() = 1;
    std::vector<D3DCOLOR> texels(64 * 64, 0xFFFFFFFF);
    for (UINT i = 0; i < 32 * 64; ++i)
        texels[i] = 0xFF00FF00;  // the upper half green
    Show(64, 64, texels);
    ASSERT_EQ(light->luminance.size(), 256u * 256u);
    EXPECT_NEAR(light->luminance[10 * 256 + 100], 0.587f, 0.01f);
    EXPECT_NEAR(light->luminance[250 * 256 + 100], 1.0f, 0.01f);

    Renew();
    light->backgroundMode.Value() = 1;
    Show(0, 0, {});
    EXPECT_TRUE(light->luminance.empty());
}

class GlyphPixelsTest : public GlyphLightTest {
protected:
    // Red glyphs of cellSize picture pixels from a white strip of one glyph,
    // the columns held still.
    void ShowStill(UINT w, UINT h, const std::vector<D3DCOLOR>& texels, int backgroundMode, unsigned cellSizeValue,
                   int position = ViewContext::Fit)
    {
        light->backgroundMode.Value() = backgroundMode;
        light->glyphColour.Value() = 0x0000FF;
        light->cellSize.Value() = cellSizeValue;
        light->density.Value() = 1;
        Show(w, h, texels);
        light->SetPicturePosition(position);
        light->batch.SetTexture(MakeTexture(4, 4, std::vector<D3DCOLOR>(16, 0xFFFFFFFF)));
        light->grid->glyphCount = 1;
        light->grid->respawnBusy = 0;
        for (GlyphColumn& column : light->grid->columns)
            column.delay = 100;
    }
    // One frame of the layer over black.
    void DrawOverBlack()
    {
        ASSERT_EQ(device()->BeginScene(), D3D_OK);
        device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        light->RenderBackground(0);
        device()->EndScene();
    }
};

TEST_F(GlyphPixelsTest, AGlyphDrawsInItsColourOverWhatWasThere)
{
    ShowStill(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF0000FF), 2, 16);
    const int last = light->grid->rows - 1;
    light->grid->Cell(last - 1, 1) = 1;
    DrawOverBlack();
    // Cell (row 3, column 1) spans x 16..32, y 48..64.
    EXPECT_EQ(Pixel(24, 56), 0xFF0000u);
    EXPECT_EQ(Pixel(8, 56), 0x000000u);
    EXPECT_EQ(Pixel(24, 40), 0x000000u);
}

// Over black, a glyph is as bright as the picture where its cell lies.
TEST_F(GlyphPixelsTest, InBackgroundModeOneTheGlyphsTakeThePicturesBrightness)
{
    std::vector<D3DCOLOR> texels(64 * 64, 0xFFFFFFFF);
    for (UINT i = 0; i < texels.size(); ++i)
        if (i % 64 < 32)
            texels[i] = 0xFF808080;  // the left half grey
    ShowStill(64, 64, texels, 1, 16);
    light->grid->Cell(3, 1) = 1;
    light->grid->Cell(3, 3) = 1;
    DrawOverBlack();
    // Row 3 spans y 48..64; column 1 x 16..32 over grey, column 3 x 48..64 over white.
    EXPECT_TRUE(d3d9_test::ColoursNear(Pixel(24, 56), 0x800000, 3)) << std::hex << Pixel(24, 56);
    EXPECT_EQ(Pixel(56, 56), 0xFF0000u);
    EXPECT_EQ(Pixel(40, 56), 0x000000u);
}

// Pictures a hundred times wider than high and the other way round,
// stretched over the screen: cells of 1600 picture pixels are a quarter of
// the screen along the long side and cover it along the short one.
TEST_F(GlyphPixelsTest, CellsOfFarFromSquarePicturesLieWhereThePictureIsStretched)
{
    const struct {
        UINT w, h;
        int row, column;
        UINT x, y, outsideX, outsideY;
    } cases[] = {{6400, 64, 0, 1, 24, 32, 8, 32}, {64, 6400, 1, 0, 32, 24, 32, 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        Renew();
        ShowStill(c.w, c.h, std::vector<D3DCOLOR>(c.w * c.h, 0xFF0000FF), 2, 1600, ViewContext::Stretch);
        light->grid->Cell(c.row, c.column) = 1;
        DrawOverBlack();
        EXPECT_EQ(Pixel(c.x, c.y), 0xFF0000u);
        EXPECT_EQ(Pixel(c.outsideX, c.outsideY), 0x000000u);
    }
}

} // namespace
} // namespace lights_test
