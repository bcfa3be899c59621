#include "particles/processes/processes.h"

#include "particles/processes/particle.h"
#include "scene/model/crt_random.h"
#include "scene/model/random_functions.h"

bool PLifeConst::Process(float dt, Particle& p)
{
    p.Life() = p.Life() + rate * dt;
    return p.Life() < 1.0f;
}

bool PAgeConst::Process(float dt, Particle& p)
{
    p.Age() = p.Age() + dt;
    return maximumAge > p.Age();
}

bool PFade::Process(float, Particle& p)
{
    const float age = p.Age();
    if (remaining == 0.0f || startAge > age)
        return true;
    float& value = p.channels[channel];
    if (age < endAge) {
        // The window's start follows the age, so the change stays linear in
        // age however the steps fall.
        const float d = remaining * (age - startAge) / (endAge - startAge);
        value = value + d;
        remaining = remaining - d;
        startAge = age;
    } else {
        value = value + remaining;
        remaining = 0.0f;
    }
    return true;
}

bool PSteady::Process(float dt, Particle& p)
{
    if (low < p.Life() && p.Life() < high)
        p.channels[channel] = p.channels[channel] + rate * dt;
    return true;
}

bool PTwinkle::Process(float dt, Particle& p)
{
    timer = timer + dt;
    if (period < timer) {
        if (kv_rand() % 3 == 0) {
            p.channels[channel] = base * RandomFloat(1.0f, 1.5f);
            period = 0.2f;
        } else {
            p.channels[channel] = base;
            period = RandomFloat(0.2f, 2.5f);
        }
        timer = 0.0f;
    }
    return true;
}

D3DXVECTOR3 KineticDisplacement(const D3DXVECTOR3& v, const D3DXVECTOR3& a, float dt)
{
    return D3DXVECTOR3(v.x * dt + ((a.x * 0.5f) * dt) * dt, v.y * dt + ((a.y * 0.5f) * dt) * dt,
                       v.z * dt + ((a.z * 0.5f) * dt) * dt);
}

bool PKinetic::Process(float dt, Particle& p)
{
    p.position += KineticDisplacement(velocity, acceleration, dt);
    velocity += acceleration * dt;
    return true;
}

bool PSpin::Process(float dt, Particle& p)
{
    p.Angle() = p.Angle() + rate * dt;
    return true;
}
