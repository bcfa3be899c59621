// Base of every particle generator: emission settings, the origins (the
// particles that emit) and the particles they emitted, and the runtime
// object that draws them.
#pragma once

#include <windef.h>

#include <memory>

#include "particles/processes/particle.h"
#include "scene/model/abobj_constructor.h"
#include "scene/model/scaled_param.h"

class KV_ABRender;
class KV_ParticlesObj;

class KV_ParticleGenerator : public KV_ABObj_Constructor {
public:
    // No list ever holds more particles than one batch can draw.
    static constexpr size_t kMaxParticles = 16384;

    KV_ParticleGenerator() = default;
    KV_ParticleGenerator(const KV_ParticleGenerator&) = default;
    ~KV_ParticleGenerator() override;

    std::unique_ptr<KV_ABObj> CreateObject() const override;

    virtual void Render(KV_ABRender& renderer, KV_ParticlesObj& object) = 0;
    // Advances the speed, then runs the origins and the particles.
    virtual void Update(float t, KV_ParticlesObj& object);
    virtual void RestoreResources(KV_ParticlesObj& object) = 0;
    virtual bool HitTest(POINT) const { return false; }
    virtual bool ReadsScene() const { return false; }
    // Alpha from the origin, fading out by 1 over the lifetime, moving at a
    // random velocity up to the initial speed.
    virtual void InitParticle(Particle& particle, const Particle& origin);
    virtual std::unique_ptr<KV_ParticleGenerator> Clone() const = 0;

    // New particles evenly spaced along each origin's last step, at the
    // emission rate on the given clock; then the origins save their positions.
    void EmitFromOrigins(float time);

    // The record: class name and version, then the fields.
    void ReadRecord(KV_IOF_Virtual& archive);
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void WriteFields(KV_IOF_Virtual& archive) const;

    UINTSclaleTo<float> lifetime;
    PerSecondCounter emissionRate;
    UINTSclaleTo<float> sizeParam;
    UINTSclaleTo<float> initialSpeed;
    MediaParamT<int> emissionSwitch;
    // Never stored: every generator runs at speed 1.
    MediaSpeedParam speed{50, 0.02f};
    ParticleList origins;
    ParticleList particles;
    // What ended in each list, for its next births.
    SpareParticles spareOrigins;
    SpareParticles spareParticles;
};
