// An air brush drawn with an animated picture of its own.
#pragma once

#include "particles/generators/air_brush.h"

class KV_CustomAirBrush : public KV_AirBrush {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    void RestoreResources(KV_ParticlesObj& object) override;
    void Update(float t, KV_ParticlesObj& object) override;
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;

    // What the registry's factory calls after the class name and version.
    void Read(KV_IOF_Virtual& archive, DWORD version);
    void ReadFields(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    // The animation from the manager; the quads take its aspect.
    void LoadAnimation();

    KV_ImageFileLink animationImage;
    MediaSpeedParam animationSpeed{0, 0.01f};
    TextureSequence animation;
};
