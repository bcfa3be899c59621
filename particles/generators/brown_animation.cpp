#include "particles/generators/brown_animation.h"

#include <algorithm>

#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "particles/generators/record_fields.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

namespace {

const RegisterReader<KV_BrownAnimation, KV_ABObj_Constructor> registration(L"KV_BrownAnimation");

constexpr DWORD kBrownAnimationVersion = 2;

} // namespace

KV_BrownAnimation::KV_BrownAnimation() : wander{region, speedFactor, changeInterval, turnTime} {}

KV_BrownAnimation::KV_BrownAnimation(const KV_BrownAnimation& other)
    : KV_ParticleRctRgnGenerator(other), count(other.count), size(other.size), speedFactor(other.speedFactor),
      animationSpeed(other.animationSpeed), changeInterval(other.changeInterval), turnTime(other.turnTime),
      wander{region, speedFactor, changeInterval, turnTime}
{
    for (Particle& particle : particles)
        for (const std::unique_ptr<PProcess>& process : particle.processes)
            if (auto* brownian = dynamic_cast<PBrownian*>(process.get()))
                brownian->params = &wander;
}

std::unique_ptr<KV_ParticleGenerator> KV_BrownAnimation::Clone() const
{
    return std::make_unique<KV_BrownAnimation>(*this);
}

void KV_BrownAnimation::RestoreResources(KV_ParticlesObj& object)
{
    KV_TexParticleGenerator::RestoreResources(object);
    particles.clear();
    object.SetBatchCount(1);
}

void KV_BrownAnimation::Update(float t, KV_ParticlesObj& object)
{
    animationSpeed.Advance(t);
    if (TextureSequence* image = FirstImage())
        image->StepForward(animationSpeed.Phase());
    KV_ParticleGenerator::Update(t, object);
    EnsureCount();
    FillQuads(object);
}

void KV_BrownAnimation::EnsureCount()
{
    const size_t n = std::min<size_t>(count.Value(), kMaxParticles);
    while (particles.size() > n)
        particles.pop_back();
    while (particles.size() < n) {
        const D3DXVECTOR3 at = region.RandomPoint();
        Particle& wanderer = particles.emplace_back(at.x, at.y, at.z);
        wanderer.AddProcess(std::make_unique<PBrownian>(wander));
    }
}

void KV_BrownAnimation::FillQuads(KV_ParticlesObj& object)
{
    const UINT n = static_cast<UINT>(std::min<size_t>(particles.size(), KV_ParticlesObj::kMaxBatchQuads));
    object.SetBatchQuadCount(0, n);
    DX_V::PCT* vertices = object.LockBatch(0);
    if (!vertices)
        return;
    const TextureSequence* image = FirstImage();
    const float w = image ? size.Result() * static_cast<float>(image->width) : 0.0f;
    const float h = image ? size.Result() * static_cast<float>(image->height) : 0.0f;
    const D3DCOLOR colour = ParticleColour(firstColour, firstColour.Alpha() / 255.0f);
    UINT slot = 0;
    for (auto wanderer = particles.begin(); slot < n; ++wanderer, ++slot) {
        ParticleQuad quad = BuildQuadFromCentre(wanderer->position, w, h);
        SetQuadColour(quad, colour);
        WriteBatchQuad(slot, vertices, quad);
    }
    object.UnlockBatch(0);
}

void KV_BrownAnimation::Render(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    DrawBatchWithFirstImage(renderer, object);
}

void KV_BrownAnimation::Read(KV_IOF_Virtual& archive, DWORD version)
{
    ReadFields(archive, version);
    KV_ParticleRctRgnGenerator::ReadRecord(archive);
}

void KV_BrownAnimation::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    archive.ReadUInt(&count.Value());
    ReadScaledValue(archive, size);
    ReadScaledValue(archive, speedFactor);
    ReadScaledValue(archive, changeInterval);
    ReadScaledValue(archive, turnTime);
    if (version >= 2)
        ReadScaledValue(archive, animationSpeed);
}

void KV_BrownAnimation::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_BrownAnimation", kBrownAnimationVersion);
    WriteFields(archive);
}

void KV_BrownAnimation::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&count.Value());
    archive.WriteUInt(&size.Value());
    archive.WriteUInt(&speedFactor.Value());
    archive.WriteUInt(&changeInterval.Value());
    archive.WriteUInt(&turnTime.Value());
    archive.WriteUInt(&animationSpeed.Value());
    KV_ParticleRctRgnGenerator::WriteRecord(archive);
}
