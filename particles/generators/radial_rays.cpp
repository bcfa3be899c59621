#include "particles/generators/radial_rays.h"

#include <algorithm>
#include <cmath>

#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "particles/generators/record_fields.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"
#include "scene/model/random_functions.h"

namespace {

const RegisterReader<KV_RadialRays, KV_ABObj_Constructor> registration(L"KV_RadialRays");

constexpr float kTwoPi = 6.2831855f;

// The time line's speed modes: the rays shrink, or they fade.
constexpr int kShrinkingSpeedMode = 0;
constexpr int kFadingSpeedMode = 1;

D3DXVECTOR3 Turned(const D3DXVECTOR3& v, const D3DXMATRIX& m)
{
    D3DXVECTOR3 out;
    D3DXVec3TransformCoord(&out, &v, &m);
    return out;
}

D3DXMATRIX RotationZ(float angle)
{
    D3DXMATRIX m;
    D3DXMatrixRotationZ(&m, angle);
    return m;
}

// Puts the random sequence back where it was, one draw on, however the
// fill ends.
class SeededDraws {
public:
    SeededDraws(bool seeded, unsigned int seed) : m_resume(static_cast<unsigned int>(kv_rand())), m_seeded(seeded)
    {
        if (m_seeded)
            kv_srand(seed);
    }
    ~SeededDraws()
    {
        if (m_seeded)
            kv_srand(m_resume);
    }
    SeededDraws(const SeededDraws&) = delete;
    SeededDraws& operator=(const SeededDraws&) = delete;

private:
    unsigned int m_resume;
    bool m_seeded;
};

} // namespace

KV_RadialRays::KV_RadialRays() { D3DXMatrixIdentity(&rotation); }

std::unique_ptr<KV_ParticleGenerator> KV_RadialRays::Clone() const
{
    return std::make_unique<KV_RadialRays>(*this);
}

void KV_RadialRays::RestoreResources(KV_ParticlesObj& object)
{
    KV_TexParticleGenerator::RestoreResources(object);
    AcquireBlendMask();
    object.SetBatchCount(1);
    FillRays(object);
}

void KV_RadialRays::Update(float t, KV_ParticlesObj&)
{
    rotationSpeed.Advance(t);
    float angle = rotationSpeed.Phase();
    if (rotationMode.Value() == kTurnBack)
        angle = -angle;
    else if (rotationMode.Value() == kSwing)
        angle = std::sin(angle) * swingAmplitude.Result();
    D3DXMatrixRotationZ(&rotation, angle);
}

void KV_RadialRays::FillRays(KV_ParticlesObj& object)
{
    const bool jittered = jitter.Value() != 0;
    const SeededDraws draws(jittered, seed.Value());
    const UINT n = std::min(rayCount.Value(), KV_ParticlesObj::kMaxBatchQuads);
    object.SetBatchQuadCount(0, n);
    DX_V::PCT* vertices = object.LockBatch(0);
    if (!vertices)
        return;
    float length = static_cast<float>(rayLength.Value());
    float width = static_cast<float>(rayWidth.Value());
    float alpha = firstColour.Alpha();
    const float s = shrink.Result();
    const float u = TimeLine().GetOpacity() * (1 - s) + s;
    if (TimeLine().speedMode.Value() == kShrinkingSpeedMode) {
        length *= u;
        width *= u;
    } else if (TimeLine().speedMode.Value() == kFadingSpeedMode) {
        alpha = std::trunc(u * alpha);
    }
    const float m = jitterMinimum.Result();
    const float gap = kTwoPi / static_cast<float>(n);
    const D3DXVECTOR3 z = centre.Value();
    const D3DXMATRIX even = RotationZ(gap);
    D3DXVECTOR3 v = Turned(D3DXVECTOR3(length, 0, 0), rotation);
    for (UINT i = 0; i < n; ++i) {
        const float e = jittered ? m + RandomFloat(0, 1) * (1 - m) : 1.0f;
        const D3DXVECTOR3 d = v * e;
        ParticleQuad ray{};
        BuildSegmentQuad(ray, z, d, D3DXVec3Length(&d), width * e, width * e);
        SetQuadTexCoords(ray, 0.01f, 0.99f, 0.01f, 0.99f);
        SetQuadColour(ray, ParticleColour(firstColour, alpha / 255.0f));
        WriteBatchQuad(i, vertices, ray);
        v = Turned(v, jittered ? RotationZ(m * gap + RandomFloat(0, 1) * 2 * (1 - m) * gap) : even);
    }
    object.UnlockBatch(0);
}

void KV_RadialRays::Render(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    FillRays(object);
    const int index = imageIndex.Value();
    RenderBlendedBatch(renderer, index < 0 ? nullptr : CurrentFrameTexture(static_cast<size_t>(index)), object);
}

void KV_RadialRays::Read(KV_IOF_Virtual& archive, DWORD)
{
    ReadFields(archive);
    KV_StaticGenerator::ReadRecord(archive);
}

void KV_RadialRays::ReadFields(KV_IOF_Virtual& archive)
{
    archive.ReadUInt(&rayLength.Value());
    archive.ReadUInt(&rayWidth.Value());
    archive.ReadUInt(&rayCount.Value());
    archive.ReadInt(&imageIndex.Value());
    archive.ReadInt(&jitter.Value());
    archive.ReadUInt(&seed.Value());
    ReadScaledValue(archive, jitterMinimum);
    ReadScaledValue(archive, rotationSpeed);
    archive.ReadInt(&rotationMode.Value());
    ReadScaledValue(archive, shrink);
    ReadScaledValue(archive, swingAmplitude);
}

void KV_RadialRays::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_RadialRays", 1);
    WriteFields(archive);
}

void KV_RadialRays::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&rayLength.Value());
    archive.WriteUInt(&rayWidth.Value());
    archive.WriteUInt(&rayCount.Value());
    archive.WriteInt(&imageIndex.Value());
    archive.WriteInt(&jitter.Value());
    archive.WriteUInt(&seed.Value());
    archive.WriteUInt(&jitterMinimum.Value());
    archive.WriteUInt(&rotationSpeed.Value());
    archive.WriteInt(&rotationMode.Value());
    archive.WriteUInt(&shrink.Value());
    archive.WriteUInt(&swingAmplitude.Value());
    KV_StaticGenerator::WriteRecord(archive);
}
