// Where the ball, its background and the black border quads lie, for the
// target size, the background picture and the camera's zoom and pan.
#include "effects/lights/glass_ball_light.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "scene/model/float_convert.h"
#include "scene/render/current_device.h"
#include "scene/render/view_context.h"

namespace {

constexpr float kQuarterPi = std::numbers::pi_v<float> / 4;

float Aspect(UINT width, UINT height)
{
    return height == 0 ? 1.0f : static_cast<float>(width) / static_cast<float>(height);
}

float Truncated(float value) { return static_cast<float>(SaturatingTruncate<int>(value)); }

ScreenQuad Rectangle(float left, float top, float right, float bottom)
{
    ScreenQuad quad;
    quad.corners[0].x = quad.corners[1].x = left;
    quad.corners[2].x = quad.corners[3].x = right;
    quad.corners[1].y = quad.corners[3].y = top;
    quad.corners[0].y = quad.corners[2].y = bottom;
    return quad;
}

} // namespace

void KV_GlassBallLight::PlacementSize(float& w, float& h) const
{
    if (inPushedTarget) {
        w = static_cast<float>(m_targetWidth);
        h = static_cast<float>(m_targetHeight);
    } else {
        const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
        w = static_cast<float>(backBuffer.Width);
        h = static_cast<float>(backBuffer.Height);
    }
    w = std::max(w, 1.0f);
    h = std::max(h, 1.0f);
}

void KV_GlassBallLight::UpdateSizing()
{
    const float s = static_cast<float>(ballSize.Value());
    const float e = static_cast<float>(lensStrength.Value());
    ballDistance = -600.0f / (0.75f * s / 100.0f + 0.25f) / (zoomX * scaleY);
    ballScale = ((s * scaleY * zoomX / 100.0f) * 1.105f + 0.385f) * 1.05f * (1.0f + e * 0.5f / 100.0f);
    swayAmplitude = e * 0.5f * 0.125f / 100.0f + 0.125f;
}

void KV_GlassBallLight::SetBallTransforms(bool firstPass)
{
    float w = 0, h = 0;
    PlacementSize(w, h);
    const bool pictureBackground = usePictureBackground.Value() == 1;
    const POINT offset = ballOffset.Value();
    const float px = (static_cast<float>(offset.x) + 250.0f) * zoomX - 250.0f + offsetX * 500.0f / w / scaleX;
    float bx = ballDistance / -600.0f * px;
    const float py = (static_cast<float>(offset.y) + 250.0f) * zoomY - 250.0f + 500.0f * offsetY / h / scaleY;
    float by = py * ballDistance / 600.0f;
    const float targetAspect =
        Aspect(static_cast<UINT>(std::max(m_targetWidth, 1)), static_cast<UINT>(std::max(m_targetHeight, 1)));
    if (pictureBackground) {
        by = scaleY * by;
        bx = targetAspect * bx * scaleX;
    }

    float shiftU = 0.0f, shiftV = 0.0f, scale = scaleY;
    if (firstPass) {
        const int k = static_cast<int>(lensStrength.Value() / 2);
        const float f = 1.5f - static_cast<float>(k) * 0.02f * 0.5f;
        const float g = swayAmplitude * sway;
        // A portrait picture, or none, counts as square: the quotient divides.
        const UINT height = GetPictureHeight();
        const UINT ratio = height == 0 ? 1 : std::max(GetPictureWidth() / height, 1u);
        shiftU = g - (bx / w * f) / static_cast<float>(ratio);
        shiftV = f * (by / h);
        scale = ballScale;
    }

    D3DXMATRIX world, view, projection;
    D3DXMatrixTranslation(&world, bx, by, 0.0f);
    const D3DXVECTOR3 eye(0, 0, ballDistance), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, kQuarterPi, targetAspect, 1.0f, 3000.0f);
    g_currentDevice->SetTransform(D3DTS_WORLD, &world);
    g_currentDevice->SetTransform(D3DTS_VIEW, &view);
    g_currentDevice->SetTransform(D3DTS_PROJECTION, &projection);

    const float a = firstPass || !pictureBackground ? Aspect(GetPictureWidth(), GetPictureHeight())
                                                    : Aspect(backgroundRecord.width, backgroundRecord.height);
    D3DXMATRIX p;
    D3DXMatrixPerspectiveFovLH(&p, kQuarterPi, a, 1.0f, 3000.0f);
    const float d = std::fabs(ballDistance) * scale;
    const float q = p._34 * d + p._44;
    D3DXMatrixIdentity(&textureProjection);
    textureProjection._11 = p._11 / q * 0.5f;
    textureProjection._22 = p._22 / q * -0.5f;
    textureProjection._41 = (shiftU - std::floor(shiftU)) + 0.5f;
    textureProjection._42 = shiftV + 0.5f;
    g_currentDevice->SetTransform(D3DTS_TEXTURE1, &textureProjection);
    g_currentDevice->SetTextureStageState(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_COUNT2);
    g_currentDevice->SetTextureStageState(1, D3DTSS_TEXCOORDINDEX, D3DTSS_TCI_CAMERASPACEPOSITION | 1);
}

void KV_GlassBallLight::LayoutBackground(int mode)
{
    if (g_currentRenderContext)
        g_currentRenderContext->Layout(backgroundRecord.width, backgroundRecord.height, m_targetWidth,
                                       m_targetHeight, mode, inPushedTarget);
}

void KV_GlassBallLight::Resize(int width, int height)
{
    KV_2D_Light::Resize(width, height);
    LayoutBackground(layoutMode);
    UpdateSizing();
    if (!g_currentRenderContext)
        return;
    const ViewContext& view = *g_currentRenderContext;

    const float tw = static_cast<float>(std::max(m_targetWidth, 1));
    const float th = static_cast<float>(std::max(m_targetHeight, 1));
    const UINT bgW = std::max(backgroundRecord.width, 1u), bgH = std::max(backgroundRecord.height, 1u);
    ScreenQuad fitted;
    fitted.MakeAspectFit(bgW, bgH, tw, th);
    if (!inPushedTarget)
        fitted.ScaleToBackBuffer(tw, th);
    const float x0 = fitted.Left(), y1 = fitted.Top();
    const float rw = fitted.Right() - fitted.Left(), rh = fitted.Bottom() - fitted.Top();

    const D3DXMATRIX q = view.zoomPan * view.modeScale;
    zoomX = q._11;
    zoomY = q._22;
    offsetX = (q._41 / q._11) * zoomX * rw / static_cast<float>(bgW);
    offsetY = (q._42 / q._22) * zoomY * rh / static_cast<float>(bgH);

    ScreenQuad moved = fitted;
    for (ScreenQuadCorner& corner : moved.corners) {
        corner.x = x0 + zoomX * (corner.x - x0) + offsetX;
        corner.y = y1 + zoomY * (corner.y - y1) + offsetY;
    }
    backgroundQuad.SetPositions(moved);

    const float w2 = rw * zoomX, h2 = rh * zoomY;
    scaleX = w2 / (w2 + 2.0f * (Truncated(fitted.Left() * zoomX) + 1.0f));
    scaleY = h2 / (h2 + 2.0f * (Truncated(fitted.Top() * zoomY) + 1.0f));
    PlaceBorderQuads(fitted, w2, h2);

    UpdateSizing();
    LayoutBackground(ViewContext::Fit);
}

// In fit mode the quads cover the margins of the un-zoomed fitted
// rectangle, each a pixel wider than its margin.
void KV_GlassBallLight::PlaceBorderQuads(const ScreenQuad& fitted, float w2, float h2)
{
    const ViewContext& view = *g_currentRenderContext;
    const float bgW = static_cast<float>(std::max(backgroundRecord.width, 1u));
    const float bgH = static_cast<float>(std::max(backgroundRecord.height, 1u));
    const float rw = fitted.Right() - fitted.Left(), rh = fitted.Bottom() - fitted.Top();
    const float dx = view.inverseScaleX * view.modeOffsetX * w2 / bgW;
    const float dy = view.inverseScaleY * view.modeOffsetY * h2 / bgH;
    const float left = fitted.Left() + dx, right = fitted.Left() + view.inverseScaleX * rw + dx;
    const float top = fitted.Top() + dy, bottom = fitted.Top() + view.inverseScaleY * rh + dy;
    const float w = Truncated(right - left), h = Truncated(bottom - top);
    const float a = Truncated(left) + 1.0f, b = Truncated(top) + 1.0f;
    borderQuads[0].SetPositionsRHWC(Rectangle(0, 0, a, h));
    borderQuads[1].SetPositionsRHWC(Rectangle(right, 0, right + a, h));
    borderQuads[2].SetPositionsRHWC(Rectangle(0, 0, w, b));
    borderQuads[3].SetPositionsRHWC(Rectangle(0, bottom, w, bottom + b));
}

void KV_GlassBallLight::SetPicturePosition(int mode)
{
    layoutMode = usePictureBackground.Value() == 1 ? mode : 2;
    Resize(m_targetWidth, m_targetHeight);
}

void KV_GlassBallLight::PushRenderTarget(const RenderTargetPair& pair, int mode)
{
    savedLayoutMode = layoutMode;
    inPushedTarget = true;
    savedWidth = m_targetWidth;
    savedHeight = m_targetHeight;
    if (mode != ViewContext::Capture) {
        layoutMode = usePictureBackground.Value() == 1 ? mode : 2;
        Resize(m_targetWidth, m_targetHeight);
        Resize(static_cast<int>(pair.width), static_cast<int>(pair.height));
    }
    KV_2D_Light::PushRenderTarget(pair, mode);
}

// The size saved before the push is the one to return to: the resizes of
// the push already stored the pair's.
void KV_GlassBallLight::PopRenderTarget()
{
    inPushedTarget = false;
    KV_2D_Light::PopRenderTarget();
    m_targetWidth = savedWidth;
    m_targetHeight = savedHeight;
    layoutMode = usePictureBackground.Value() == 1 ? savedLayoutMode : 2;
    Resize(m_targetWidth, m_targetHeight);
}
