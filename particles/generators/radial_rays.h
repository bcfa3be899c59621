// A fan of rays round the centre that turns, turns back or swings, with
// lengths and gaps jittered from a seed, shrinking or fading with the
// time line; drawn through the blend mask.
#pragma once

#include "particles/generators/static_generator.h"

class KV_RadialRays : public KV_StaticGenerator {
public:
    enum RotationMode { kTurn = 0, kTurnBack = 1, kSwing = 2 };

    KV_RadialRays();

    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    // The mask and one batch, filled.
    void RestoreResources(KV_ParticlesObj& object) override;
    // The fan's angle.
    void Update(float t, KV_ParticlesObj& object) override;
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void ReadFields(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    // One quad a ray (at most one batch). A jittered fan draws from its
    // seed and leaves the random sequence going as if it had drawn once.
    void FillRays(KV_ParticlesObj& object);

    MediaParamT<unsigned int> rayLength;
    MediaParamT<unsigned int> rayWidth;
    MediaParamT<unsigned int> rayCount;
    // Which image the rays are drawn with; none out of range.
    MediaParamT<int> imageIndex;
    MediaParamT<int> jitter;
    MediaParamT<unsigned int> seed;
    // The shortest length and the narrowest gap, as a fraction.
    UINTSclaleTo<float> jitterMinimum{0, -0.01f, 1.0f};
    // Radians a second.
    MediaSpeedParam rotationSpeed{0, 0.02f};
    MediaParamT<int> rotationMode;
    // The size (or alpha) left at opacity 0.
    UINTSclaleTo<float> shrink{0, -0.01f, 1.0f};
    // Radians.
    UINTSclaleTo<float> swingAmplitude{0, 0.02f};
    D3DXMATRIX rotation;
};
