// A moving emitter sent out by an origin generator: where it is, how it
// moves, its size and alpha, and the small behaviours that change them
// each step.
#pragma once

#include <list>
#include <vector>

#include <d3dx9math.h>

struct OriginRecord;

using OriginFunction = void (*)(OriginRecord& record, float dt, const std::vector<float>& parameters);

struct OriginCallback {
    std::vector<float> parameters;
    OriginFunction function;
};

struct OriginRecord {
    // Time left −= dt, then every callback in order.
    void Advance(float dt);
    void AddCallback(OriginFunction function, std::vector<float> parameters = {});

    float timeLeft = -1.0f;
    D3DXVECTOR3 position{0, 0, 0};
    D3DXVECTOR3 velocity{0, -200, 0};
    D3DXVECTOR3 acceleration{0, 0, 0};
    // Set by the kind whose callbacks use them.
    D3DXVECTOR3 axisU{1, 0, 0};
    D3DXVECTOR3 axisV{0, 1, 0};
    float size = 100.0f;
    float alpha = 1.0f;
    std::list<OriginCallback> callbacks;
};

// Uniform acceleration.
void OriginMove(OriginRecord& record, float dt, const std::vector<float>& parameters);
// Size += p0 dt.
void OriginGrow(OriginRecord& record, float dt, const std::vector<float>& parameters);
// Alpha += p0 dt while more than p1 seconds are left.
void OriginFadeIn(OriginRecord& record, float dt, const std::vector<float>& parameters);
// Alpha −= p0 dt while less than p1 seconds are left.
void OriginFadeOut(OriginRecord& record, float dt, const std::vector<float>& parameters);
// Both axes turned about z by p0 degrees a second.
void OriginTurn(OriginRecord& record, float dt, const std::vector<float>& parameters);
