// The water rings' record, version 2: from version 2 six settings stored
// as they are and three scaled values, always whether the scene is
// refracted, then the light's part.
#include "effects/lights/water_ring_light.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kWaterRingVersion = 2;

const RegisterReader<KV_WaterRingLight, KV_2D_Light> registration(L"KV_WaterRingLight");

} // namespace

void KV_WaterRingLight::Read(KV_IOF_Virtual& archive, DWORD version)
{
    if (version > 1) {
        for (MediaParamT<unsigned int>* value :
             {&waveRate, &rowDensity, &columnDensity, &dropSize, &waveDamping, &refractionDepth})
            archive.ReadUInt(&value->Value());
        for (UINTSclaleTo<float>* scaled : {&dropsPerSecond, &specularLevel, &specularPower}) {
            UINT value = scaled->Value();
            archive.ReadUInt(&value);
            scaled->SetValue(value);
        }
    }
    archive.ReadInt(&refractScene.Value());
    ReadRecord(archive, *this);
}

void KV_WaterRingLight::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_WaterRingLight", kWaterRingVersion);
    for (const MediaParamT<unsigned int>* value :
         {&waveRate, &rowDensity, &columnDensity, &dropSize, &waveDamping, &refractionDepth})
        archive.WriteUInt(&value->Value());
    for (const UINTSclaleTo<float>* scaled : {&dropsPerSecond, &specularLevel, &specularPower})
        archive.WriteUInt(&scaled->Value());
    archive.WriteInt(&refractScene.Value());
    KV_2D_Light::Write(archive);
}
