#include "particles/generators/static_generator.h"

#include "particles/generators/record_fields.h"
#include "scene/document/record.h"

void KV_StaticGenerator::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    ReadVector(archive, centre.Value());
    KV_TexParticleGenerator::ReadRecord(archive);
}

void KV_StaticGenerator::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_StaticGenerator", 1);
    WriteVector(archive, centre.Value());
    KV_TexParticleGenerator::WriteRecord(archive);
}

void KV_ParticleRctRgnGenerator::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    region.Read(archive);
    KV_TexParticleGenerator::ReadRecord(archive);
}

void KV_ParticleRctRgnGenerator::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_ParticleRctRgnGenerator", 1);
    region.Write(archive);
    KV_TexParticleGenerator::WriteRecord(archive);
}
