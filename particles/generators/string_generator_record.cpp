#include "particles/generators/string_generator.h"

#include "particles/generators/record_fields.h"
#include "scene/document/record.h"

void KV_StringGenerator::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    ReadVector(archive, endPoint1.Value());
    ReadVector(archive, endPoint2.Value());
    KV_TexParticleGenerator::ReadRecord(archive);
}

void KV_StringGenerator::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_StringGenerator", 1);
    WriteVector(archive, endPoint1.Value());
    WriteVector(archive, endPoint2.Value());
    KV_TexParticleGenerator::WriteRecord(archive);
}
