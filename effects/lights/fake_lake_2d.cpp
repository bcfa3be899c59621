#include "effects/lights/fake_lake_2d.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "effects/lights/device_states.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"

using lights::SetRender;
using lights::SetSampler;
using lights::SetStage;

namespace {

// The code these planes have always carried, although they hold two pairs.
constexpr DWORD kPlaneFvf = D3DFVF_XYZ | D3DFVF_TEX3;
// Sides from 128 to 4096 texels.
constexpr int kLargestCopyExponent = 5;

// 0x00BBGGRR to 0x00RRGGBB.
D3DCOLOR ToRgb(DWORD colour) { return (colour & 0xFF) << 16 | (colour & 0xFF00) | ((colour >> 16) & 0xFF); }

ScreenQuad PictureRectangle(float w, float h)
{
    ScreenQuad quad;
    quad.corners = {{{0, h, 0, 0, 1}, {0, 0, 0, 0, 0}, {w, h, 0, 1, 1}, {w, 0, 0, 1, 0}}};
    return quad;
}

void SetTwoModulateStates()
{
    SetRender(D3DRS_AMBIENT, 0xFFFFFFFF);
    SetRender(D3DRS_DITHERENABLE, TRUE);
    SetRender(D3DRS_SPECULARENABLE, FALSE);
    SetStage(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    SetStage(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
}

} // namespace

FakeLake2D::FakeLake2D() { lakeTint.Value() = 0x408000; }

float FakeLake2D::HorizonLine() const { return std::clamp(horizon.Result(), 0.0f, 0.5f); }

void FakeLake2D::CreatePlaneBuffer()
{
    CreateVertexBuffer(6, kPlaneFvf, sizeof(lake::PlaneVertex), waterPlane.vertexBuffer);
    waterPlane.vertexCount = 6;
    waterPlane.primitiveType = D3DPT_TRIANGLELIST;
    waterPlane.primitiveCount = 2;
    UploadPlane();
}

void FakeLake2D::UploadPlane()
{
    void* locked = nullptr;
    if (!waterPlane.vertexBuffer || FAILED(waterPlane.vertexBuffer->Lock(0, 0, &locked, 0)))
        return;
    std::memcpy(locked, plane.data(), sizeof plane);
    waterPlane.vertexBuffer->Unlock();
}

void FakeLake2D::LayoutWater()
{
    ScreenQuad water =
        PictureRectangle(static_cast<float>(GetPictureWidth()), static_cast<float>(GetPictureHeight()));
    lake::SplitAtHorizon(water, HorizonLine());
    lake::SetPlaneFromQuad(plane, water);
    UploadPlane();
    PlaceTintQuads(water);
}

void FakeLake2D::PlaceTintQuads(const ScreenQuad& water)
{
    waterTint.SetPositionsPC(water);
    const float k = static_cast<float>(
        lake::ShoreOffset(water, static_cast<float>(GetPictureHeight()), shoreBand.Value(), HorizonLine()));
    const float w = std::trunc(water.Right() - water.Left());
    const float left = water.Left(), top = water.Top();
    ScreenQuad shore;
    shore.corners = {{{left, top + k, 0, 0, 0}, {left, top, 0, 0, 0}, {left + w, top + k, 0, 0, 0},
                      {left + w, top, 0, 0, 0}}};
    shoreTint.SetPositionsPC(shore);
}

void FakeLake2D::SetTintAlphas()
{
    const float s = tintStrength.Result();
    const float s2 = s * (1.0f - tintFade.Result());
    waterTint.SetAlphasPC(s, s, s2, s2);
    shoreTint.SetAlphasPC(0, 0, s2, s2);
}

void FakeLake2D::SetTintColour()
{
    waterTint.SetColourPC(ToRgb(lakeTint.Value()));
    shoreTint.SetColourPC(ToRgb(lakeTint.Value()));
}

void FakeLake2D::MakePictureCopy()
{
    pictureCopy.Reset();
    if (m_pictureQuad.texture) {
        const int exponent = std::clamp(copySizeExponent.Value(), 0, kLargestCopyExponent);
        CreateSquareTextureCopy(static_cast<UINT>(exponent), pictureCopy, m_pictureQuad.texture.Get());
    }
    overlayQuad.texture.Share(pictureCopy.Get());
}

// Quads drawn over the lake tile their picture.
void FakeLake2D::DrawTexturedQuad(TexturedIndexedQuad& quad)
{
    SetSampler(0, D3DSAMP_ADDRESSU, D3DTADDRESS_WRAP);
    SetSampler(0, D3DSAMP_ADDRESSV, D3DTADDRESS_WRAP);
    KV_2D_Light::DrawTexturedQuad(quad);
    SetSampler(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    SetSampler(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
}

void FakeLake2D::Create()
{
    KV_2D_Light::Create();
    ScreenQuad whole;
    whole.MakeFullScreen();
    lake::SplitAtHorizon(whole, HorizonLine());
    for (KV_SimpleMesh* tint : {&waterTint, &shoreTint}) {
        tint->CreateQuadPC();
        tint->SetQuadPC(ToRgb(lakeTint.Value()), whole);
    }
    CreatePlaneBuffer();
    SetTintAlphas();
    ReloadPicture();
    LayoutWater();
    lake::SetPlaneTiling(plane, rippleTiling.Result());
    UploadPlane();
    SetTintColour();
    normalMap.Reset();
    if (g_currentDocResManager) {
        const auto& table = g_currentDocResManager->GuidTextures();
        if (const auto found = table.find(normalMapKey); found != table.end())
            normalMap.Share(found->second.Get());
    }
}

void FakeLake2D::ReloadPicture()
{
    m_pictureQuad.SetPicture(pictureLink);
    MakePictureCopy();
    Resize(m_targetWidth, m_targetHeight);
    LayoutWater();
}

void FakeLake2D::FrameMove(float time)
{
    camera.FrameMove(time);
    waveSpeed.Advance(time);
    const float angle = waveSpeed.Phase() * 0.5f * 9.0f;
    bumpMatrix[0] = 0.04f * std::cos(angle);
    bumpMatrix[1] = -0.04f * std::sin(angle);
    bumpMatrix[2] = 0.04f * std::sin(angle);
    bumpMatrix[3] = 0.04f * std::cos(angle);
}

// The document's device objects are restored here too: the inherited
// invalidation releases them.
void FakeLake2D::RestoreDeviceObjects()
{
    SetRender(D3DRS_ZENABLE, FALSE);
    SetRender(D3DRS_ZWRITEENABLE, FALSE);
    SetRender(D3DRS_CULLMODE, D3DCULL_NONE);
    D3DXMATRIX identity;
    D3DXMatrixIdentity(&identity);
    g_currentDevice->SetTransform(D3DTS_WORLD, &identity);
    SetRender(D3DRS_LIGHTING, FALSE);
    SetTwoModulateStates();
    for (DWORD sampler : {0u, 1u})
        lights::SetLinearSampler(sampler, D3DTADDRESS_MIRROR);
    SetStage(1, D3DTSS_TEXCOORDINDEX, 1);
    SetStage(0, D3DTSS_TEXCOORDINDEX, 0);
    SetStage(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
    SetStage(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetRender(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetRender(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    SetBumpStates();
    SetTwoModulateStates();
    SetStage(1, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    SetStage(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    RestoreSceneTargets();
}

void FakeLake2D::SetBumpStates()
{
    g_currentDevice->SetTexture(0, normalMap.Get());
    SetSampler(0, D3DSAMP_ADDRESSU, D3DTADDRESS_CLAMP);
    SetSampler(0, D3DSAMP_ADDRESSV, D3DTADDRESS_CLAMP);
    lights::SetBumpMatrix(bumpMatrix[0], bumpMatrix[1], bumpMatrix[2], bumpMatrix[3]);
    SetStage(0, D3DTSS_COLOROP, D3DTOP_BUMPENVMAP);
    SetStage(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
    g_currentDevice->SetTexture(1, pictureCopy.Get());
    SetStage(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(1, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
}

// The normal map reads the tiling coordinates and bends the picture copy's
// mirrored ones. Without a normal map the reflection is drawn unbent: a
// bump stage without its texture would end the stages there.
void FakeLake2D::DrawWater()
{
    waterPlane.SetStream(kPlaneFvf, sizeof(lake::PlaneVertex));
    SetBumpStates();
    if (normalMap) {
        SetStage(0, D3DTSS_TEXCOORDINDEX, 1);
        SetStage(1, D3DTSS_TEXCOORDINDEX, 0);
    } else {
        g_currentDevice->SetTexture(0, pictureCopy.Get());
        SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
        SetStage(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    }
    g_currentDevice->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);
    SetStage(0, D3DTSS_TEXCOORDINDEX, 0);
    SetStage(1, D3DTSS_TEXCOORDINDEX, 1);
}

void FakeLake2D::RenderBackground(int)
{
    g_currentDevice->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    KV_2D_Light::RenderBackground(0);
    if (pictureCopy)
        DrawWater();
    g_currentDevice->SetTexture(1, nullptr);
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    SetStage(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    DrawColourQuad(waterTint);
    DrawColourQuad(shoreTint);
}
