#include "particles/sprites/glowing_obj.h"

#include "effects/screenfx/fx_params.h"
#include "particles/sprites/glow_effect_ctrl.h"
#include "scene/light/kv_abrender.h"
#include "scene/light/mask_pass.h"
#include "scene/light/picture_quad.h"
#include "scene/render/render_target_pair.h"
#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr UINT kGlowTargetSide = 512;

} // namespace

KV_GlowingObj::KV_GlowingObj(std::unique_ptr<KV_GlowEffectCtrl> description)
    : EffectSpriteObject(std::move(description))
{
    if (g_currentDocResManager) {
        m_target = g_currentDocResManager->GetRenderTarget(m_key);
        m_target->Create(kGlowTargetSide, kGlowTargetSide);
    }
}

bool KV_GlowingObj::ReadsScene() const { return true; }

KV_GlowEffectCtrl& KV_GlowingObj::Glow() { return static_cast<KV_GlowEffectCtrl&>(Description()); }

void KV_GlowingObj::Update(float localTime)
{
    Glow().BeginFrame();
    EffectSpriteObject::Update(localTime);
}

// Without an effect or sprites nothing is drawn and the scene is never
// asked for, so the frame drawn so far stays; a target released for a
// device reset leaves out the glow but not the sprites.
void KV_GlowingObj::Render(KV_ABRender& renderer)
{
    ID3DXEffect* effect = Glow().Effect();
    if (!effect || !HasSprites())
        return;
    if (m_target && m_target->Current()) {
        DrawGlow(renderer, *effect);
        Composite(renderer, *effect);
    }
    effect->SetTechnique("Common");
    effect->SetTexture("Texture1", Glow().MainTexture());
    renderer.DrawIndexedPCT(m_geometry, effect);
}

void KV_GlowingObj::DrawGlow(KV_ABRender& renderer, ID3DXEffect& effect)
{
    effect.SetTexture("Texture1", Glow().GlowTexture());
    effect.SetTechnique("Blend_Max");
    const MaskPass pass(renderer, *m_target, 0x00000000);
    renderer.DrawIndexedPCT(m_geometry, &effect);
}

void KV_GlowingObj::Composite(KV_ABRender& renderer, ID3DXEffect& effect)
{
    const KV_GlowEffectCtrl& glow = Glow();
    const ColourFloats colour = SplitColour(glow.glowColour.Value());
    const float strength = glow.glowStrength.Result() * glow.TimeLine().GetOpacity();
    effect.SetTechnique(glow.blendMode.Value() == 1 ? "Blend_Screen" : "Blend_Normal");
    SetFloats(effect, "BlendColor", {colour.red, colour.green, colour.blue, strength});
    effect.SetTexture("Texture1", renderer.GetSceneTexture().Get());
    effect.SetTexture("Texture2", m_target->Current());
    renderer.DrawPT(renderer.GetPictureQuad(), &effect);
}
