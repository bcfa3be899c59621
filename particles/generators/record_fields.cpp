#include "particles/generators/record_fields.h"

#include "scene/document/kv_iof_virtual.h"

namespace {

constexpr std::size_t kPositionBytes = 12;

} // namespace

void ReadScaledValue(KV_IOF_Virtual& archive, UINTSclaleTo<float>& param)
{
    archive.ReadUInt(&param.Value());
    param.NotifyControls(nullptr);
}

void ReadVector(KV_IOF_Virtual& archive, D3DXVECTOR3& v)
{
    archive.ReadFloat(&v.x);
    archive.ReadFloat(&v.y);
    archive.ReadFloat(&v.z);
}

void WriteVector(KV_IOF_Virtual& archive, const D3DXVECTOR3& v)
{
    archive.WriteFloat(&v.x);
    archive.WriteFloat(&v.y);
    archive.WriteFloat(&v.z);
}

Particle ReadParticlePosition(KV_IOF_Virtual& archive)
{
    D3DXVECTOR3 at(0, 0, 0);
    ReadVector(archive, at);
    return Particle(at.x, at.y, at.z);
}

void ReadParticlePositions(KV_IOF_Virtual& archive, ParticleList& list)
{
    DWORD count = 0;
    archive.ReadDword(&count);
    if (!archive.CanHold(count, kPositionBytes))
        return;
    list.clear();
    for (DWORD i = 0; i < count; ++i)
        list.push_back(ReadParticlePosition(archive));
}

void WriteParticlePositions(KV_IOF_Virtual& archive, const ParticleList& list)
{
    const DWORD count = static_cast<DWORD>(list.size());
    archive.WriteDword(&count);
    for (const Particle& p : list)
        WriteVector(archive, p.position);
}
