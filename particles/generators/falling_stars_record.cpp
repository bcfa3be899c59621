// The falling stars' record, version 1: eight values, the region, then the
// textured record (the rectangle base writes none of its own here).
#include "particles/generators/falling_stars.h"

#include "particles/generators/record_fields.h"
#include "scene/document/record.h"

void KV_FallingStars::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadFields(archive);
    KV_TexParticleGenerator::ReadRecord(archive);
}

void KV_FallingStars::ReadFields(KV_IOF_Virtual& archive)
{
    ReadScaledValue(archive, starSpeed);
    ReadScaledValue(archive, starRate);
    archive.ReadUInt(&direction.Value());
    direction.UpdateAxes();
    archive.ReadUInt(&starSize.Value());
    ReadScaledValue(archive, glowScale);
    ReadScaledValue(archive, holdTime);
    ReadScaledValue(archive, fadeInTime);
    ReadScaledValue(archive, fadeOutTime);
    region.Read(archive);
}

void KV_FallingStars::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_FallingStars", 1);
    WriteFields(archive);
}

void KV_FallingStars::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&starSpeed.Value());
    archive.WriteUInt(&starRate.Value());
    archive.WriteUInt(&direction.Value());
    archive.WriteUInt(&starSize.Value());
    archive.WriteUInt(&glowScale.Value());
    archive.WriteUInt(&holdTime.Value());
    archive.WriteUInt(&fadeInTime.Value());
    archive.WriteUInt(&fadeOutTime.Value());
    region.Write(archive);
    KV_TexParticleGenerator::WriteRecord(archive);
}
