#include "scene/light/kv_2d_light.h"

#include <algorithm>

#include "scene/model/abobj.h"
#include "scene/render/current_device.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr D3DCOLOR kBackgroundClear = 0xFFF00FFF;
constexpr D3DCOLOR kCaptureClear = 0xFF000000;

void SetState(D3DRENDERSTATETYPE state, DWORD value) { g_currentDevice->SetRenderState(state, value); }
void SetStage(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value)
{
    g_currentDevice->SetTextureStageState(stage, type, value);
}

} // namespace

KV_2D_Light::KV_2D_Light()
    : pictureLink(KV_FileLink3::FromResource(5, L"common_res.dll")),
      m_pictureObserver(&pictureLink, &KV_2D_Light::ReloadPicture, this)
{
    pictureLink.Attach(&m_pictureObserver);
}

KV_2D_Light::~KV_2D_Light() = default;

void KV_2D_Light::Layout(int mode, bool insideTarget)
{
    if (g_currentRenderContext)
        g_currentRenderContext->Layout(GetPictureWidth(), GetPictureHeight(), m_targetWidth, m_targetHeight, mode,
                                       insideTarget);
}

void KV_2D_Light::PushRenderTarget(const RenderTargetPair& pair, int mode)
{
    const int current = g_currentRenderContext ? g_currentRenderContext->mode : m_pictureMode;
    g_renderTargetSizeStack.push_back({m_targetWidth, m_targetHeight, current});
    m_targetWidth = static_cast<int>(pair.width);
    m_targetHeight = static_cast<int>(pair.height);
    Layout(mode, true);
}

void KV_2D_Light::PopRenderTarget()
{
    if (g_renderTargetSizeStack.empty())
        return;
    const SavedRenderTarget saved = g_renderTargetSizeStack.back();
    g_renderTargetSizeStack.pop_back();
    m_targetWidth = saved.width;
    m_targetHeight = saved.height;
    Layout(saved.mode, !g_renderTargetSizeStack.empty());
}

TextureHolder& KV_2D_Light::GetSceneTexture()
{
    if (m_readerWaiting)
        ResolveSceneReader();
    return m_sceneTexture;
}

void KV_2D_Light::Create() { m_pictureQuad.SetPicture(pictureLink); }

void KV_2D_Light::SetBorderTextures()
{
    if (!g_currentRenderContext || !g_currentDocResManager)
        return;
    const TextureRecord border = g_currentDocResManager->GetImage(camera.borderLink).GetFirstFrame();
    g_currentRenderContext->SetBorderTextures(border.Texture());
    // The new quads are placed by the layout.
    Resize(m_targetWidth, m_targetHeight);
}

void KV_2D_Light::RestoreDeviceObjects()
{
    SetState(D3DRS_ZENABLE, FALSE);
    SetState(D3DRS_ZWRITEENABLE, FALSE);
    SetState(D3DRS_LIGHTING, FALSE);
    g_currentDevice->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR);
    g_currentDevice->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    g_currentDevice->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_MIRROR);
    g_currentDevice->SetSamplerState(0, D3DSAMP_ADDRESSV, D3DTADDRESS_MIRROR);
    SetStage(1, D3DTSS_TEXCOORDINDEX, 1);
    SetStage(0, D3DTSS_TEXCOORDINDEX, 0);
    SetStage(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_COLORARG2, D3DTA_CURRENT);
    SetStage(1, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    SetStage(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    RestoreSceneTargets();
}

void KV_2D_Light::RestoreSceneTargets()
{
    if (g_currentDocResManager)
        g_currentDocResManager->RestoreDeviceObjects();
    const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
    m_targets.Create(backBuffer.Width, backBuffer.Height);
    SetBorderTextures();
}

void KV_2D_Light::InvalidateDeviceObjects()
{
    m_targets.Release();
    m_sceneTexture.Reset();
    // The copy of a finished capture names one of the pair's targets.
    m_captureCopy.texture.Reset();
    if (g_currentDocResManager)
        g_currentDocResManager->ReleaseDeviceObjects();
}

void KV_2D_Light::DrawBorders(int flag)
{
    if (flag == 0 && g_currentRenderContext)
        g_currentRenderContext->DrawBorders();
}

// Blending off: the picture replaces what was there, transparent areas too.
void KV_2D_Light::RenderBackground(int flag)
{
    if (g_currentRenderContext) {
        g_currentRenderContext->ApplyTransforms();
        g_currentRenderContext->SetWorldTransform(m_pictureQuad.world);
    }
    if (flag == 0)
        g_currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET, kBackgroundClear, 1.0f, 0);
    SetState(D3DRS_ALPHABLENDENABLE, FALSE);
    g_currentDevice->SetTexture(0, m_pictureQuad.texture.Get());
    m_pictureQuad.SetStreamPT();
    g_currentDevice->DrawPrimitive(m_pictureQuad.primitiveType, 0, m_pictureQuad.primitiveCount);
}

void KV_2D_Light::FrameMove(float time) { camera.FrameMove(time); }

void KV_2D_Light::Resize(int width, int height)
{
    if (g_renderTargetSizeStack.empty()) {
        m_targetWidth = width;
        m_targetHeight = height;
    }
    if (!g_currentRenderContext)
        return;
    Layout(g_currentRenderContext->mode, !g_renderTargetSizeStack.empty());
    const float w = static_cast<float>(std::max(m_targetWidth, 1));
    const float h = static_cast<float>(std::max(m_targetHeight, 1));
    ScreenQuad fit;
    fit.MakeAspectFit(std::max(GetPictureWidth(), 1u), std::max(GetPictureHeight(), 1u), w, h);
    fit.ScaleToBackBuffer(w, h);
    const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
    g_currentRenderContext->SetPlacement(static_cast<float>(backBuffer.Width) / w,
                                         static_cast<float>(backBuffer.Height) / h, fit);
}

void KV_2D_Light::SetPicturePosition(int mode)
{
    m_pictureMode = mode;
    Layout(mode, false);
    Resize(m_targetWidth, m_targetHeight);
}

// Every stage operation it relies on is set: a sprite draw before it leaves
// alpha modulated with the diffuse, which would square the fade.
void KV_2D_Light::DrawOverlay(const KV_SimpleMesh* quad)
{
    if (!quad)
        return;
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    SetStage(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    SetStage(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    quad->SetStream(DX_V::RHWC::FVF, sizeof(DX_V::RHWC));
    g_currentDevice->DrawPrimitive(quad->primitiveType, 0, quad->primitiveCount);
    SetStage(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
}

void KV_2D_Light::DrawTexturedOverlay(const TexturedQuad& quad)
{
    SetState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    SetState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    SetState(D3DRS_ZENABLE, FALSE);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    g_currentDevice->SetTexture(0, quad.texture.Get());
    SetScreenMeshStream(quad);
    g_currentDevice->DrawPrimitive(quad.primitiveType, 0, quad.primitiveCount);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
}

void KV_2D_Light::BeginSceneCapture()
{
    if (g_currentRenderContext)
        m_pictureMode = g_currentRenderContext->mode;
    if (!m_targets.Current())
        return;
    m_targets.Begin(m_targets);
    m_capturing = true;
    Layout(ViewContext::Capture, false);
}

IDirect3DTexture9* KV_2D_Light::GetNextSceneTarget()
{
    if (!m_capturing)
        return m_pictureQuad.texture.Get();
    return m_targets.Flip().Get();
}

const RenderTargetPair& KV_2D_Light::EndSceneCapture(bool clear)
{
    Layout(m_pictureMode, false);
    if (m_capturing) {
        m_targets.End();
        m_capturing = false;
    }
    if (clear)
        g_currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kCaptureClear, 1.0f, 0);
    return m_targets;
}

// A reader flips the pair only when it asks for the scene: one that draws
// nothing (no effect, no target) must not black out what came before it.
void KV_2D_Light::RenderObjects(const std::vector<CountedRef<KV_ABObj>>& objects, int n)
{
    m_sceneTexture.Share(m_pictureQuad.texture.Get());
    for (auto object = objects.rbegin(); object != objects.rend(); ++object) {
        KV_ABObj* current = object->Get();
        if (!current)
            continue;
        const bool reader = current->ReadsScene();
        if (reader) {
            m_readerWaiting = true;
            m_waitingReaderIsLast = n < 2;
            --n;
        }
        if (current->IsActive())
            current->Render(*this);
        if (reader && m_readerWaiting) {
            m_readerWaiting = false;
            if (m_waitingReaderIsLast && m_capturing)
                ShowCapturedScene();
        }
        m_sceneTexture.Share(m_pictureQuad.texture.Get());
    }
}

void KV_2D_Light::ResolveSceneReader()
{
    m_readerWaiting = false;
    if (!m_capturing)
        return;
    if (m_waitingReaderIsLast)
        m_sceneTexture.Share(EndSceneCapture(false).Current());
    else
        m_sceneTexture.Share(GetNextSceneTarget());
}

void KV_2D_Light::ShowCapturedScene()
{
    const RenderTargetPair& finished = EndSceneCapture(false);
    ScreenQuad whole;
    whole.MakeFullScreen();
    m_captureCopy.SetQuad(finished.Current(), whole);
    SetState(D3DRS_ALPHABLENDENABLE, FALSE);
    SetStage(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    SetStage(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    SetStage(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    SetStage(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    g_currentDevice->SetTexture(0, m_captureCopy.texture.Get());
    SetScreenMeshStream(m_captureCopy);
    g_currentDevice->DrawPrimitive(m_captureCopy.primitiveType, 0, m_captureCopy.primitiveCount);
}

bool KV_2D_Light::SetCameraWander(bool on)
{
    const bool wandering = camera.mode.Value() == KVM_Camera::ModeWander;
    camera.SetMode(on ? KVM_Camera::ModeWander : 0);
    return wandering;
}

void KV_2D_Light::ReloadPicture()
{
    m_pictureQuad.SetPicture(pictureLink);
    Resize(m_targetWidth, m_targetHeight);
}
