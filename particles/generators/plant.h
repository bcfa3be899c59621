// A plant on one quad whose effect sways it with time, its base still.
#pragma once

#include "particles/generators/single_rect.h"

class KV_Plant : public KV_SingleRectGN {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    // The sway's clock; no particles.
    void Update(float t, KV_ParticlesObj& object) override;
    // Nothing without an effect.
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void ReadFields(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    // Its phase is the effect's time.
    MediaSpeedParam swaySpeed{0, 0.02f};
    UINTSclaleTo<float> frequency{0, 0.1f};
    UINTSclaleTo<float> wMagnitude{0, 0.002f};
    UINTSclaleTo<float> bMagnitude{0, 0.002f};
};
