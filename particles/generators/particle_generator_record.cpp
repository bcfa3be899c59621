// The generator base record, version 3: origins, the four emission values
// and the switch, then the description base record.
#include "particles/generators/particle_generator.h"

#include "particles/generators/record_fields.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kGeneratorVersion = 3;

} // namespace

void KV_ParticleGenerator::ReadRecord(KV_IOF_Virtual& archive)
{
    const DWORD version = ReadRecordVersion(archive);
    ReadFields(archive, version);
}

void KV_ParticleGenerator::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    if (version > 1)
        ReadParticlePositions(archive, origins);
    if (version >= 3) {
        ReadScaledValue(archive, lifetime);
        ReadScaledValue(archive, emissionRate);
        ReadScaledValue(archive, sizeParam);
        ReadScaledValue(archive, initialSpeed);
        archive.ReadInt(&emissionSwitch.Value());
    } else {
        lifetime.StoreAndNotify(20);
        emissionRate.StoreAndNotify(30);
        sizeParam.StoreAndNotify(0);
        initialSpeed.StoreAndNotify(0);
        emissionSwitch.Value() = 0;
    }
    KV_ABObj_Constructor::ReadRecord(archive);
}

void KV_ParticleGenerator::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_ParticleGenerator", kGeneratorVersion);
    WriteFields(archive);
}

void KV_ParticleGenerator::WriteFields(KV_IOF_Virtual& archive) const
{
    WriteParticlePositions(archive, origins);
    archive.WriteUInt(&lifetime.Value());
    archive.WriteUInt(&emissionRate.Value());
    archive.WriteUInt(&sizeParam.Value());
    archive.WriteUInt(&initialSpeed.Value());
    archive.WriteInt(&emissionSwitch.Value());
    KV_ABObj_Constructor::WriteRecord(archive);
}
