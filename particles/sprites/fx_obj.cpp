#include "particles/sprites/fx_obj.h"

#include "particles/sprites/stat_base_fx_ctrl.h"
#include "scene/light/kv_abrender.h"

KV_FXObj::KV_FXObj(std::unique_ptr<KV_StatBaseFXCtrl> description)
    : KV_ABObj(std::move(description)), m_effects(static_cast<KV_StatBaseFXCtrl*>(&Description())),
      m_geometry(*m_effects)
{
    m_geometry.BindCount();
    m_effects->LoadResources();
}

KV_FXObj::~KV_FXObj() = default;

void KV_FXObj::Signal(int, int) {}
void KV_FXObj::UpdateLayout() {}
bool KV_FXObj::ReadsScene() const { return false; }
bool KV_FXObj::HitTest(POINT) const { return false; }

void KV_FXObj::Update(float localTime)
{
    m_geometry.Update(localTime);
    m_geometry.FillVertexBuffer(*m_effects);
}

// A system whose count was 0 from the start has no buffers to draw.
void KV_FXObj::Render(KV_ABRender& renderer)
{
    if (m_geometry.vertexBuffer && m_effects->SetupEffect(renderer, m_geometry))
        renderer.DrawIndexedPCT(m_geometry, m_effects->Effect());
}
