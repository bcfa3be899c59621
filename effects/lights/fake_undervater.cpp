#include "effects/lights/fake_undervater.h"

#include "scene/render/view_context.h"

void FakeUndervater::Create()
{
    KV_2D_Light::Create();
    MaskSlot none;
    effect.LoadResources(none);
}

void FakeUndervater::FrameMove(float time)
{
    camera.FrameMove(time);
    effect.Update(time);
}

// Without a capture (a pair without textures) everything is on the back
// buffer already.
void FakeUndervater::DrawBorders(int flag)
{
    if (Capturing()) {
        m_sceneTexture.Share(EndSceneCapture(false).Current());
        effect.Render(*this);
    }
    if (flag == 0 && g_currentRenderContext)
        g_currentRenderContext->DrawBorders();
}
