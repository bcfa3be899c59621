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

Particle ReadParticlePosition(KV_IOF_Virtual& archive)
{
    float x = 0, y = 0, z = 0;
    archive.ReadFloat(&x);
    archive.ReadFloat(&y);
    archive.ReadFloat(&z);
    return Particle(x, y, z);
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
    for (const Particle& p : list) {
        archive.WriteFloat(&p.position.x);
        archive.WriteFloat(&p.position.y);
        archive.WriteFloat(&p.position.z);
    }
}
