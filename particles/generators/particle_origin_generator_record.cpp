// The origin generator's record, version 1: lifetime, rate, third value,
// direction and speed, the centre, then the textured record.
#include "particles/generators/particle_origin_generator.h"

#include "particles/generators/record_fields.h"
#include "scene/document/record.h"

void KV_ParticleOriginGenerator::ReadFields(KV_IOF_Virtual& archive)
{
    ReadScaledValue(archive, originLifetime);
    archive.ReadUInt(&originRate.Value());
    archive.ReadUInt(&thirdValue.Value());
    archive.ReadUInt(&direction.Value());
    ReadScaledValue(archive, originSpeed);
    ReadVector(archive, centre.Value());
    KV_TexParticleGenerator::ReadRecord(archive);
}

void KV_ParticleOriginGenerator::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_ParticleOriginGenerator", 1);
    WriteFields(archive);
}

void KV_ParticleOriginGenerator::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&originLifetime.Value());
    archive.WriteUInt(&originRate.Value());
    archive.WriteUInt(&thirdValue.Value());
    archive.WriteUInt(&direction.Value());
    archive.WriteUInt(&originSpeed.Value());
    WriteVector(archive, centre.Value());
    KV_TexParticleGenerator::WriteRecord(archive);
}
