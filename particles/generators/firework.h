// Fireworks: a burst of sparks from a fixed point whenever the time line
// shows the object (a steady stream when it is always shown), each spark
// trailing particles that fade and grow. Cores and glows go through two
// mask passes and are combined with the scene.
#pragma once

#include "particles/generators/particle_origin_generator.h"

class KV_Firework : public KV_ParticleOriginGenerator {
public:
    // Batches: cores, glows; both drawn with image 0.
    enum Batch { kCores = 0, kGlows = 1 };

    KV_Firework();

    void Render(KV_ABRender& renderer, KV_ParticlesObj& object) override;
    void Update(float t, KV_ParticlesObj& object) override;
    // Two batches and the mask; stored sparks are dropped.
    void RestoreResources(KV_ParticlesObj& object) override;
    // The composite redraws the scene.
    bool ReadsScene() const override { return true; }
    // Sets a new spark off to live the given seconds.
    virtual void AttachBurst(Particle& spark, float lifetime) = 0;

    void ReadFields(KV_IOF_Virtual& archive);
    void WriteFields(KV_IOF_Virtual& archive) const;

    // Sparks and trails one step on, trails along the sparks, then a burst
    // on the first frame of each showing, or the stream's next spark.
    void RunBursts(float step);
    void FillQuads(KV_ParticlesObj& object);

    // Sparks a burst; the stream starts twice as many a second.
    MediaParamT<unsigned int> sparkCount;
    // Core side in pixels at size 1.
    MediaParamT<unsigned int> sparkSize;
    // Pixels a second.
    UINTSclaleTo<float> burstSpeed{0, 4.0f};
    // Glow side over core side.
    UINTSclaleTo<float> glowScale{0, 0.04f, 1.0f};
    // Never stored: sparks fly straight.
    UINTSclaleTo<float> gravity{0, 4.0f};
    bool armed = true;
    float nextStreamTime = 0.0f;

private:
    void AddSpark(float lifetime);
};

class KV_FireworkSimple : public KV_Firework {
public:
    void Write(KV_IOF_Virtual& archive) const override { WriteRecord(archive); }
    std::unique_ptr<KV_ParticleGenerator> Clone() const override;
    // A trail particle at the time line's opacity, fading out and growing
    // over the trail lifetime, moving at a random velocity.
    void InitParticle(Particle& particle, const Particle& spark) override;
    // Off at the full burst speed in a random direction in space.
    void AttachBurst(Particle& spark, float lifetime) override;

    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
};
