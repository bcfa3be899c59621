// The controllers of a mesh array's copies: a drift across the picture
// that wraps at its edges, and a falling leaf's spins and swings on top.
#pragma once

#include "scene/render/kv_animation_base.h"

#include <d3dx9math.h>

struct DriftSettings;

// The local time of the mesh array being updated: its copies' clock.
extern float g_meshArrayTime;

class KV_SreamAnim : public KV_AnimationBase {
public:
    // A random place of the picture, wobble and speed factor.
    explicit KV_SreamAnim(const DriftSettings& settings);

    // Moves the position only.
    void Apply(KV_Frame& frame) override;

    D3DXMATRIX position;
    float wobble;
    float lastWobbleChange = 0.0f;
    float speedFactor;
    float lastTime = 0.0f;
    float timeStep = 0.0f;
    const DriftSettings& settings;

private:
    void Move(float dx, float dy);
};

class KV_LeafFallAnim : public KV_SreamAnim {
public:
    explicit KV_LeafFallAnim(const DriftSettings& settings);

    void Apply(KV_Frame& frame) override;

    struct Turn {
        float rate;
        float angle;
    };
    Turn spinX, spinY, spinZ, swingY, swingX;
};
