// Sprites that wander at random inside a rectangle, as many as the count
// says, their picture's frames stepping.
#pragma once

#include "particles/generators/static_generator.h"
#include "particles/processes/brownian.h"

class KV_BrownAnimation : public KV_ParticleRctRgnGenerator {
public:
    KV_BrownAnimation();
    // The copy's wanderers read the copy's own settings.
    KV_BrownAnimation(const KV_BrownAnimation& other);

    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    // One batch; no wanderers until the first update.
    void RestoreResources(KV_ParticlesObj& object) override;
    void Update(float t, KV_ParticlesObj& object) override;
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;

    // Version 2 adds the animation speed (100 before).
    void Read(KV_IOF_Virtual& archive, DWORD version);
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    // The newest go first when there are too many; new ones start at
    // random points of the rectangle.
    void EnsureCount();
    void FillQuads(KV_ParticlesObj& object);

    MediaParamT<unsigned int> count;
    // Of the picture's size.
    UINTSclaleTo<float> size{0, 0.01f};
    UINTSclaleTo<float> speedFactor{0, 0.04f};
    MediaSpeedParam animationSpeed{100, 0.01f};
    // Seconds between new random courses, about.
    UINTSclaleTo<float> changeInterval{0, 0.08f, 0.25f};
    // Seconds a wanderer takes to a new course.
    UINTSclaleTo<float> turnTime{0, 0.02f, 0.02f};
    const BrownianParams wander;
};
