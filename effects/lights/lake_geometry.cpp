#include "effects/lights/lake_geometry.h"

#include "scene/model/float_convert.h"

namespace lake {

void SplitAtHorizon(ScreenQuad& quad, float x)
{
    auto& [c0, c1, c2, c3] = quad.corners;
    const float g = 1.0f - x;
    const float a = c1.v, b = c0.y, c = c3.v, d = c0.v, e = c2.v;
    c1.y = b - g * (b - c1.y);
    c3.y = c2.y - g * (c2.y - c3.y);
    c1.v = a - g * (a - d);
    c3.v = c - g * (c - e);
    const float g2 = 1.0f - (1.0f - 2.0f * x) / g;
    c0.v = c1.v - g2 * (c1.v - a);
    c2.v = c3.v - g2 * (c3.v - c);
    const float u = c1.y - g2 * (c1.y - b);
    const float f = b - u;
    const float rightBottom = c3.y - g2 * (c3.y - c2.y);
    c0.y = u + f;
    c1.y = f + c1.y;
    c2.y = f + rightBottom;
    c3.y = f + c3.y;
}

void SetPlaneFromQuad(Plane& plane, const ScreenQuad& quad)
{
    static constexpr int kCorners[6] = {1, 0, 2, 1, 2, 3};
    for (int i = 0; i < 6; ++i) {
        const ScreenQuadCorner& corner = quad.corners[kCorners[i]];
        plane[i].x = corner.x;
        plane[i].y = corner.y;
        plane[i].z = 0.0f;
        plane[i].u0 = corner.u;
        plane[i].v0 = corner.v;
    }
}

void SetPlaneTiling(Plane& plane, float t)
{
    const float uv[6][2] = {{0.01f, 0.01f}, {0.01f, t}, {t, t}, {0.01f, 0.01f}, {t, t}, {t, 0.01f}};
    for (int i = 0; i < 6; ++i) {
        plane[i].u1 = uv[i][0];
        plane[i].v1 = uv[i][1];
    }
}

int ShoreOffset(const ScreenQuad& water, float pictureHeight, unsigned shoreBand, float x)
{
    if (x <= 0.0f || pictureHeight <= 0.0f)
        return 0;
    const float height = water.Bottom() - water.Top();
    return -SaturatingTruncate<int>(height / pictureHeight * static_cast<float>(shoreBand) / x);
}

} // namespace lake
