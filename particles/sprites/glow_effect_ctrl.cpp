#include "particles/sprites/glow_effect_ctrl.h"

#include "effects/screenfx/fx_params.h"
#include "particles/sprites/glowing_obj.h"
#include "scene/document/record.h"

KV_GlowEffectCtrl::KV_GlowEffectCtrl() { glowColour.Value() = 0; }

std::unique_ptr<KV_ABObj> KV_GlowEffectCtrl::CreateObject() const
{
    return std::make_unique<KV_GlowingObj>(AsKind<KV_GlowEffectCtrl>(ResolvedClone()));
}

void KV_GlowEffectCtrl::LoadResources()
{
    KV_FXParticleSystemCtrl::LoadResources();
    LoadTextures();
}

void KV_GlowEffectCtrl::LoadTextures()
{
    m_glowTexture.Share(LinkedFrame(secondImage));
    m_mainTexture.Share(LinkedFrame(image));
}

void KV_GlowEffectCtrl::BeginFrame() {}

void KV_GlowEffectCtrl::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_GlowEffectCtrl", 1);
    archive.WriteDword(&glowColour.Value());
    archive.WriteUInt(&glowStrength.Value());
    KV_FXParticleSystemCtrl::WriteRecord(archive);
}

void KV_GlowEffectCtrl::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    archive.ReadDword(&glowColour.Value());
    ReadScaledValue(archive, glowStrength);
    KV_FXParticleSystemCtrl::ReadRecord(archive);
}
