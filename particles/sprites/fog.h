// Drifting, pulsing sprites that turn slowly, each by its own small angle.
#pragma once

#include "particles/sprites/particle_system_ctrl.h"

class KV_FogConstructor : public SpriteKind<KV_FogConstructor> {
public:
    KV_FogConstructor();

    void Write(KV_IOF_Virtual& archive) const override;
    void InitParticle(SpriteInstance& instance) override;
    void UpdateParticle(SpriteInstance& instance) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);

    float maxSpeedX = 40.0f;
    float maxSpeedY = 40.0f;
};
