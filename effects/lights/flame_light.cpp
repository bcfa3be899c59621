#include "effects/lights/flame_light.h"

#include "effects/lights/device_states.h"
#include "scene/render/view_context.h"

using lights::SetRender;
using lights::SetStage;

KV_FlameLight::KV_FlameLight()
{
    fire.firePatternLink.SetKey(KV_FileLink3::FromResource(7, kCommonModule).Key());
    fire.fireNoiseLink.SetKey(KV_FileLink3::FromResource(8, kCommonModule).Key());
}

// The flame quad's texture runs from the flames' tips at the top edge to
// their base at the bottom; its place follows the picture.
void KV_FlameLight::Create()
{
    KV_2D_Light::Create();
    ScreenQuad placeholder;
    placeholder.corners = {{{0, 0, 0, 0, 0}, {800, 0, 0, 1, 0}, {0, 600, 0, 0, 0.95f}, {800, 600, 0, 1, 0.95f}}};
    flameQuad.WriteQuadPT(placeholder);
    if (!distortion.Load())
        distortScene.SetValue(0);
    ReloadPicture();
    MaskSlot none;
    fire.LoadResources(none);
}

void KV_FlameLight::ReloadPicture()
{
    m_pictureQuad.SetPicture(pictureLink);
    Resize(m_targetWidth, m_targetHeight);
    const UINT w = GetPictureWidth(), h = GetPictureHeight();
    distortion.SetSize(w, h);
    PlaceFlames(static_cast<float>(w), static_cast<float>(h));
}

// At a drop of 0 the flames cover the lower 65 % of the picture.
void KV_FlameLight::PlaceFlames(float width, float height)
{
    const float bottom = height * (1.0f + 0.005f * static_cast<float>(flameDrop.Value()));
    const float top = bottom - 0.65f * height;
    flameQuad.SetPositionsPT({0, top, 0, width, top, 0, 0, bottom, 0, width, bottom, 0});
}

// Replaces the light's set-up; the document's device objects are restored
// here too, since the inherited invalidation releases them.
void KV_FlameLight::RestoreDeviceObjects()
{
    SetRender(D3DRS_CULLMODE, D3DCULL_NONE);
    SetRender(D3DRS_LIGHTING, FALSE);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    g_currentDevice->SetTransform(D3DTS_WORLD, &identity);
    SetStage(1, D3DTSS_TEXCOORDINDEX, 1);
    SetStage(0, D3DTSS_TEXCOORDINDEX, 0);
    SetStage(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
    SetStage(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    SetStage(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    for (DWORD sampler = 0; sampler < 4; ++sampler) {
        lights::SetSampler(sampler, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
        lights::SetSampler(sampler, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    }
    SetRender(D3DRS_ALPHABLENDENABLE, TRUE);
    SetRender(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetRender(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    lights::SetSampler(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    lights::SetSampler(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    SetRender(D3DRS_ZENABLE, FALSE);
    Resize(m_targetWidth, m_targetHeight);
    RestoreSceneTargets();
}

void KV_FlameLight::FrameMove(float time)
{
    fire.Update(time);
    camera.FrameMove(time);
    distortion.Update(time);
}

// Without the fire's effect there are no flames to draw.
void KV_FlameLight::RenderBackground(int)
{
    KV_2D_Light::RenderBackground(0);
    if (showFlames.Value() == 0 || !fire.effect)
        return;
    fire.SetLightParams(flameQuad);
    fire.effect->SetTechnique("AsEffect");
    DrawPT(flameQuad, fire.effect.Get());
}

// Only a capture this layer began is ended and distorted here: a stored
// value other than 1 never reads the scene, and a pair without textures
// left everything on the back buffer already.
void KV_FlameLight::DrawBorders(int flag)
{
    if (NeedsSceneTexture() && Capturing()) {
        const RenderTargetPair& captured = EndSceneCapture(false);
        if (g_currentRenderContext)
            g_currentRenderContext->SetWorldTransform(distortion.quad.world);
        distortion.Draw(captured.Current());
    }
    SetRender(D3DRS_CULLMODE, D3DCULL_NONE);
    if (flag == 0 && g_currentRenderContext)
        g_currentRenderContext->DrawBorders();
    SetRender(D3DRS_ALPHABLENDENABLE, TRUE);
}
