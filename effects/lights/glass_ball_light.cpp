#include "effects/lights/glass_ball_light.h"

#include <cmath>
#include <numbers>

#include "effects/lights/device_states.h"
#include "effects/lights/glass_ball_textures.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"

using lights::FloatBits;
using lights::SetRender;
using lights::SetSampler;
using lights::SetStage;

namespace {

// Position and two coordinate pairs.
struct BallVertex {
    float x, y, z;
    float u0, v0, u1, v1;
};
constexpr DWORD kBallFvf = D3DFVF_XYZ | D3DFVF_TEX2;
static_assert(sizeof(BallVertex) == 28);

void FillQuad(VertexBufferHolder& holder, float left, float bottom, float right, float top)
{
    CreateVertexBuffer(4, kBallFvf, sizeof(BallVertex), holder);
    void* locked = nullptr;
    if (!holder || FAILED(holder->Lock(0, 0, &locked, 0)))
        return;
    auto* v = static_cast<BallVertex*>(locked);
    v[0] = {left, bottom, 0, 0, 1, 0, 1};
    v[1] = {left, top, 0, 0, 0, 0, 0};
    v[2] = {right, bottom, 0, 1, 1, 1, 1};
    v[3] = {right, top, 0, 1, 0, 1, 0};
    holder->Unlock();
}

IDirect3DTexture9* CurrentFrameOf(const KV_ImageFileLink& link)
{
    return g_currentDocResManager ? g_currentDocResManager->GetImage(link).CurrentFrame() : nullptr;
}

} // namespace

namespace glass_ball {

MotionPhase& SharedMotionPhase()
{
    static MotionPhase phase;
    return phase;
}

} // namespace glass_ball

KV_GlassBallLight::KV_GlassBallLight()
    : overlayImage1(KV_FileLink3::FromResource(58, L"common_res.dll")),
      overlayImage2(KV_FileLink3::FromResource(59, L"common_res.dll")),
      baseImage(KV_FileLink3::FromResource(60, L"common_res.dll")),
      backgroundPicture(KV_FileLink3::FromResource(5, L"common_res.dll"))
{
    gradientTop.Value() = 0;
    gradientBottom.Value() = 0;
    D3DXMatrixIdentity(&textureProjection);
}

void KV_GlassBallLight::Create()
{
    KV_2D_Light::Create();
    overlay1Texture.Share(CurrentFrameOf(overlayImage1));
    overlay2Texture.Share(CurrentFrameOf(overlayImage2));
    baseTexture.Share(CurrentFrameOf(baseImage));
    glass_ball::CreateBumpMap(bumpMap);
    glass_ball::CreateGradient(gradient, gradientTop.Value(), gradientBottom.Value());
    glass_ball::CreateMask(mask);

    ScreenQuad whole;
    whole.MakeFullScreen();
    backgroundQuad.SetQuad(gradient.Get(), whole);
    scrollQuadA.SetQuad(nullptr, whole);
    scrollQuadB.SetQuad(nullptr, whole);
    for (KV_SimpleMesh& border : borderQuads) {
        border.CreateQuadRHWC();
        border.SetQuadRHWC(0xFF000000, whole);
    }
    FillQuad(ballQuad, -256.0f, -256.0f, 256.0f, 256.0f);
    FillQuad(lowerQuad, -230.4f, -372.19293f, 232.9f, -185.61412f);

    D3DXMATRIX world, view, projection;
    D3DXMatrixIdentity(&world);
    const D3DXVECTOR3 eye(0, 0, -2001), at(0, 0, 0), up(0, 1, 0);
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, std::numbers::pi_v<float> / 4, 1.0f, 1.0f, 3000.0f);
    g_currentDevice->SetTransform(D3DTS_WORLD, &world);
    g_currentDevice->SetTransform(D3DTS_VIEW, &view);
    g_currentDevice->SetTransform(D3DTS_PROJECTION, &projection);

    UseGradientTexture();
    ChooseBackground();
    LoadBackgroundPicture();
}

void KV_GlassBallLight::UseGradientTexture()
{
    glass_ball::CreateGradient(gradient, gradientTop.Value(), gradientBottom.Value());
    backgroundQuad.texture.Share(gradient.Get());
}

void KV_GlassBallLight::ChooseBackground()
{
    const bool picture = usePictureBackground.Value() == 1;
    backgroundQuad.texture.Share(picture ? backgroundRecord.Texture() : gradient.Get());
    layoutMode = picture ? 1 : 2;
    Resize(m_targetWidth, m_targetHeight);
    Resize(m_targetWidth, m_targetHeight);
}

void KV_GlassBallLight::LoadBackgroundPicture()
{
    backgroundRecord = g_currentDocResManager ? g_currentDocResManager->GetImage(backgroundPicture).GetFirstFrame()
                                              : TextureRecord();
    if (usePictureBackground.Value() == 1) {
        backgroundQuad.texture.Share(backgroundRecord.Texture());
        Resize(m_targetWidth, m_targetHeight);
    }
}

void KV_GlassBallLight::RestoreDeviceObjects()
{
    KV_2D_Light::RestoreDeviceObjects();
    lights::SetLinearSampler(1, D3DTADDRESS_WRAP);
    SetSampler(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    SetSampler(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    SetSampler(0, D3DSAMP_MIPFILTER, D3DTEXF_LINEAR);
    lights::SetBumpMatrix(0.2f, 0.0f, 0.0f, 0.25f);
    SetStage(0, D3DTSS_BUMPENVLSCALE, FloatBits(1.0f));
    SetStage(0, D3DTSS_BUMPENVLOFFSET, FloatBits(0.0f));
    SetStage(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(1, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    SetStage(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(1, D3DTSS_COLORARG2, D3DTA_CURRENT);
    SetStage(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
}

void KV_GlassBallLight::InvalidateDeviceObjects()
{
    KV_2D_Light::InvalidateDeviceObjects();
    scrollQuadA.texture.Reset();
    scrollQuadB.texture.Reset();
}

void KV_GlassBallLight::RenderBackground(int) { KV_2D_Light::RenderBackground(0); }

void KV_GlassBallLight::FrameMove(float time)
{
    camera.FrameMove(time);
    Resize(m_targetWidth, m_targetHeight);
    const int mode = motionMode.Value();
    if (mode == 0) {
        sway = 0.0f;
        return;
    }
    glass_ball::MotionPhase& motion = glass_ball::SharedMotionPhase();
    if (!motion.started) {
        motion.previous = time;
        motion.started = true;
    }
    motion.phase += (time - motion.previous) * motionSpeed.Result() * 0.0625f;
    if (mode == 1 || mode == 2) {
        sway = 0.0f;
        const float b = motion.phase * (mode == 1 ? -0.5f : 0.5f);
        const float f = b - std::floor(b);
        const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
        const float wb = static_cast<float>(backBuffer.Width);
        ScreenQuad a, c;
        a.MakeFullScreen();
        c.MakeFullScreen();
        for (int i = 0; i < 4; ++i) {
            a.corners[i].x += wb * f;
            c.corners[i].x -= (1.0f - f) * wb;
        }
        scrollQuadA.SetPositions(a);
        scrollQuadB.SetPositions(c);
    } else if (mode == 3) {
        const float h = motion.phase * 0.5f;
        sway = std::fabs((h - std::floor(h)) * 2.0f - 1.0f) * 2.0f - 1.0f;
    }
    motion.previous = time;
}

void KV_GlassBallLight::DrawScrolledCapture()
{
    IDirect3DTexture9* finished = GetNextSceneTarget();
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    for (TexturedQuad* quad : {&scrollQuadA, &scrollQuadB}) {
        quad->texture.Share(finished);
        g_currentDevice->SetTexture(0, finished);
        SetScreenMeshStream(*quad);
        g_currentDevice->DrawPrimitive(quad->primitiveType, 0, quad->primitiveCount);
    }
}

void KV_GlassBallLight::DrawBall(IDirect3DVertexBuffer9* quad)
{
    g_currentDevice->SetVertexShader(nullptr);
    g_currentDevice->SetFVF(kBallFvf);
    g_currentDevice->SetStreamSource(0, quad, 0, sizeof(BallVertex));
    g_currentDevice->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
}

void KV_GlassBallLight::DrawBorders(int)
{
    SetRender(D3DRS_ALPHABLENDENABLE, FALSE);
    const int mode = motionMode.Value();
    if ((mode == 1 || mode == 2) && Capturing())
        DrawScrolledCapture();
    TextureHolder captured;
    captured.Share(EndSceneCapture(false).Current());
    // Without render targets (before a restore) the ball shows the picture.
    if (!captured)
        captured.Share(m_pictureQuad.texture.Get());

    g_currentDevice->SetTexture(0, backgroundQuad.texture.Get());
    SetScreenMeshStream(backgroundQuad);
    g_currentDevice->DrawPrimitive(backgroundQuad.primitiveType, 0, backgroundQuad.primitiveCount);

    SetBallTransforms(true);
    g_currentDevice->SetTexture(0, bumpMap.Get());
    g_currentDevice->SetTexture(1, captured.Get());
    SetStage(0, D3DTSS_COLOROP, D3DTOP_BUMPENVMAP);
    SetStage(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    DrawBall(ballQuad.Get());

    SetBallTransforms(false);
    SetRender(D3DRS_ALPHABLENDENABLE, TRUE);
    SetRender(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetRender(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    SetStage(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    SetStage(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    g_currentDevice->SetTexture(1, nullptr);
    const std::pair<int, IDirect3DTexture9*> overlays[] = {{showOverlay1.Value(), overlay1Texture.Get()},
                                                           {showOverlay2.Value(), overlay2Texture.Get()}};
    // A missing picture is left out: the stage would end the cascade and
    // paint the diffuse white over the ball.
    for (const auto& [shown, texture] : overlays) {
        if (!shown || !texture)
            continue;
        g_currentDevice->SetTexture(0, texture);
        DrawBall(ballQuad.Get());
    }

    // The background covers the square's corners outside the circle.
    float w = 0, h = 0;
    PlacementSize(w, h);
    g_currentDevice->SetTexture(0, mask.Get());
    g_currentDevice->SetTexture(1, backgroundQuad.texture.Get());
    textureProjection._11 /= zoomX;
    textureProjection._22 /= zoomY;
    textureProjection._41 = (textureProjection._41 - offsetX / w / scaleX) / zoomX;
    textureProjection._42 = (textureProjection._42 - offsetY / h / scaleY) / zoomY;
    g_currentDevice->SetTransform(D3DTS_TEXTURE1, &textureProjection);
    DrawBall(ballQuad.Get());
    g_currentDevice->SetTexture(1, nullptr);

    if (showBase.Value() && baseTexture) {
        g_currentDevice->SetTexture(0, baseTexture.Get());
        DrawBall(lowerQuad.Get());
    }
    g_currentDevice->SetTexture(0, nullptr);
    if (usePictureBackground.Value() == 1 && layoutMode == 1) {
        for (const KV_SimpleMesh& border : borderQuads)
            DrawOverlay(&border);
    }
}
