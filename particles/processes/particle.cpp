#include "particles/processes/particle.h"

#include "particles/processes/pprocess.h"

#include <iterator>

Particle::Particle(float x, float y, float z) : position(x, y, z), previous(x, y, z) {}

Particle::Particle(const Particle& other)
    : position(other.position), previous(other.previous), channels(other.channels)
{
    for (const auto& process : other.processes)
        processes.push_back(process->Clone());
}

Particle::~Particle() = default;

bool Particle::RunProcesses(float dt)
{
    bool alive = true;
    for (const auto& process : processes)
        alive = process->Process(dt, *this) && alive;
    return alive;
}

void Particle::AddProcess(std::unique_ptr<PProcess> process) { processes.push_back(std::move(process)); }

void Particle::Restart(const D3DXVECTOR3& at)
{
    position = previous = at;
    channels = kBirthChannels;
    // Ahead of what earlier lives left unused, so each keeps its place.
    m_kept.splice(m_kept.begin(), processes);
}

ParticleList::iterator SpareParticles::Keep(ParticleList& list, ParticleList::iterator ended)
{
    const auto next = std::next(ended);
    m_particles.splice(m_particles.end(), list, ended);
    return next;
}

Particle& SpareParticles::Append(ParticleList& list, const D3DXVECTOR3& at)
{
    if (m_particles.empty())
        return list.emplace_back(at.x, at.y, at.z);
    // The one that ended last, the likeliest still in the cache.
    list.splice(list.end(), m_particles, std::prev(m_particles.end()));
    Particle& particle = list.back();
    particle.Restart(at);
    return particle;
}

void RunParticleList(ParticleList& list, float dt, SpareParticles* spares)
{
    for (auto it = list.begin(); it != list.end();) {
        if (it->RunProcesses(dt))
            ++it;
        else
            it = spares ? spares->Keep(list, it) : list.erase(it);
    }
}
