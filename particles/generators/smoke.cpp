#include "particles/generators/smoke.h"

#include <algorithm>

#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "particles/generators/record_fields.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/random_functions.h"

namespace {

const RegisterReader<KV_Smoke, KV_ABObj_Constructor> registration(L"KV_Smoke");

constexpr int kWarmUpSteps = 100;
constexpr float kWarmUpStep = 0.05f;

} // namespace

std::unique_ptr<KV_ParticleGenerator> KV_Smoke::Clone() const { return std::make_unique<KV_Smoke>(*this); }

void KV_Smoke::RestoreResources(KV_ParticlesObj& object)
{
    KV_TexParticleGenerator::RestoreResources(object);
    object.SetBatchCount(1);
    for (int i = 0; i < kWarmUpSteps; ++i)
        RunOrigins(kWarmUpStep);
}

OriginRecord KV_Smoke::MakeOrigin()
{
    OriginRecord puff = KV_ParticleOriginGenerator::MakeOrigin();
    const float life = originLifetime.Result();
    puff.acceleration = D3DXVECTOR3(wind.Result(), 0, 0);
    puff.AddCallback(OriginMove);
    puff.size = 0.5f;
    // A puff that dies at once does not grow without bound on the way.
    puff.AddCallback(OriginGrow, {life > 0 ? 1 / life : 0.0f});
    puff.alpha = 0;
    puff.AddCallback(OriginFadeIn, {5 * TimeLine().GetOpacity(), 0.8f * life});
    puff.AddCallback(OriginFadeOut, {1, life});
    RotatedAxes(360 * RandomFloat(0, 1) * kDegreesToRadians, puff.axisU, puff.axisV);
    puff.AddCallback(OriginTurn, {100 * RandomFloat(0, 1) - 50});
    return puff;
}

void KV_Smoke::Update(float t, KV_ParticlesObj& object)
{
    KV_ParticleOriginGenerator::Update(t, object);
    FillQuads(object);
}

void KV_Smoke::FillQuads(KV_ParticlesObj& object)
{
    const UINT n = static_cast<UINT>(std::min<size_t>(originRecords.size(), KV_ParticlesObj::kMaxBatchQuads));
    object.SetBatchQuadCount(0, n);
    if (n == 0)
        return;
    DX_V::PCT* vertices = object.LockBatch(0);
    if (!vertices)
        return;
    const float size = static_cast<float>(thirdValue.Value());
    UINT slot = 0;
    for (auto puff = originRecords.begin(); slot < n; ++puff, ++slot) {
        ParticleQuad quad = BuildQuadFromAxes(puff->position, puff->axisU, puff->axisV, size * puff->size);
        SetQuadColour(quad, ParticleColour(firstColour, puff->alpha * firstColour.Alpha() / 255.0f));
        WriteBatchQuad(slot, vertices, quad);
    }
    object.UnlockBatch(0);
}

void KV_Smoke::Render(KV_ABRender& renderer, KV_ParticlesObj& object) { DrawBatchWithFirstImage(renderer, object); }

void KV_Smoke::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadScaledValue(archive, wind);
    // A class name never starts a lifetime value: no real one is that large.
    if (archive.AtString())
        ReadRecordVersion(archive);
    ReadFields(archive);
}

void KV_Smoke::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_Smoke", 1);
    WriteFields(archive);
}

void KV_Smoke::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&wind.Value());
    KV_ParticleOriginGenerator::WriteFields(archive);
}
