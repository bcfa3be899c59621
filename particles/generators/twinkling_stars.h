// An air brush whose points flicker in size at random.
#pragma once

#include "particles/generators/air_brush.h"

class KV_TwinklingStars : public KV_AirBrush {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    // The stored points twinkle like painted ones.
    void RestoreResources(KV_ParticlesObj& object) override;
    void Update(float t, KV_ParticlesObj& object) override;
    void AddPoint(float x, float y, float z) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;

    // Stored 0 means speed 1.
    MediaSpeedParam twinkleSpeed{0, 0.01f, 1.0f};
};

// A random size of 0.5 to 1 (drawn first) and alpha of 0.5 to 1, and a
// twinkle about that size.
void MakeTwinkling(Particle& point);
