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

    // The whole back buffer of the current device.
    void MakeFullScreen();
    // The picture's aspect kept, as large as fits, centred in w x h.
    void MakeAspectFit(unsigned pictureWidth, unsigned pictureHeight, float w, float h);
    // From a w x h target into back-buffer pixels.
    void ScaleToBackBuffer(float w, float h);

    float Left() const { return corners[0].x; }
    float Top() const { return corners[1].y; }
    float Right() const { return corners[3].x; }
    float Bottom() const { return corners[2].y; }
};
