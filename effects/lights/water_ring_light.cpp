#include "effects/lights/water_ring_light.h"

#include <cmath>
#include <numbers>

#include "effects/lights/device_states.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"

using lights::SetRender;
using lights::SetStage;

namespace {

const D3DXVECTOR3 kEye(0.0f, 120.0f, 0.0f);

D3DXMATRIX Translation(float x, float y, float z)
{
    D3DXMATRIX m;
    D3DXMatrixTranslation(&m, x, y, z);
    return m;
}

} // namespace

KV_WaterRingLight::KV_WaterRingLight()
{
    for (D3DXMATRIX* m : {&surfaceWorld, &surfaceView, &surfaceCamera, &surfaceProjection})
        D3DXMatrixIdentity(m);
    m_targetWidth = m_targetHeight = 0;
}

float KV_WaterRingLight::PictureAspect() const
{
    const float aspect = m_pictureQuad.picture.aspect;
    return std::isfinite(aspect) && aspect > 0.0f ? aspect : 1.0f;
}

void KV_WaterRingLight::ResizeGrid()
{
    grid->Resize(30.0f / PictureAspect(), 30.0f, 1.0f + 0.01f * static_cast<float>(rowDensity.Value()),
                 1.0f + 0.01f * static_cast<float>(columnDensity.Value()));
    grid->AddDrop();
}

void KV_WaterRingLight::SetMaterial() const
{
    const float level = specularLevel.Result();
    D3DMATERIAL9 material{};
    material.Diffuse = {0, 0, 0, 1};
    material.Specular = {level, level, level, 0};
    material.Power = specularPower.Result();
    g_currentDevice->SetMaterial(&material);
}

void KV_WaterRingLight::Create()
{
    KV_2D_Light::Create();
    grid->BuildRefractionTable();
    D3DXMatrixRotationX(&surfaceCamera, -std::numbers::pi_v<float> / 2);
    surfaceCamera._42 = kEye.y;
    surfaceCamera._43 = kEye.z;
    D3DXMatrixInverse(&surfaceView, nullptr, &surfaceCamera);
    grid->heightRate = 1.0f + 0.02f * static_cast<float>(waveRate.Value());
    grid->dropStrength = static_cast<float>(dropSize.Value()) * 0.01f * 0.7f + 0.1f;
    grid->damping = RippleDamping(waveDamping.Value());
    grid->depth = static_cast<float>(refractionDepth.Value()) * 0.01f;
    ResizeGrid();
    SetMaterial();
}

// Replaces the light's restore; the document's device objects are restored
// here too, since the inherited invalidation releases them.
void KV_WaterRingLight::RestoreDeviceObjects()
{
    SetRender(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetRender(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    D3DLIGHT9 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = lightColour;
    light.Specular = {1, 1, 1, 0};
    light.Direction = lightDirection;
    g_currentDevice->SetLight(0, &light);
    g_currentDevice->LightEnable(0, TRUE);
    SetMaterial();
    g_currentDevice->SetFVF(D3DFVF_XYZ);
    g_currentDevice->SetTransform(D3DTS_VIEW, &surfaceView);
    g_currentDevice->SetTransform(D3DTS_WORLD, &surfaceWorld);
    SetRender(D3DRS_LIGHTING, FALSE);
    SetRender(D3DRS_SPECULARENABLE, FALSE);
    SetRender(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    SetRender(D3DRS_CULLMODE, D3DCULL_NONE);
    SetRender(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    for (DWORD stage : {0u, 1u}) {
        SetStage(stage, D3DTSS_COLOROP, D3DTOP_DISABLE);
        SetStage(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        SetStage(stage, D3DTSS_COLORARG2, D3DTA_CURRENT);
        SetStage(stage, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
        SetStage(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        SetStage(stage, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
        SetStage(stage, D3DTSS_TEXCOORDINDEX, 0);
    }
    SetRender(D3DRS_ZENABLE, FALSE);
    SetRender(D3DRS_LIGHTING, TRUE);
    SetRender(D3DRS_SPECULARENABLE, TRUE);
    lights::SetLinearSampler(0, D3DTADDRESS_MIRROR);
    ResizeGrid();
    Resize(m_targetWidth, m_targetHeight);
    RestoreSceneTargets();
}

void KV_WaterRingLight::InvalidateDeviceObjects()
{
    KV_2D_Light::InvalidateDeviceObjects();
    grid->ReleaseBuffers();
}

void KV_WaterRingLight::Resize(int width, int height)
{
    if (width == 0 || height == 0) {
        if (g_renderTargetSizeStack.empty()) {
            m_targetWidth = width;
            m_targetHeight = height;
        }
        return;
    }
    KV_2D_Light::Resize(width, height);
    const float c = PictureAspect();
    const float d = static_cast<float>(width) / static_cast<float>(height);
    float right = 0, top = 0;
    if (c * d > 1.0f) {
        right = 15.0f * d;
        top = 15.0f;
    } else {
        right = 15.0f / c;
        top = right / d;
    }
    D3DXMatrixOrthoOffCenterRH(&surfaceProjection, -right, right, -top, top, -1.0f, 2000.0f);
    g_currentDevice->SetTransform(D3DTS_PROJECTION, &surfaceProjection);
}

void KV_WaterRingLight::SetPicturePosition(int mode)
{
    KV_2D_Light::SetPicturePosition(mode);
    Resize(m_targetWidth, m_targetHeight);
}

void KV_WaterRingLight::FrameMove(float time)
{
    camera.FrameMove(time);
    if (time < lastDropTime)
        lastDropTime = time;
    if (time - lastDropTime > 1.0f / dropsPerSecond.Result()) {
        grid->AddDrop();
        lastDropTime = time;
    }
    grid->Step(kEye);
}

void KV_WaterRingLight::DrawSurface(IDirect3DTexture9* texture)
{
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    SetStage(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    SetStage(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
    g_currentDevice->SetTransform(D3DTS_WORLD, &surfaceWorld);
    const float w = grid->width, h = grid->height;
    D3DXMATRIX rotationScale;
    D3DXMatrixIdentity(&rotationScale);
    float px = 0.0f, pz = 0.0f;
    if (const ViewContext* view = g_currentRenderContext) {
        const D3DXMATRIX q = view->zoomPan * view->modeScale;
        px = (q._41 / q._11) / static_cast<float>(std::max(GetPictureWidth(), 1u));
        pz = (q._42 / q._22) / static_cast<float>(std::max(GetPictureHeight(), 1u));
        rotationScale = view->GetRotationScale();
    }
    const D3DXMATRIX surface =
        Translation(w / 2 + w * px, 0, h / 2 + h * pz) * surfaceView * rotationScale * Translation(-w / 2, h / 2, 0);
    g_currentDevice->SetTransform(D3DTS_VIEW, &surface);
    g_currentDevice->SetTransform(D3DTS_PROJECTION, &surfaceProjection);
    g_currentDevice->SetTexture(0, texture);
    grid->Draw();
    if (g_currentRenderContext)
        g_currentRenderContext->ApplyTransforms();
}

// The captured picture is drawn unlit as it is, also in the first frame
// after a restore, which leaves every stage disabled.
void KV_WaterRingLight::RenderBackground(int)
{
    if (refractScene.Value() != 1) {
        DrawSurface(m_pictureQuad.texture.Get());
        return;
    }
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    Unlit([&] { KV_2D_Light::RenderBackground(0); });
}

void KV_WaterRingLight::DrawBorders(int flag)
{
    if (refractScene.Value() == 1) {
        const RenderTargetPair& pair = KV_2D_Light::EndSceneCapture(false);
        g_currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        DrawSurface(pair.Current() ? pair.Current() : m_pictureQuad.texture.Get());
    }
    if (!flag && g_currentRenderContext)
        Unlit([&] { g_currentRenderContext->DrawBorders(); });
}

// While the picture is captured for readers it is stretched over the
// target; the position is shared by every slide of the screen, so the end
// of the capture puts back the one in force before it.
void KV_WaterRingLight::BeginSceneCapture()
{
    KV_2D_Light::BeginSceneCapture();
    if (refractScene.Value() != 1) {
        m_positionBeforeCapture = m_pictureMode;
        KV_2D_Light::SetPicturePosition(0);
        Resize(m_targetWidth, m_targetHeight);
    }
}

const RenderTargetPair& KV_WaterRingLight::EndSceneCapture(bool clear)
{
    if (refractScene.Value() != 1) {
        KV_2D_Light::SetPicturePosition(m_positionBeforeCapture);
        Resize(m_targetWidth, m_targetHeight);
    }
    return KV_2D_Light::EndSceneCapture(clear);
}

template <class Draw>
void KV_WaterRingLight::Unlit(Draw draw)
{
    SetRender(D3DRS_LIGHTING, FALSE);
    draw();
    SetRender(D3DRS_LIGHTING, TRUE);
}

void KV_WaterRingLight::DrawSprites(const KV_IndexedMesh& mesh, ID3DXEffect* effect, UINT primitiveCount)
{
    Unlit([&] { KV_2D_Light::DrawSprites(mesh, effect, primitiveCount); });
}

void KV_WaterRingLight::DrawMeshParts(const MeshNode& node)
{
    Unlit([&] { KV_2D_Light::DrawMeshParts(node); });
}

void KV_WaterRingLight::DrawMeshTwoTextures(const KV_SpriteArrayObj& sprites)
{
    Unlit([&] { KV_2D_Light::DrawMeshTwoTextures(sprites); });
}

void KV_WaterRingLight::DrawMeshPartsTwoPass(const MeshNode& node)
{
    Unlit([&] { KV_2D_Light::DrawMeshPartsTwoPass(node); });
}

void KV_WaterRingLight::DrawOverlay(const KV_SimpleMesh* quad)
{
    KV_2D_Light::DrawOverlay(quad);
    SetRender(D3DRS_ALPHABLENDENABLE, FALSE);
}

void KV_WaterRingLight::DrawTexturedOverlay(const TexturedQuad& quad)
{
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    KV_2D_Light::DrawTexturedOverlay(quad);
    SetRender(D3DRS_ZENABLE, FALSE);
    SetRender(D3DRS_ALPHABLENDENABLE, FALSE);
}
