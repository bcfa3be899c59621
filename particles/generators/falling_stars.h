// Shooting stars: stars appear at random in a rectangle, fly one way while
// spinning, fade in and out and leave trails; cores and glows go through
// two mask passes and are combined with the scene.
#pragma once

#include "particles/generators/static_generator.h"
#include "scene/model/media_direction.h"

class KV_FallingStars : public KV_ParticleRctRgnGenerator {
public:
    // Batches: star cores, trail cores, star glows, trail glows.
    enum Batch { kStarCores = 0, kTrailCores = 1, kStarGlows = 2, kTrailGlows = 3 };

    KV_FallingStars();

    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    // Four batches and the mask; stored stars are dropped.
    void RestoreResources(KV_ParticlesObj& object) override;
    void Update(float t, KV_ParticlesObj& object) override;
    // Nothing without an effect and a mask.
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;
    // The composite redraws the scene.
    bool ReadsScene() const override { return true; }

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void ReadFields(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    // Trails along the stars, then 0 to twice the due number of new stars.
    void EmitStars();
    void FillQuads(KV_ParticlesObj& object);

    UINTSclaleTo<float> starSpeed{0, 8.0f};
    PerSecondCounterRnd starRate{0, 0.02f};
    MediaDirection direction;
    MediaParamT<unsigned int> starSize;
    UINTSclaleTo<float> glowScale{0, 0.04f, 1.0f};
    TimeParam holdTime;
    TimeParam fadeInTime;
    TimeParam fadeOutTime;

private:
    void AddStar();
};
