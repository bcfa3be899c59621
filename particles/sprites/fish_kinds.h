// Sprites that wander inside their rectangle: fish swim to and fro facing
// their way, birds always fly fast, ghosts fade with the time line and
// reappear elsewhere.
#pragma once

#include "particles/sprites/particle_system_ctrl.h"

class KV_FishConstructor : public SpriteKind<KV_FishConstructor> {
public:
    void Write(KV_IOF_Virtual& archive) const override;
    void InitParticle(SpriteInstance& instance) override;
    void UpdateParticle(SpriteInstance& instance) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);

    float maxSpeedX = 80.0f;
    float maxSpeedY = 50.0f;
};

class KV_BirdConstructor : public SpriteKind<KV_BirdConstructor, KV_FishConstructor> {
public:
    void Write(KV_IOF_Virtual& archive) const override;
    void UpdateParticle(SpriteInstance& instance) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
};

class KV_GhostConstructor : public SpriteKind<KV_GhostConstructor, KV_FishConstructor> {
public:
    KV_GhostConstructor();

    void Write(KV_IOF_Virtual& archive) const override;
    void InitParticle(SpriteInstance& instance) override;
    void UpdateParticle(SpriteInstance& instance) override;

    // An old record fades in and out continuously, 1.5 s each way.
    void Read(KV_IOF_Virtual& archive, DWORD version);
};
