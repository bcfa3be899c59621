#include "particles/generators/particle_origin_generator.h"

#include <iterator>

void KV_ParticleOriginGenerator::Update(float t, KV_ParticlesObj&)
{
    originSpeed.Advance(t);
    RunOrigins(originSpeed.Step());
}

void KV_ParticleOriginGenerator::RunOrigins(float step)
{
    AdvanceOriginRecords(step);
    originDebt += step;
    // A full list stops the sending: the debt waits for room, and however
    // large it grew the loop ends there.
    while (originRecords.size() < kMaxParticles) {
        const float period = 1.0f / (TimeLine().GetOpacity() * static_cast<float>(originRate.Value()));
        if (!(period < originDebt))
            break;
        originDebt -= period;
        originRecords.push_back(MakeOrigin());
    }
}

void KV_ParticleOriginGenerator::AdvanceOriginRecords(float step)
{
    for (auto record = originRecords.begin(); record != originRecords.end();) {
        record->Advance(step);
        record = record->timeLeft < 0 ? originRecords.erase(record) : std::next(record);
    }
}

OriginRecord KV_ParticleOriginGenerator::MakeOrigin()
{
    OriginRecord record;
    record.timeLeft = originLifetime.Result();
    record.velocity = direction.RandomDirection() * 100.0f;
    record.position = centre.Value();
    return record;
}
