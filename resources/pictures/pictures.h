// The pictures of the project, each a painter for one picture size.
#pragma once

#include "canvas.h"

namespace pictures {

// The splash: ribbons woven into a ring around a star, on black (square).
Color WovenEmblem(float u, float v);
// The lake layer's water: interfering ripples in blue and green steps (square).
Color WaterRipples(float u, float v);
// The water effect's normal map: a few ripples' normals, x, y and z as red,
// green and blue; it tiles (square).
Color WaterBump(float u, float v);
// The border around a letterboxed picture: dark woven cloth that tiles (square).
Color DarkWeave(float u, float v);
// The picture of a slide that names none: hills under a dawn sky (4:3).
Color DawnHills(float u, float v);
// Snowy mountains mirrored in a lake (16:9).
Color MountainLake(float u, float v);
// A harbour town under the night sky, its lights on the water (16:9).
Color NightHarbour(float u, float v);
// Dunes under a low sun (2:1).
Color DesertDunes(float u, float v);
// White birch trunks in a misty wood (9:16, portrait).
Color BirchForest(float u, float v);
// A cottage garden under a summer sky, the sun high on the left (16:9).
Color CottageGarden(float u, float v);
// A stained-glass rose window (square).
Color RoseWindow(float u, float v);
// A few glazed tiles round a sun (4:3, small).
Color TileMosaic(float u, float v);

// The fire effect's flame shapes, grey, brightest at their base (the
// bottom); they tile across (square).
Color FirePattern(float u, float v);
// A fractal noise that tiles both ways (square).
Color TileableNoise(float u, float v);
// The flame layer's bump map: signed offsets around 0.5 in red and green
// that tile both ways (square).
Color DistortionBump(float u, float v);

// With transparency. The flame layer's flames, red tips over a yellow base,
// clear above them; they tile across (square).
Color FlamePattern(float u, float v);
// A vertical strip of 16 square glyph cells, white.
Color GlyphStrip(float u, float v);
// The glass ball's highlights, white on clear (square), and its stand.
Color BallHighlight(float u, float v);
Color BallGlint(float u, float v);
Color BallStand(float u, float v);
// The discharge's bolts, a variant along the middle of each half, laid out
// for its segments: caps below u 0.195 and above 0.805 (4:1). Bright and
// wide, and thin and more jagged.
Color BrightBolt(float u, float v);
Color ThinBolt(float u, float v);

}  // namespace pictures
