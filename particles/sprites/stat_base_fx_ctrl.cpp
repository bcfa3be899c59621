#include "particles/sprites/stat_base_fx_ctrl.h"

#include "particles/sprites/fx_obj.h"
#include "scene/document/record.h"

void KV_BaseFXCtrl::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_BaseFXCtrl", 1);
    KV_FXParticleSystemCtrl::WriteRecord(archive);
}

void KV_BaseFXCtrl::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    KV_FXParticleSystemCtrl::ReadRecord(archive);
}

KV_StatBaseFXCtrl::KV_StatBaseFXCtrl()
    : position(D3DXVECTOR3(PictureWidthPixels() / 2.0f, PictureHeightPixels() / 2.0f, 0.0f))
{
}

std::unique_ptr<KV_ABObj> KV_StatBaseFXCtrl::CreateObject() const
{
    return std::make_unique<KV_FXObj>(AsKind<KV_StatBaseFXCtrl>(ResolvedClone()));
}

void KV_StatBaseFXCtrl::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_StatBaseFXCtrl", 2);
    const D3DXVECTOR3& p = position.Value();
    for (const float* value : {&p.x, &p.y, &p.z})
        archive.WriteFloat(value);
    archive.WriteUInt(&height.Value());
    archive.WriteUInt(&width.Value());
    KV_BaseFXCtrl::WriteRecord(archive);
}

void KV_StatBaseFXCtrl::ReadRecord(KV_IOF_Virtual& archive)
{
    const DWORD version = ReadRecordVersion(archive);
    D3DXVECTOR3& p = position.Value();
    for (float* value : {&p.x, &p.y, &p.z})
        archive.ReadFloat(value);
    if (version >= 2) {
        archive.ReadUInt(&height.Value());
        archive.ReadUInt(&width.Value());
    }
    KV_BaseFXCtrl::ReadRecord(archive);
}
