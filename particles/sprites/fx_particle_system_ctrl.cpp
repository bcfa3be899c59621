#include "particles/sprites/fx_particle_system_ctrl.h"

#include "scene/document/record.h"
#include "scene/resources/kv_docresmanager.h"

void KV_FXParticleSystemCtrl::LoadResources()
{
    m_effect.Reset(g_currentDocResManager ? g_currentDocResManager->GetEffect(effectLink) : nullptr);
}

void KV_FXParticleSystemCtrl::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_FXParticleSystemCtrl", 1);
    WriteFileLink(archive, effectLink);
    KV_BaseSpriteProp::WriteRecord(archive);
}

void KV_FXParticleSystemCtrl::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    ReadFileLink(archive, effectLink);
    KV_BaseSpriteProp::ReadRecord(archive);
}

IDirect3DTexture9* LinkedFrame(const KV_FileLink3& link)
{
    return g_currentDocResManager ? g_currentDocResManager->GetImage(link).CurrentFrame() : nullptr;
}
