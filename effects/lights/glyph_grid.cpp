#include "effects/lights/glyph_grid.h"

#include <algorithm>

#include "scene/model/crt_random.h"

namespace {

void Refresh(uint32_t& cell, int glyphCount)
{
    if (!(cell & GlyphGrid::kDirty))
        return;
    cell &= ~GlyphGrid::kDirty;
    const int glow = GlyphGrid::Glow(cell);
    if (glow > 0) {
        GlyphGrid::SetGlow(cell, glow - 1);
        cell |= GlyphGrid::kDirty;
    } else if (glow < 0) {
        GlyphGrid::SetGlow(cell, glow + 1);
        if (glow == -1)
            cell &= ~GlyphGrid::kGlyphMask;
        cell |= GlyphGrid::kDirty;
    }
    if ((cell & GlyphGrid::kSparkle) && GlyphGrid::Glyph(cell) != 0) {
        cell = (cell & ~GlyphGrid::kGlyphMask) | static_cast<uint32_t>(kv_rand() % glyphCount);
        cell |= GlyphGrid::kDirty;
    }
}

} // namespace

std::unique_ptr<GlyphGrid> GlyphGrid::Create(const GlyphConfig& config, int pictureWidth, int pictureHeight)
{
    auto grid = std::make_unique<GlyphGrid>();
    const int cellSize = std::max(config.cellSize, 1);
    grid->pictureWidth = pictureWidth;
    grid->pictureHeight = pictureHeight;
    grid->columnStyle = config.columnStyle;
    grid->density = grid->spawnDensity = config.density;
    grid->sparkleCount = config.sparkleCount;
    grid->glints = config.glints != 0;
    grid->cols = std::max(pictureWidth, 0) / cellSize + 1;
    grid->rows = std::max(pictureHeight, 0) / cellSize + 1;
    grid->cellWidth = grid->cellHeight = cellSize;
    grid->cells.assign(static_cast<size_t>(grid->cols) * grid->rows, 0);
    grid->columns.assign(static_cast<size_t>(grid->cols), GlyphColumn{});
    grid->mixedStart = config.columnStyle != 1;
    grid->rowStart = config.columnStyle != 0;
    grid->glyphCount = std::max(config.glyphCount, 1);
    grid->ResetSparkles();
    return grid;
}

void GlyphGrid::ResetSparkles()
{
    for (uint32_t& cell : cells)
        cell &= ~kSparkle;
    for (int i = 0; i < sparkleCount - 1; ++i) {
        const int column = kv_rand() % cols;
        Cell(kv_rand() % rows, column) |= kSparkle;
    }
}

void GlyphGrid::PutGlyph(int row, int glyph, int column)
{
    if (row >= rows)
        return;
    const bool push = row < 0;
    if (push) {
        for (int k = rows - 1; k >= 1; --k) {
            uint32_t& cell = Cell(k, column);
            const uint32_t above = Cell(k - 1, column);
            if (fadeAtHead && Glyph(cell) != 0 && Glyph(above) == 0)
                SetGlow(cell, -1);
            else
                cell = (cell & ~0xFFFFu) | (above & 0xFFFFu);
            cell |= kDirty;
        }
    }
    uint32_t& target = Cell(push ? 0 : row, column);
    target = (target & ~kGlyphMask) | static_cast<uint32_t>(glyph & 0xFF) | kDirty;
    if (glyph != 0)
        SetGlow(target, push ? 0 : kv_rand() % 2 + 1);
}

void GlyphGrid::StepColumns(bool blankOnly)
{
    for (int c = 0; c < cols; ++c) {
        GlyphColumn& column = columns[static_cast<size_t>(c)];
        if (column.delay > 0) {
            --column.delay;
            continue;
        }
        if (column.remaining > 0) {
            PutGlyph(column.row, blankOnly ? 0 : kv_rand() % glyphCount + 1, c);
            --column.remaining;
        } else {
            PutGlyph(column.row, 0, c);
        }
        if (column.row >= 0)
            ++column.row;
    }
    for (GlyphColumn& column : columns) {
        if (kv_rand() % 10 == 0)
            column.delay = kv_rand() % 5 + kv_rand() % 5;
    }
}

int SpawnChance(int density)
{
    struct Step {
        int below;
        int chance;
    };
    static constexpr Step kSteps[] = {{10, 85}, {15, 60}, {20, 45}, {25, 25}, {30, 20}, {35, 15},
                                      {45, 10}, {50, 8},  {55, 7},  {65, 5},  {80, 3},  {90, 2}};
    for (const Step& step : kSteps) {
        if (density < step.below)
            return step.chance;
    }
    return 1;
}

// A modulus that comes to 0 (a grid one cell wide or high) skips its draw.
void GlyphGrid::Spawn()
{
    const int glintModulus = (cols / 2) * glintScale;
    if (glints && glintModulus > 0) {
        const int n = (kv_rand() % glintModulus) / 10 - 1;
        for (int i = 0; i < n; ++i) {
            const int column = kv_rand() % cols;
            uint32_t& cell = Cell(kv_rand() % rows, column);
            if (Glyph(cell) != 0 && Glow(cell) == 0) {
                SetGlow(cell, kv_rand() % 20);
                cell |= kDirty;
            }
        }
    }
    const int chance = SpawnChance(spawnDensity);
    for (GlyphColumn& column : columns) {
        if (column.remaining > 0 && !respawnBusy)
            continue;
        if (kv_rand() % chance != 0)
            continue;
        column.remaining = kv_rand() % rows + 3;
        column.delay = kv_rand() % 5 + kv_rand() % 5;
        if (kv_rand() % 4 != 0)
            column.remaining = 0;
        const bool fromRow = mixedStart && rowStart ? (kv_rand() & 1) != 0 : rowStart;
        column.row = fromRow && rows / 2 > 0 ? kv_rand() % (rows / 2) : -1;
    }
    if (kv_rand() % 500 == 0)
        ResetSparkles();
}

bool GlyphGrid::NextVisibleCell(GlyphCursor& cursor, GlyphQuad& quad)
{
    while (cursor.row < rows) {
        const int row = cursor.row, column = cursor.column;
        if (++cursor.column >= cols) {
            cursor.column = 0;
            ++cursor.row;
        }
        uint32_t& cell = Cell(row, column);
        const int glyph = Glyph(cell);
        const bool visible = glyph != 0;
        if (visible) {
            ++cursor.visible;
            const int glow = Glow(cell);
            quad.visible = true;
            quad.row = row;
            quad.column = column;
            quad.centreX = left + halfWidth + static_cast<float>(column) * 2.0f * halfWidth;
            quad.centreY = top + halfHeight + static_cast<float>(row) * 2.0f * halfHeight;
            quad.topV = static_cast<float>(glyph - 1) / static_cast<float>(glyphCount);
            quad.bottomV = static_cast<float>(glyph) / static_cast<float>(glyphCount);
            quad.brightness = glow > 0 || (cell & kSparkle) ? 2 : glow == 0 ? 1 : 0;
        }
        Refresh(cell, glyphCount);
        if (visible)
            return true;
    }
    quad.visible = false;
    return false;
}
