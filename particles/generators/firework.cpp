#include "particles/generators/firework.h"

#include <algorithm>
#include <limits>

#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "particles/processes/processes.h"
#include "scene/document/reader_registry.h"
#include "scene/model/random_functions.h"

namespace {

const RegisterReader<KV_FireworkSimple, KV_ABObj_Constructor> registration(L"KV_FireworkSimple");

// Seconds a streamed spark lives.
constexpr float kStreamSparkLife = 0.5f;

} // namespace

KV_Firework::KV_Firework()
{
    // Trails live hundredths of a second, come at 1 + 2 x value a second
    // and grow by a tenth of the value over their life.
    lifetime.SetFactor(0.01f);
    lifetime.NotifyControls(nullptr);
    emissionRate.SetFactor(2.0f);
    emissionRate.SetOffset(1.0f);
    emissionRate.NotifyControls(nullptr);
    sizeParam.SetFactor(0.1f);
    sizeParam.NotifyControls(nullptr);
    // Every showing lasts exactly as long, and so do its sparks.
    TimeLine().visibleRange.random = false;
}

void KV_Firework::RestoreResources(KV_ParticlesObj& object)
{
    AcquireBlendMask();
    KV_TexParticleGenerator::RestoreResources(object);
    origins.clear();
    object.SetBatchCount(2);
}

void KV_Firework::Update(float t, KV_ParticlesObj& object)
{
    originSpeed.Advance(t);
    RunBursts(originSpeed.Step());
    FillQuads(object);
}

void KV_Firework::RunBursts(float step)
{
    const float phase = originSpeed.Phase();
    RunParticleList(origins, step, &spareOrigins);
    RunParticleList(particles, step, &spareParticles);
    EmitFromOrigins(phase);
    const KV_TimeLineControl& timeLine = TimeLine();
    if (timeLine.mode.Value() != KV_TimeLineControl::kModeAlways) {
        const bool hidden = timeLine.GetPhase() == kPhaseHidden;
        if (armed && !hidden) {
            const float length = timeLine.GetLength();
            for (unsigned int i = 0; i < sparkCount.Value() && origins.size() < kMaxParticles; ++i)
                AddSpark(length);
            armed = false;
        }
        if (hidden)
            armed = true;
    } else if (nextStreamTime < phase) {
        AddSpark(kStreamSparkLife);
        const unsigned int count = sparkCount.Value();
        nextStreamTime = count == 0 ? std::numeric_limits<float>::infinity()
                                    : phase + kStreamSparkLife / static_cast<float>(count);
    }
}

void KV_Firework::AddSpark(float lifetime)
{
    if (origins.size() >= kMaxParticles)
        return;
    AttachBurst(spareOrigins.Append(origins, centre.Value()), lifetime);
}

void KV_Firework::FillQuads(KV_ParticlesObj& object)
{
    // Sparks first; what one batch cannot hold is dropped.
    const UINT total =
        static_cast<UINT>(std::min<size_t>(origins.size() + particles.size(), KV_ParticlesObj::kMaxBatchQuads));
    object.SetBatchQuadCount(kCores, total);
    object.SetBatchQuadCount(kGlows, total);
    DX_V::PCT* cores = object.LockBatch(kCores);
    DX_V::PCT* glows = object.LockBatch(kGlows);
    if (cores && glows) {
        const float size = static_cast<float>(sparkSize.Value());
        const float glow = glowScale.Result() * size;
        UINT slot = 0;
        // Trails took the time line's opacity at birth.
        const auto write = [&](const ParticleList& list, float opacity) {
            for (auto p = list.begin(); p != list.end() && slot < total; ++p, ++slot) {
                WriteParticleQuad(*p, firstColour, cores, slot, size, opacity);
                WriteParticleQuad(*p, secondColour, glows, slot, glow, opacity);
            }
        };
        write(origins, TimeLine().GetOpacity());
        write(particles, 1.0f);
    } else {
        // A frame that was not filled draws nothing stale.
        object.SetBatchQuadCount(kCores, 0);
        object.SetBatchQuadCount(kGlows, 0);
    }
    object.UnlockBatch(kCores);
    object.UnlockBatch(kGlows);
}

void KV_Firework::Render(KV_ABRender& renderer, KV_ParticlesObj& object) { RenderCoreAndGlow(renderer, object); }

std::unique_ptr<KV_ParticleGenerator> KV_FireworkSimple::Clone() const
{
    return std::make_unique<KV_FireworkSimple>(*this);
}

void KV_FireworkSimple::AttachBurst(Particle& spark, float lifetime)
{
    spark.Life() = 0;
    spark.Size() = 1.0f;
    spark.Attach<PLifeConst>(1 / lifetime);
    spark.Attach<PKinetic>(RandomConeDirection(burstSpeed.Result()), D3DXVECTOR3(0, gravity.Result(), 0));
}

void KV_FireworkSimple::InitParticle(Particle& particle, const Particle&)
{
    particle.Alpha() = TimeLine().GetOpacity();
    const float k = 1 / lifetime.Result();
    particle.Attach<PLifeConst>(k);
    particle.Attach<PSteady>(kAlpha, 0.0f, 1.0f, -k);
    particle.Attach<PSteady>(kSize, 0.0f, 1.0f, sizeParam.Result() * k);
    const float u = RandomFloat(0, 1);
    particle.Attach<PKinetic>(RandomConeDirection(initialSpeed.Result() * u), D3DXVECTOR3(0, 0, 0));
}
