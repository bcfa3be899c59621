#include "particles/generators/air_brush.h"

#include <algorithm>

#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "particles/generators/record_fields.h"
#include "scene/document/record.h"

void KV_AirBrush::RestoreResources(KV_ParticlesObj& object)
{
    KV_TexParticleGenerator::RestoreResources(object);
    object.SetBatchCount(1);
}

void KV_AirBrush::Render(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    RenderBlendedBatch(renderer, CurrentFrameTexture(0), object);
}

void KV_AirBrush::AddPoint(float x, float y, float z)
{
    points.emplace_back(x, y, z);
    FillQuads();
}

void KV_AirBrush::FillQuads()
{
    if (!m_object)
        return;
    m_object->SetBatchQuadCount(0, static_cast<UINT>(std::min<size_t>(points.size(), KV_ParticlesObj::kMaxBatchQuads)));
    DX_V::PCT* vertices = m_object->LockBatch(0);
    if (!vertices)
        return;
    const UINT count = m_object->QuadCounts()[0];
    UINT slot = 0;
    for (auto point = points.begin(); slot < count; ++point, ++slot) {
        const float w = static_cast<float>(brushSize.Value()) * point->Size();
        ParticleQuad quad = BuildQuadFromCentre(point->position, w, w * aspect);
        SetQuadColour(quad, ParticleColour(firstColour, point->Alpha() * firstColour.Alpha() / 255.0f));
        WriteBatchQuad(slot, vertices, quad);
    }
    m_object->UnlockBatch(0);
}

void KV_AirBrush::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    archive.ReadUInt(&brushSize.Value());
    ReadParticlePositions(archive, points);
    KV_TexParticleGenerator::ReadRecord(archive);
}

void KV_AirBrush::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_AirBrush", 1);
    archive.WriteUInt(&brushSize.Value());
    WriteParticlePositions(archive, points);
    KV_TexParticleGenerator::WriteRecord(archive);
}
