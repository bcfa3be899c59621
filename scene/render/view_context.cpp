#include "scene/render/view_context.h"

#include <algorithm>

#include "scene/render/current_device.h"

ViewContext* g_currentRenderContext = nullptr;

void MakeRenderContextCurrent(ViewContext* context)
{
    g_currentRenderContext = context;
    g_picturePlacement = context ? &context->Placement() : &g_noPicturePlacement;
}

namespace {

// From [from, to] onto [0, size]; a quad without extent leaves v as it is.
float ToPicture(float v, float from, float to, int size)
{
    return to != from ? static_cast<float>(size) * (v - from) / (to - from) : v;
}

}  // namespace

D3DXVECTOR3 MapScreenToScene(const PicturePlacement& placement, const D3DXVECTOR3& point)
{
    const ScreenQuad& quad = placement.fitQuad;
    D3DXVECTOR3 mapped(ToPicture(point.x, quad.Left(), quad.Right(), placement.pictureWidth),
                       ToPicture(point.y, quad.Top(), quad.Bottom(), placement.pictureHeight), point.z);
    D3DXMATRIX unzoom;
    if (g_currentRenderContext && D3DXMatrixInverse(&unzoom, nullptr, &g_currentRenderContext->zoomPan))
        D3DXVec3TransformCoord(&mapped, &mapped, &unzoom);
    return mapped;
}

namespace {

constexpr float kDepthRange = 5000.0f;

D3DXMATRIX Scaling(float sx, float sy)
{
    D3DXMATRIX m;
    D3DXMatrixScaling(&m, sx, sy, 1.0f);
    return m;
}

D3DXMATRIX Translation(float x, float y)
{
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, x, y, 0.0f);
    return m;
}

// Corners bottom-left, top-left, bottom-right, top-right at z 0.
std::array<float, 12> Rectangle(float left, float top, float right, float bottom)
{
    return {left, bottom, 0, left, top, 0, right, bottom, 0, right, top, 0};
}

}  // namespace

ViewContext::ViewContext()
{
    D3DXMatrixIdentity(&base);
    D3DXMatrixIdentity(&modeScale);
    D3DXMatrixIdentity(&world);
    D3DXMatrixIdentity(&projection);
    D3DXMatrixIdentity(&zoomPan);
    const D3DXVECTOR3 eye(0.0f, 0.0f, -1.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
}

void ViewContext::Layout(UINT width, UINT height, UINT w, UINT h, int newMode, bool insidePushedTarget)
{
    mode = newMode;
    pictureWidth = width;
    pictureHeight = height;
    const float pw = static_cast<float>(width), ph = static_cast<float>(height);
    const float tw = static_cast<float>(w), th = static_cast<float>(h);
    const bool empty = width == 0 || height == 0 || w == 0 || h == 0;

    ScreenQuad q;
    if (empty) {
        q.corners[0] = {0, th, 1, 0, 1};
        q.corners[1] = {0, 0, 1, 0, 0};
        q.corners[2] = {tw, th, 1, 1, 1};
        q.corners[3] = {tw, 0, 1, 1, 0};
    } else {
        q.MakeAspectFit(width, height, tw, th);
    }
    fitted = {static_cast<LONG>(q.Left()), static_cast<LONG>(q.Top()), static_cast<LONG>(q.Right()),
              static_cast<LONG>(q.Bottom())};
    if (empty)
        pictureScale = 1.0f;
    else
        pictureScale = q.Right() - q.Left() == tw ? pw / tw : ph / th;
    if (!insidePushedTarget)
        q.ScaleToBackBuffer(tw, th);

    PlaceBorders(pw, ph);
    D3DXMatrixOrthoOffCenterLH(&projection, 0.0f, tw, th, 0.0f, -kDepthRange, kDepthRange);

    float targetWidth = tw, targetHeight = th;
    if (!insidePushedTarget) {
        const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
        targetWidth = static_cast<float>(backBuffer.Width);
        targetHeight = static_cast<float>(backBuffer.Height);
    }
    const float fittedWidth = q.Right() - q.Left(), fittedHeight = q.Bottom() - q.Top();
    if (empty || fittedWidth <= 0.0f || fittedHeight <= 0.0f) {
        fitRatioX = fitRatioY = 1.0f;
        D3DXMatrixIdentity(&base);
        ApplyTransforms();
        SetModeScale(0.0f, 0.0f, 1.0f, 1.0f);
        return;
    }
    fitRatioX = targetWidth / fittedWidth;
    fitRatioY = targetHeight / fittedHeight;
    base = Scaling(1.0f / pictureScale, 1.0f / pictureScale) *
           Translation(q.Left() / (targetWidth / tw), q.Top() / (targetHeight / th));
    ApplyTransforms();

    float sx = 1.0f, sy = 1.0f;
    const float stretchX = (2.0f * q.Left() + fittedWidth) / fittedWidth;
    const float stretchY = (2.0f * q.Top() + fittedHeight) / fittedHeight;
    if (mode == Stretch || mode == Capture) {
        sx = stretchX;
        sy = stretchY;
    } else if (mode == Fill) {
        sx = sy = q.Left() == 0.0f ? stretchY : stretchX;
    }
    SetModeScale((1.0f - sx) * 0.5f * pw / sx, (1.0f - sy) * 0.5f * ph / sy, sx, sy);
}

void ViewContext::PlaceBorders(float pw, float ph)
{
    const float s = 3.0f * std::max(pw, ph);
    borders[0].SetPositionsPT(Rectangle(-s, 0, 0, ph));
    borders[1].SetPositionsPT(Rectangle(pw, 0, pw + s, ph));
    borders[2].SetPositionsPT(Rectangle(-s, -s, pw + s, 0));
    borders[3].SetPositionsPT(Rectangle(-s, ph, pw + s, ph + s));
}

void ViewContext::SetModeScale(float ox, float oy, float sx, float sy)
{
    inverseScaleX = 1.0f / sx;
    inverseScaleY = 1.0f / sy;
    modeOffsetX = ox;
    modeOffsetY = oy;
    modeScale = Translation(ox, oy) * Scaling(sx, sy);
}

void ViewContext::SetZoomPan(float zoom, float panX, float panY)
{
    const float z = zoom > 0.0f ? zoom : 1.0f;
    const D3DXMATRIX placed = modeScale * base;
    const float a = placed._41 / placed._11 / z;
    const float b = placed._42 / placed._22 / z;
    const float ox = (1.0f - z) * 0.5f * static_cast<float>(pictureWidth) / z;
    const float oy = (1.0f - z) * 0.5f * static_cast<float>(pictureHeight) / z;
    const float tx = (a + ox) * (panX + 1.0f) - a;
    const float ty = (b + oy) * (panY + 1.0f) - b;
    zoomPan = Translation(tx, ty) * Scaling(z, z);
}

D3DXMATRIX ViewContext::PictureToTarget() const
{
    return mode == Capture ? modeScale * base : zoomPan * modeScale * base;
}

void ViewContext::SetWorldTransform(const D3DXMATRIX& geometry) const
{
    const D3DXMATRIX transform = geometry * PictureToTarget();
    g_currentDevice->SetTransform(D3DTS_WORLD, &transform);
}

void ViewContext::ApplyTransforms() const
{
    g_currentDevice->SetTransform(D3DTS_WORLD, &world);
    g_currentDevice->SetTransform(D3DTS_VIEW, &view);
    g_currentDevice->SetTransform(D3DTS_PROJECTION, &projection);
}

D3DXMATRIX ViewContext::GetWorldViewProjection(const D3DXMATRIX& geometry) const
{
    return geometry * PictureToTarget() * view * projection;
}

D3DXMATRIX ViewContext::GetViewProjection() const
{
    return (mode == Capture ? modeScale * base : base) * view * projection;
}

D3DXMATRIX ViewContext::GetRotationScale() const
{
    D3DXMATRIX rotationScale = zoomPan * modeScale;
    rotationScale._41 = 0.0f;
    rotationScale._42 = 0.0f;
    return rotationScale;
}

void ViewContext::SetBorderTextures(IDirect3DTexture9* texture)
{
    ScreenQuad uv;
    const float u[4] = {1, 0, 1, 0}, v[4] = {1, 1, 0, 0};
    for (int i = 0; i < 4; ++i) {
        uv.corners[i] = {0, 0, 0, u[i], v[i]};
    }
    for (TexturedQuad& border : borders) {
        border.WriteQuadPT(uv);
        border.texture.Share(texture);
    }
}

void ViewContext::DrawBorders() const
{
    ApplyTransforms();
    SetWorldTransform(borders[0].world);
    for (const TexturedQuad& border : borders) {
        if (!border.vertexBuffer)
            continue;
        g_currentDevice->SetTexture(0, border.texture.Get());
        border.SetStreamPT();
        g_currentDevice->DrawPrimitive(border.primitiveType, 0, border.primitiveCount);
    }
}

void ViewContext::SetPlacement(float scaleX, float scaleY, const ScreenQuad& fitQuad)
{
    placement.scaleX = scaleX;
    placement.scaleY = scaleY;
    placement.fitQuad = fitQuad;
    placement.pictureWidth = static_cast<int>(std::max(pictureWidth, 1u));
    placement.pictureHeight = static_cast<int>(std::max(pictureHeight, 1u));
}
