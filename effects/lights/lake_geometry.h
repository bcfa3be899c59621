// The lake's shapes: the water strip below the horizon with the band above
// it mirrored, the six-vertex plane drawn through the bump stage, and the
// two tint quads.
#pragma once

#include <array>

#include "scene/model/screen_quad.h"

namespace lake {

// Position and two coordinate pairs: the mirrored picture's, then the
// ripples' tiling.
struct PlaneVertex {
    float x, y, z;
    float u0, v0;
    float u1, v1;
};
static_assert(sizeof(PlaneVertex) == 28);

using Plane = std::array<PlaneVertex, 6>;

// The quad becomes the water below a horizon at x of its height from the
// bottom, showing the band of that height above it upside down.
void SplitAtHorizon(ScreenQuad& quad, float x);
// Positions and mirrored coordinates: corners 1, 0, 2, 1, 2, 3.
void SetPlaneFromQuad(Plane& plane, const ScreenQuad& quad);
void SetPlaneTiling(Plane& plane, float t);
// How far the shore tint reaches above the water line (upward, so 0 or
// negative); 0 when the horizon leaves no water.
int ShoreOffset(const ScreenQuad& water, float pictureHeight, unsigned shoreBand, float x);

} // namespace lake
