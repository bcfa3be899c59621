// The underwater layer's record, version 2: the effect's whole record
// (version 1: only its speed, halved), then the light's part.
#include "effects/lights/fake_undervater.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kUnderwaterLayerVersion = 2;

const RegisterReader<FakeUndervater, KV_2D_Light> registration(L"FakeUndervater");

} // namespace

void FakeUndervater::Read(KV_IOF_Virtual& archive, DWORD version)
{
    if (version == 1) {
        ReadScaledValue(archive, effect.speed);
        effect.speed.SetValue(effect.speed.Value() >> 1);
    } else {
        ReadRecordVersion(archive);
        effect.ReadFields(archive);
    }
    ReadRecord(archive, *this);
}

void FakeUndervater::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"FakeUndervater", kUnderwaterLayerVersion);
    effect.Write(archive);
    KV_2D_Light::Write(archive);
}
