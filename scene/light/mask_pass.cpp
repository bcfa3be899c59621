#include "scene/light/mask_pass.h"

#include "scene/light/kv_abrender.h"
#include "scene/render/current_device.h"
#include "scene/render/render_target_pair.h"
#include "scene/render/view_context.h"

MaskPass::MaskPass(KV_ABRender& renderer, RenderTargetPair& target, D3DCOLOR clear)
    : m_renderer(renderer), m_target(target)
{
    m_target.Begin(m_target);
    m_renderer.PushRenderTarget(m_target, ViewContext::Capture);
    g_currentDevice->Clear(0, nullptr, D3DCLEAR_TARGET, clear, 1.0f, 0);
}

MaskPass::~MaskPass()
{
    m_target.End();
    m_renderer.PopRenderTarget();
}
