// The four corners of a screen rectangle in triangle-strip order:
// bottom-left, top-left, bottom-right, top-right (y grows downward).
#pragma once

#include <array>

struct ScreenQuadCorner {
    float x;
    float y;
    // Doubles as the rhw of pre-transformed vertices, hence 1.
    float z;
    float u;
    float v;
};

struct ScreenQuad {
    std::array<ScreenQuadCorner, 4> corners{{
        {0, 0, 1, 0, 1},
        {0, 0, 1, 0, 0},
        {0, 0, 1, 1, 1},
        {0, 0, 1, 1, 0},
    }};
};
