// The firework's record, version 1: spark count and size, burst speed and
// glow scale, then the origin generator's fields.
#include "particles/generators/firework.h"

#include "particles/generators/record_fields.h"
#include "scene/document/record.h"

void KV_FireworkSimple::Read(KV_IOF_Virtual& archive, DWORD) { ReadFields(archive); }

void KV_Firework::ReadFields(KV_IOF_Virtual& archive)
{
    archive.ReadUInt(&sparkCount.Value());
    archive.ReadUInt(&sparkSize.Value());
    ReadScaledValue(archive, burstSpeed);
    ReadScaledValue(archive, glowScale);
    KV_ParticleOriginGenerator::ReadFields(archive);
}

void KV_FireworkSimple::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_FireworkSimple", 1);
    WriteFields(archive);
}

void KV_Firework::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&sparkCount.Value());
    archive.WriteUInt(&sparkSize.Value());
    archive.WriteUInt(&burstSpeed.Value());
    archive.WriteUInt(&glowScale.Value());
    KV_ParticleOriginGenerator::WriteFields(archive);
}
