// Where the current slide's background picture lies, published by the
// background layer when it lays the picture out. Scene objects place
// themselves in the picture's pixels.
#pragma once

#include "scene/model/screen_quad.h"

struct PicturePlacement {
    // Back-buffer size over target size.
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    // The picture's aspect-fit quad in back-buffer pixels.
    ScreenQuad fitQuad;
    // 0 until a background layer has been laid out.
    int pictureWidth = 0;
    int pictureHeight = 0;
};

// The placement of the unit being drawn: each unit keeps its own, so that
// monitors of different sizes never read each other's. Never null.
extern const PicturePlacement* g_picturePlacement;

// Before any unit has published one: nothing laid out.
extern const PicturePlacement g_noPicturePlacement;
