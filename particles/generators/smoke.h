// Smoke: every origin record a puff that grows, fades in and out and
// spins while the wind blows it sideways.
#pragma once

#include "particles/generators/particle_origin_generator.h"

class KV_Smoke : public KV_ParticleOriginGenerator {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    // One batch, and five seconds of smoke before the first frame.
    void RestoreResources(KV_ParticlesObj& object) override;
    // The records run, then a quad each.
    void Update(float t, KV_ParticlesObj& object) override;
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;
    // Blown by the wind, half size and growing to full over its life,
    // fading in fast and out slowly, turned at random and spinning.
    OriginRecord MakeOrigin() override;

    // The wind, then the origin fields, which older writers tagged with
    // their own class name and version.
    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    void FillQuads(KV_ParticlesObj& object);

    // Sideways acceleration, pixels a second squared.
    UINTSclaleTo<float> wind{0, 2.0f, -100.0f};
};
