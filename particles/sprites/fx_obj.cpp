#include "particles/sprites/fx_obj.h"

#include "particles/sprites/stat_base_fx_ctrl.h"
#include "scene/light/kv_abrender.h"

KV_FXObj::KV_FXObj(std::unique_ptr<KV_StatBaseFXCtrl> description) : EffectSpriteObject(std::move(description)) {}

bool KV_FXObj::ReadsScene() const { return false; }

KV_StatBaseFXCtrl& KV_FXObj::Effects() { return static_cast<KV_StatBaseFXCtrl&>(Description()); }

void KV_FXObj::Render(KV_ABRender& renderer)
{
    if (HasSprites() && Effects().SetupEffect(renderer, m_geometry))
        renderer.DrawIndexedPCT(m_geometry, Effects().Effect());
}
