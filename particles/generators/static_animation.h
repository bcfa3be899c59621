// One still quad showing its picture's frames forwards or backwards,
// drawn with the common module's animation effect.
#pragma once

#include "particles/generators/single_rect.h"

class KV_StaticAnimation : public KV_SingleRectGN {
public:
    // The effect link names the common module's animation effect.
    KV_StaticAnimation();

    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    // The frames step with the speed's phase.
    void Update(float t, KV_ParticlesObj& object) override;
    // Nothing without an effect.
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void ReadFields(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    MediaSpeedParam frameSpeed{0, 0.01f};
    MediaParamT<int> backward;
};
