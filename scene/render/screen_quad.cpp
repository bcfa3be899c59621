#include "scene/model/screen_quad.h"

#include "scene/render/d3d_helpers.h"

namespace {

void SetRectangle(ScreenQuad& quad, float left, float top, float right, float bottom)
{
    quad.corners[0].x = left;
    quad.corners[0].y = bottom;
    quad.corners[1].x = left;
    quad.corners[1].y = top;
    quad.corners[2].x = right;
    quad.corners[2].y = bottom;
    quad.corners[3].x = right;
    quad.corners[3].y = top;
}

}  // namespace

void ScreenQuad::MakeFullScreen()
{
    const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
    SetRectangle(*this, 0.0f, 0.0f, static_cast<float>(backBuffer.Width), static_cast<float>(backBuffer.Height));
}

void ScreenQuad::MakeAspectFit(unsigned pictureWidth, unsigned pictureHeight, float w, float h)
{
    const float e = static_cast<float>(pictureHeight) / static_cast<float>(pictureWidth);
    float fittedWidth, fittedHeight, left, top;
    if (h / w < e) {
        fittedHeight = h;
        fittedWidth = h / e;
        left = (w - fittedWidth) * 0.5f;
        top = 0.0f;
    } else {
        fittedWidth = w;
        fittedHeight = w * e;
        left = 0.0f;
        top = (h - fittedHeight) * 0.5f;
    }
    SetRectangle(*this, left, top, left + fittedWidth, top + fittedHeight);
}

void ScreenQuad::ScaleToBackBuffer(float w, float h)
{
    const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
    const float scaleX = static_cast<float>(backBuffer.Width) / w;
    const float scaleY = static_cast<float>(backBuffer.Height) / h;
    for (ScreenQuadCorner& corner : corners) {
        corner.x *= scaleX;
        corner.y *= scaleY;
    }
}
