#include "particles/generators/bling.h"

#include <algorithm>

#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "particles/generators/record_fields.h"
#include "particles/processes/processes.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/random_functions.h"

namespace {

const RegisterReader<KV_Bling, KV_ABObj_Constructor> registration(L"KV_Bling");

constexpr DWORD kBlingVersion = 2;

} // namespace

std::unique_ptr<KV_ParticleGenerator> KV_Bling::Clone() const { return std::make_unique<KV_Bling>(*this); }

float KV_Bling::AttachCycle(Particle& point) const
{
    const float a = growTime.Result();
    const float b = shrinkTime.Result();
    const float t = a + b;
    point.Life() = 0;
    point.Size() = 0;
    point.AddProcess(std::make_unique<PLifeConst>(1 / t));
    point.AddProcess(std::make_unique<PSteady>(kSize, 0.0f, a / t, (1 / t) / (a / t)));
    point.AddProcess(std::make_unique<PSteady>(kSize, a / t, a / t + b / t, -(1 / t) / (b / t)));
    return t;
}

void KV_Bling::StartCycle(Particle& point) const
{
    const float t = AttachCycle(point);
    const float d = RandomFloat(0, 1) * t * 0.1f;
    for (int i = 0; i < 10; ++i)
        point.RunProcesses(d);
}

void KV_Bling::AddPoint(float x, float y, float z)
{
    Particle point(x, y, z);
    StartCycle(point);
    points.push_back(std::move(point));
}

void KV_Bling::RestoreResources(KV_ParticlesObj& object)
{
    KV_TexParticleGenerator::RestoreResources(object);
    object.SetBatchCount(2);
    AcquireBlendMask();
    for (Particle& point : points) {
        point.ClearProcesses();
        StartCycle(point);
    }
}

void KV_Bling::Update(float t, KV_ParticlesObj&)
{
    cycleSpeed.Advance(t);
    rotationSpeed.Advance(t);
    for (Particle& point : points) {
        if (!point.RunProcesses(cycleSpeed.Step())) {
            point.ClearProcesses();
            AttachCycle(point);
        }
    }
    FillStarQuads();
}

void KV_Bling::FillStarQuads()
{
    if (!m_object)
        return;
    const UINT n = static_cast<UINT>(std::min<size_t>(points.size(), KV_ParticlesObj::kMaxBatchQuads));
    m_object->SetBatchQuadCount(0, n);
    m_object->SetBatchQuadCount(1, n);
    DX_V::PCT* second = m_object->LockBatch(0);
    DX_V::PCT* first = m_object->LockBatch(1);
    if (second && first) {
        D3DXVECTOR3 u, v;
        RotatedAxes(rotationSpeed.Phase(), u, v);
        const float opacity = TimeLine().GetOpacity();
        const float m = minimumSize.Result();
        UINT slot = 0;
        for (auto point = points.begin(); slot < n; ++point, ++slot) {
            const float size = ((1 - m) * point->Size() + m) * static_cast<float>(brushSize.Value());
            ParticleQuad quad = BuildQuadFromAxes(point->position, u, v, size);
            const float a = opacity * point->Alpha();
            SetQuadColour(quad, ParticleColour(secondColour, a * secondColour.Alpha() / 255.0f));
            WriteBatchQuad(slot, second, quad);
            SetQuadColour(quad, ParticleColour(firstColour, a * firstColour.Alpha() / 255.0f));
            WriteBatchQuad(slot, first, quad);
        }
    }
    m_object->UnlockBatch(0);
    m_object->UnlockBatch(1);
}

void KV_Bling::Render(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    if (!CanDrawMask())
        return;
    RenderJoinMask(renderer, object);
    CompositeBlendMask(renderer);
}

void KV_Bling::Read(KV_IOF_Virtual& archive, DWORD version)
{
    ReadFields(archive, version);
    KV_AirBrush::ReadRecord(archive);
}

void KV_Bling::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    ReadScaledValue(archive, cycleSpeed);
    ReadScaledValue(archive, shrinkTime);
    ReadScaledValue(archive, growTime);
    if (version >= 2) {
        ReadScaledValue(archive, rotationSpeed);
        ReadScaledValue(archive, minimumSize);
    }
}

void KV_Bling::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_Bling", kBlingVersion);
    WriteFields(archive);
}

void KV_Bling::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&cycleSpeed.Value());
    archive.WriteUInt(&shrinkTime.Value());
    archive.WriteUInt(&growTime.Value());
    archive.WriteUInt(&rotationSpeed.Value());
    archive.WriteUInt(&minimumSize.Value());
    KV_AirBrush::WriteRecord(archive);
}
