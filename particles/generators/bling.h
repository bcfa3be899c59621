// The star brush: star points that grow, shrink and start again, turning
// together, drawn in two colours through the blend mask.
#pragma once

#include "particles/generators/air_brush.h"

class KV_Bling : public KV_AirBrush {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    // Two batches, the mask, and every stored point's cycle at a random
    // point of it.
    void RestoreResources(KV_ParticlesObj& object) override;
    void Update(float t, KV_ParticlesObj& object) override;
    // Nothing without an effect.
    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;
    // Its composite does read the scene in the screen and dodge modes.
    bool ReadsScene() const override { return KV_TexParticleGenerator::ReadsScene(); }
    void AddPoint(float x, float y, float z) override;

    // Version 2 adds the rotation speed and the minimum size.
    void Read(KV_IOF_Virtual& archive, DWORD version);
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    // Size from 0 up to 1 over the grow time, back to 0 over the shrink
    // time, ending the point after both; returns their sum.
    float AttachCycle(Particle& point) const;

    MediaSpeedParam cycleSpeed{0, 0.02f};
    TimeParam growTime;
    TimeParam shrinkTime;
    // Its phase is the stars' common angle in radians.
    MediaSpeedParam rotationSpeed{0, 0.02f};
    // The fraction of the brush size a star keeps at size 0.
    UINTSclaleTo<float> minimumSize{0, 0.01f};

private:
    // The cycle, then a random head start of up to one cycle.
    void StartCycle(Particle& point) const;
    void FillStarQuads();
};
