#include "particles/processes/particle.h"

#include "particles/processes/pprocess.h"

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

void RunParticleList(ParticleList& list, float dt)
{
    for (auto it = list.begin(); it != list.end();) {
        if (it->RunProcesses(dt))
            ++it;
        else
            it = list.erase(it);
    }
}
