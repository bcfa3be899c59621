// Brushes: points painted onto the slide and stored with it, each drawn
// as one textured quad. They emit nothing.
#pragma once

#include "particles/generators/tex_particle_generator.h"

class KV_AirBrush : public KV_TexParticleGenerator {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    // One batch.
    void RestoreResources(KV_ParticlesObj& object) override;
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;
    void Update(float, KV_ParticlesObj&) override {}
    // The plain path draws only the quads, never the scene behind them: a
    // brush drawn on it does not read the scene whatever its blend mode.
    bool ReadsScene() const override { return false; }
    // The painting operation: a point at rest, then the quads again.
    virtual void AddPoint(float x, float y, float z);

    // Version 1, read and ignored: brush size, points, then the textured record.
    void ReadRecord(KV_IOF_Virtual& archive);
    void WriteRecord(KV_IOF_Virtual& archive) const;

    // Every point a quad of the brush size in the first colour; nothing
    // before the restore.
    void FillQuads();

    MediaParamT<unsigned int> brushSize;
    // Height over width of a point's quad; not stored.
    float aspect = 1.0f;
    ParticleList points;
};
