#include "particles/generators/single_rect.h"

#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kSingleRectVersion = 2;

} // namespace

void KV_SingleRectGN::RestoreResources(KV_ParticlesObj& object)
{
    KV_TexParticleGenerator::RestoreResources(object);
    object.SetBatchCount(1);
    object.SetBatchQuadCount(0, 1);
    FillQuad(object);
}

void KV_SingleRectGN::FillQuad(KV_ParticlesObj& object)
{
    DX_V::PCT* vertices = object.LockBatch(0);
    if (!vertices)
        return;
    ParticleQuad q = BuildQuadFromMediaQuad(quad);
    MirrorQuadTexCoords(q, horizontalMirror.Value() != 0, verticalMirror.Value() != 0);
    SetQuadColour(q, ParticleColour(firstColour, firstColour.Alpha() / 255.0f));
    WriteBatchQuad(0, vertices, q);
    object.UnlockBatch(0);
}

void KV_SingleRectGN::ReadRecord(KV_IOF_Virtual& archive)
{
    const DWORD version = ReadRecordVersion(archive);
    quad.Read(archive);
    if (version == 1) {
        float unused = 0;
        archive.ReadFloat(&unused);
        archive.ReadFloat(&unused);
    }
    KV_StaticGenerator::ReadRecord(archive);
}

void KV_SingleRectGN::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_SingleRectGN", kSingleRectVersion);
    quad.Write(archive);
    KV_StaticGenerator::WriteRecord(archive);
}
