// The falling-glyph simulation: a grid of cells in which trains of glyphs
// run down the columns, glow, fade, glint and sparkle. Plain data with the
// steps the layer runs once per drawn frame.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

struct GlyphConfig {
    int cellSize = 16;
    int density = 20;
    int sparkleCount = 10;
    int glints = 0;
    int columnStyle = 0;
    int glyphCount = 1;
};

struct GlyphColumn {
    // Glyphs still to write; 0 or less writes blanks.
    int remaining = 0;
    int delay = 0;
    // Where the next write goes; -1 pushes the whole column down.
    int row = 0;
};

// Where the cursor of a frame's walk over the grid stands.
struct GlyphCursor {
    int row = 0;
    int column = 0;
    int previousVisible = 0;
    int visible = 0;
};

// One visible cell as the walk describes it.
struct GlyphQuad {
    bool visible = false;
    int row = 0, column = 0;
    float centreX = 0, centreY = 0;
    float topV = 0, bottomV = 0;
    // 2 bright (glowing or sparkling), 1 plain, 0 fading.
    int brightness = 0;
};

class GlyphGrid {
public:
    // Cell bits: glyph number, glow (a signed byte), dirty, sparkle.
    static constexpr uint32_t kGlyphMask = 0xFF;
    static constexpr uint32_t kDirty = 1u << 16;
    static constexpr uint32_t kSparkle = 1u << 17;

    // Sized for a picture of that many pixels.
    static std::unique_ptr<GlyphGrid> Create(const GlyphConfig& config, int pictureWidth, int pictureHeight);

    void ResetSparkles();
    void PutGlyph(int row, int glyph, int column);
    void StepColumns(bool blankOnly);
    void Spawn();
    // The next cell holding a glyph from the cursor on, with the cells
    // passed brought one step further; false with an invisible quad once
    // the grid is exhausted.
    bool NextVisibleCell(GlyphCursor& cursor, GlyphQuad& quad);

    uint32_t& Cell(int row, int column) { return cells[static_cast<size_t>(row) * cols + column]; }
    static int Glyph(uint32_t cell) { return static_cast<int>(cell & kGlyphMask); }
    static int Glow(uint32_t cell) { return static_cast<int8_t>((cell >> 8) & 0xFF); }
    static void SetGlow(uint32_t& cell, int glow)
    {
        cell = (cell & ~0xFF00u) | (static_cast<uint32_t>(static_cast<uint8_t>(glow)) << 8);
    }

    int pictureWidth = 0, pictureHeight = 0;
    int columnStyle = 0;
    int density = 0;
    int spawnDensity = 0;
    int sparkleCount = 0;
    bool glints = false;
    int glintScale = 10;
    int fadeAtHead = 1;
    int respawnBusy = 0;
    int cols = 1, rows = 1;
    int cellWidth = 1, cellHeight = 1;
    std::vector<uint32_t> cells;
    std::vector<GlyphColumn> columns;
    bool mixedStart = true;
    bool rowStart = true;
    int glyphCount = 1;
    // Where the cells lie on the target, set by the layer before a walk.
    float left = 0, top = 0, halfWidth = 0, halfHeight = 0;
};

// One train in that many idle-column steps, by density.
int SpawnChance(int density);
