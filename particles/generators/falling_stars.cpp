#include "particles/generators/falling_stars.h"

#include <algorithm>

#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "particles/processes/processes.h"
#include "scene/document/reader_registry.h"
#include "scene/model/crt_random.h"
#include "scene/model/float_convert.h"
#include "scene/model/random_functions.h"

namespace {

const RegisterReader<KV_FallingStars, KV_ABObj_Constructor> registration(L"KV_FallingStars");

constexpr float kTwoPi = 2 * 3.1415927f;
// Radians of spin per pixel of travel.
constexpr float kSpinPerPixel = 0.002f;

UINT Drawn(const ParticleList& list)
{
    return static_cast<UINT>(std::min<size_t>(list.size(), KV_ParticlesObj::kMaxBatchQuads));
}

} // namespace

KV_FallingStars::KV_FallingStars()
{
    lifetime.SetFactor(0.01f);
    lifetime.NotifyControls(nullptr);
    emissionRate.SetFactor(2.0f);
    emissionRate.NotifyControls(nullptr);
    sizeParam.SetFactor(0.01f);
    sizeParam.NotifyControls(nullptr);
}

std::unique_ptr<KV_ParticleGenerator> KV_FallingStars::Clone() const
{
    return std::make_unique<KV_FallingStars>(*this);
}

void KV_FallingStars::RestoreResources(KV_ParticlesObj& object)
{
    KV_TexParticleGenerator::RestoreResources(object);
    AcquireBlendMask();
    origins.clear();
    object.SetBatchCount(4);
}

void KV_FallingStars::Update(float t, KV_ParticlesObj& object)
{
    KV_ParticleGenerator::Update(t, object);
    EmitStars();
    FillQuads(object);
}

void KV_FallingStars::EmitStars()
{
    const float phase = speed.Phase();
    EmitFromOrigins(phase);
    // Saturating and bounded: a huge rate or a long pause costs nothing.
    const long long due = SaturatingTruncate<long long>(starRate.Result() * (phase - starRate.LastEmission()));
    const long long d = 2 * std::clamp<long long>(due, 0, kMaxParticles);
    if (due != 0)
        starRate.SetLastEmission(phase);
    const long long count = kv_rand() % (d + 1);
    const long long room = static_cast<long long>(kMaxParticles - std::min(origins.size(), kMaxParticles));
    for (long long i = 0; i < std::min(count, room); ++i)
        AddStar();
}

void KV_FallingStars::AddStar()
{
    Particle& star = spareOrigins.Append(origins, region.RandomPoint());
    star.Alpha() = 0;
    star.Angle() = RandomFloat(0, 1) * kTwoPi;
    const float fadeIn = fadeInTime.Result();
    const float visible = fadeIn + holdTime.Result();
    const float end = visible + fadeOutTime.Result();
    const float s = starSpeed.Result();
    const D3DXVECTOR4& axis = direction.AxisX();
    star.Attach<PAgeConst>(end);
    star.Attach<PKinetic>(D3DXVECTOR3(axis.x * s, -axis.y * s, axis.z * s), D3DXVECTOR3(0, 0, 0));
    star.Attach<PFade>(kAlpha, 0.0f, fadeIn, 1.0f);
    const float sign = (kv_rand() & 1) ? -1.0f : 1.0f;
    star.Attach<PSpin>(s * kSpinPerPixel * sign);
    star.Attach<PFade>(kAlpha, visible, end, -1.0f);
}

void KV_FallingStars::FillQuads(KV_ParticlesObj& object)
{
    const UINT n = Drawn(origins), m = Drawn(particles);
    object.SetBatchQuadCount(kStarCores, n);
    object.SetBatchQuadCount(kStarGlows, n);
    object.SetBatchQuadCount(kTrailCores, m);
    object.SetBatchQuadCount(kTrailGlows, m);
    DX_V::PCT* starCores = object.LockBatch(kStarCores);
    DX_V::PCT* starGlows = object.LockBatch(kStarGlows);
    DX_V::PCT* trailCores = object.LockBatch(kTrailCores);
    DX_V::PCT* trailGlows = object.LockBatch(kTrailGlows);
    const float opacity = TimeLine().GetOpacity();
    const float z = static_cast<float>(starSize.Value());
    const float glow = glowScale.Result();
    if (starCores && starGlows) {
        UINT slot = 0;
        for (auto star = origins.begin(); slot < n; ++star, ++slot) {
            WriteRotatedParticleQuad(*star, firstColour, starCores, slot, z, star->Angle(), opacity);
            WriteParticleQuad(*star, secondColour, starGlows, slot, glow * z, opacity);
        }
    }
    if (trailCores && trailGlows) {
        const float f = sizeParam.Result();
        UINT slot = 0;
        for (auto particle = particles.begin(); slot < m; ++particle, ++slot) {
            WriteParticleQuad(*particle, firstColour, trailCores, slot, f * z, opacity);
            WriteParticleQuad(*particle, secondColour, trailGlows, slot, glow * f * z, opacity);
        }
    }
    for (size_t batch = 0; batch < 4; ++batch)
        object.UnlockBatch(batch);
}

void KV_FallingStars::Render(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    RenderCoreAndGlow(renderer, object, {{kStarCores, 0}, {kTrailCores, 1}}, {{kTrailGlows, 3}, {kStarGlows, 2}});
}
