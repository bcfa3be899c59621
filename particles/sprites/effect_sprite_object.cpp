#include "particles/sprites/effect_sprite_object.h"

#include "particles/sprites/fx_particle_system_ctrl.h"

EffectSpriteObject::EffectSpriteObject(std::unique_ptr<KV_FXParticleSystemCtrl> description)
    : KV_ABObj(std::move(description)), m_geometry(Sprites())
{
    m_geometry.BindCount();
    Sprites().LoadResources();
}

EffectSpriteObject::~EffectSpriteObject() = default;

void EffectSpriteObject::Signal(int, int) {}
void EffectSpriteObject::UpdateLayout() {}
bool EffectSpriteObject::HitTest(POINT) const { return false; }

void EffectSpriteObject::Update(float localTime)
{
    m_geometry.Update(localTime);
    m_geometry.FillVertexBuffer(Sprites());
}

KV_FXParticleSystemCtrl& EffectSpriteObject::Sprites() { return static_cast<KV_FXParticleSystemCtrl&>(Description()); }
