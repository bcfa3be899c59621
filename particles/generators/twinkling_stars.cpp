#include "particles/generators/twinkling_stars.h"

#include "particles/generators/record_fields.h"
#include "particles/processes/processes.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/random_functions.h"

namespace {

const RegisterReader<KV_TwinklingStars, KV_ABObj_Constructor> registration(L"KV_TwinklingStars");

} // namespace

void MakeTwinkling(Particle& point)
{
    point.Size() = 0.5f + 0.5f * RandomFloat(0, 1);
    point.Alpha() = 0.5f + 0.5f * RandomFloat(0, 1);
    point.AddProcess(std::make_unique<PTwinkle>(kSize, point.Size()));
}

std::unique_ptr<KV_ParticleGenerator> KV_TwinklingStars::Clone() const
{
    return std::make_unique<KV_TwinklingStars>(*this);
}

void KV_TwinklingStars::RestoreResources(KV_ParticlesObj& object)
{
    KV_AirBrush::RestoreResources(object);
    for (Particle& point : points) {
        if (point.processes.empty())
            MakeTwinkling(point);
    }
}

void KV_TwinklingStars::AddPoint(float x, float y, float z)
{
    Particle point(x, y, z);
    MakeTwinkling(point);
    points.push_back(std::move(point));
}

void KV_TwinklingStars::Update(float t, KV_ParticlesObj&)
{
    twinkleSpeed.Advance(t);
    for (Particle& point : points)
        point.RunProcesses(twinkleSpeed.Step());
    FillQuads();
}

void KV_TwinklingStars::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadScaledValue(archive, twinkleSpeed);
    KV_AirBrush::ReadRecord(archive);
}

void KV_TwinklingStars::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_TwinklingStars", 1);
    archive.WriteUInt(&twinkleSpeed.Value());
    KV_AirBrush::WriteRecord(archive);
}
