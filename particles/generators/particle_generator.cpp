#include "particles/generators/particle_generator.h"

#include "particles/generators/particles_obj.h"
#include "particles/processes/processes.h"
#include "scene/model/float_convert.h"
#include "scene/model/random_functions.h"

#include <algorithm>

KV_ParticleGenerator::~KV_ParticleGenerator() = default;

std::unique_ptr<KV_ABObj> KV_ParticleGenerator::CreateObject() const
{
    return std::make_unique<KV_ParticlesObj>(Clone());
}

void KV_ParticleGenerator::Update(float t, KV_ParticlesObj&)
{
    speed.Advance(t);
    RunParticleList(origins, speed.Step(), &spareOrigins);
    RunParticleList(particles, speed.Step(), &spareParticles);
}

void KV_ParticleGenerator::InitParticle(Particle& particle, const Particle& origin)
{
    particle.Alpha() = origin.Alpha();
    const float life = lifetime.Result();
    particle.Attach<PAgeConst>(life);
    particle.Attach<PFade>(kAlpha, 0.0f, life, -1.0f);
    const float u = RandomFloat(0, 1);
    const D3DXVECTOR3 velocity = RandomConeDirection(initialSpeed.Result() * u);
    particle.Attach<PKinetic>(velocity, D3DXVECTOR3(0, 0, 0));
}

void KV_ParticleGenerator::EmitFromOrigins(float time)
{
    // Saturating: a huge rate or a long pause is not a count to loop over.
    const float due = emissionRate.Result() * (time - emissionRate.LastEmission());
    const size_t room = kMaxParticles - std::min(particles.size(), kMaxParticles);
    const long long n = SaturatingTruncate<long long>(due);
    if (n != 0)
        emissionRate.SetLastEmission(time);
    if (emissionSwitch.Value() != 0 && n > 0) {
        // No list takes more than kMaxParticles, so no step needs more.
        const long long count = std::min<long long>(n, kMaxParticles);
        const float step = 1.0f / static_cast<float>(count + 1);
        size_t left = room;
        for (Particle& origin : origins) {
            const D3DXVECTOR3 along = origin.position - origin.previous;
            for (long long i = 1; i <= count && left > 0; ++i, --left) {
                const D3DXVECTOR3 at = origin.previous + along * (step * static_cast<float>(i));
                InitParticle(spareParticles.Append(particles, at), origin);
            }
        }
    }
    for (Particle& origin : origins)
        origin.SavePosition();
}
