// A particle: a position with five float channels, whose behaviour over
// time is the list of processes it owns.
#pragma once

#include <d3dx9math.h>

#include <array>
#include <list>
#include <memory>
#include <typeinfo>
#include <utility>

#include "particles/processes/pprocess.h"

enum ParticleChannel : int {
    kLife = 0,   // normalised lifetime, 0 at birth
    kSize = 1,   // scale of the generator's size
    kAlpha = 2,  // opacity factor
    kAge = 3,    // seconds of scaled time since birth
    kAngle = 4,  // rotation in radians
};

class Particle {
public:
    Particle(float x, float y, float z);
    // Clones every process of the source, in order; not those it keeps
    // from earlier lives.
    Particle(const Particle& other);
    Particle& operator=(const Particle&) = delete;
    Particle(Particle&&) noexcept = default;
    ~Particle();

    // Every process runs, even after one has ended the particle; the
    // result is whether none did.
    bool RunProcesses(float dt);
    void SavePosition() { previous = position; }
    // Takes ownership.
    void AddProcess(std::unique_ptr<PProcess> process);
    // Appends a new process of the kind. A particle born again reuses the
    // process that held the same place in its earlier life, when that one
    // is of the same kind, rather than the heap.
    template <class Kind, class... Args>
    void Attach(Args&&... args);
    void ClearProcesses() { processes.clear(); }
    // The particle as if constructed at the position, without processes:
    // those it had are kept, in order, for Attach.
    void Restart(const D3DXVECTOR3& at);

    float& Life() { return channels[kLife]; }
    float& Size() { return channels[kSize]; }
    float& Alpha() { return channels[kAlpha]; }
    float& Age() { return channels[kAge]; }
    float& Angle() { return channels[kAngle]; }
    float Life() const { return channels[kLife]; }
    float Size() const { return channels[kSize]; }
    float Alpha() const { return channels[kAlpha]; }
    float Age() const { return channels[kAge]; }
    float Angle() const { return channels[kAngle]; }

    static constexpr std::array<float, 5> kBirthChannels{0.0f, 1.0f, 1.0f, 0.0f, 0.0f};

    D3DXVECTOR3 position;
    D3DXVECTOR3 previous;
    std::array<float, 5> channels = kBirthChannels;
    std::list<std::unique_ptr<PProcess>> processes;

private:
    // Processes of earlier lives not attached again yet; they never run.
    std::list<std::unique_ptr<PProcess>> m_kept;
};

template <class Kind, class... Args>
void Particle::Attach(Args&&... args)
{
    if (m_kept.empty()) {
        processes.push_back(std::make_unique<Kind>(std::forward<Args>(args)...));
        return;
    }
    std::unique_ptr<PProcess>& slot = m_kept.front();
    const PProcess& kept = *slot;
    // Exactly the kind: a kind derived from it would be cut down to it.
    if (typeid(kept) == typeid(Kind))
        static_cast<Kind&>(*slot) = Kind(std::forward<Args>(args)...);
    else
        slot = std::make_unique<Kind>(std::forward<Args>(args)...);
    processes.splice(processes.end(), m_kept, m_kept.begin());
}

using ParticleList = std::list<Particle>;

// The particles that ended in one list, kept with their processes, so that
// the list's births take their memory instead of the heap's: every birth
// into a list whose ended particles go here comes through Append.
class SpareParticles {
public:
    SpareParticles() = default;
    // Spares are memory, not particles: a copy starts without any.
    SpareParticles(const SpareParticles&) {}
    SpareParticles& operator=(const SpareParticles&) = delete;

    // Takes the particle out of its list; returns the one after it.
    ParticleList::iterator Keep(ParticleList& list, ParticleList::iterator ended);
    // Appends a particle as constructed at the position, on a spare one
    // when there is one.
    Particle& Append(ParticleList& list, const D3DXVECTOR3& at);

private:
    ParticleList m_particles;
};

// Runs every particle's processes and takes at once each one that ended out
// of the list, into the spares when given, else destroyed.
void RunParticleList(ParticleList& list, float dt, SpareParticles* spares = nullptr);
