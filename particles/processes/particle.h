// A particle: a position with five float channels, whose behaviour over
// time is the list of processes it owns.
#pragma once

#include <d3dx9math.h>

#include <array>
#include <list>
#include <memory>

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
    // Clones every process of the source, in order.
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
    void ClearProcesses() { processes.clear(); }

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

    D3DXVECTOR3 position;
    D3DXVECTOR3 previous;
    std::array<float, 5> channels{0.0f, 1.0f, 1.0f, 0.0f, 0.0f};
    std::list<std::unique_ptr<PProcess>> processes;
};

using ParticleList = std::list<Particle>;

// Runs every particle's processes and erases at once each one that ended.
void RunParticleList(ParticleList& list, float dt);
