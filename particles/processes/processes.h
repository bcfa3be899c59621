// The particle processes of the generators: lifetimes, fades, flashes,
// motion and spin.
#pragma once

#include "particles/processes/pprocess.h"

#include <d3dx9math.h>

// Ends the particle when its life channel reaches 1.
class PLifeConst : public PProcessT<PLifeConst> {
public:
    explicit PLifeConst(float rate) : rate(rate) {}
    bool Process(float dt, Particle& p) override;
    float rate;
};

// Ends the particle when its age reaches the maximum.
class PAgeConst : public PProcessT<PAgeConst> {
public:
    explicit PAgeConst(float maximumAge) : maximumAge(maximumAge) {}
    bool Process(float dt, Particle& p) override;
    float maximumAge;
};

// A linear change of a channel spread over a window of the age channel.
class PFade : public PProcessT<PFade> {
public:
    PFade(int channel, float startAge, float endAge, float change)
        : channel(channel), startAge(startAge), endAge(endAge), remaining(change)
    {
    }
    bool Process(float dt, Particle& p) override;
    int channel;
    float startAge;
    float endAge;
    float remaining;
};

// A constant rate of change while the life channel lies strictly inside
// (low, high).
class PSteady : public PProcessT<PSteady> {
public:
    PSteady(int channel, float low, float high, float rate) : channel(channel), low(low), high(high), rate(rate) {}
    bool Process(float dt, Particle& p) override;
    int channel;
    float low;
    float high;
    float rate;
};

// Rests at the base value for 0.2 to 2.5 s and now and then flashes to 1
// to 1.5 times it for 0.2 s.
class PTwinkle : public PProcessT<PTwinkle> {
public:
    PTwinkle(int channel, float base) : channel(channel), base(base) {}
    bool Process(float dt, Particle& p) override;
    int channel;
    float timer = 0.0f;
    float base;
    float period = 0.0f;
};

// Uniform acceleration.
class PKinetic : public PProcessT<PKinetic> {
public:
    PKinetic(const D3DXVECTOR3& velocity, const D3DXVECTOR3& acceleration)
        : velocity(velocity), acceleration(acceleration)
    {
    }
    bool Process(float dt, Particle& p) override;
    D3DXVECTOR3 velocity;
    D3DXVECTOR3 acceleration;
};

class PSpin : public PProcessT<PSpin> {
public:
    explicit PSpin(float rate) : rate(rate) {}
    bool Process(float dt, Particle& p) override;
    float rate;  // radians per second
};

// v dt + a dt^2 / 2 per axis, the displacement of one step of uniform
// acceleration; the velocity is the one before the step.
D3DXVECTOR3 KineticDisplacement(const D3DXVECTOR3& v, const D3DXVECTOR3& a, float dt);
