// The flame layer's record, version 2: the switches and the drop, the
// distortion's links and values, the fire's whole record (before version 2
// the fire's speed after the drop and two links in its place, which are
// skipped), then the light's part.
#include "effects/lights/flame_light.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kFlameVersion = 2;

const RegisterReader<KV_FlameLight, KV_2D_Light> registration(L"KV_FlameLight");

} // namespace

void KV_FlameLight::Read(KV_IOF_Virtual& archive, DWORD version)
{
    archive.ReadInt(&showFlames.Value());
    archive.ReadInt(&distortScene.Value());
    archive.ReadUInt(&flameDrop.Value());
    if (version < 2)
        ReadScaledValue(archive, fire.speed);
    ReadFileLink(archive, distortion.bumpMapLink);
    ReadFileLink(archive, distortion.effectLink);
    ReadScaledValue(archive, distortion.speed);
    ReadScaledValue(archive, distortion.strength);
    ReadScaledValue(archive, distortion.bumpScale);
    if (version >= 2) {
        KV_FireFX::ReadFields(archive, fire, ReadRecordVersion(archive));
    } else {
        KV_FileLink3 skipped;
        ReadFileLink(archive, skipped);
        ReadFileLink(archive, skipped);
    }
    ReadRecord(archive, *this);
}

void KV_FlameLight::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_FlameLight", kFlameVersion);
    archive.WriteInt(&showFlames.Value());
    archive.WriteInt(&distortScene.Value());
    archive.WriteUInt(&flameDrop.Value());
    WriteImageLink(archive, distortion.bumpMapLink);
    WriteFileLink(archive, distortion.effectLink);
    archive.WriteUInt(&distortion.speed.Value());
    archive.WriteUInt(&distortion.strength.Value());
    archive.WriteUInt(&distortion.bumpScale.Value());
    fire.Write(archive);
    KV_2D_Light::Write(archive);
}
