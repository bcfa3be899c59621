#include "particles/generators/path_animation.h"

#include <cmath>

#include "particles/generators/particle_quad.h"
#include "particles/generators/particles_obj.h"
#include "particles/generators/record_fields.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/picture_placement.h"

namespace {

const RegisterReader<KV_PathAnimtion, KV_ABObj_Constructor> registration(L"KV_PathAnimtion");

constexpr DWORD kPathAnimationVersion = 2;

float Distance(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    const D3DXVECTOR3 d = b - a;
    return D3DXVec3Length(&d);
}

} // namespace

std::unique_ptr<KV_ParticleGenerator> KV_PathAnimtion::Clone() const
{
    return std::make_unique<KV_PathAnimtion>(*this);
}

void KV_PathAnimtion::RestoreResources(KV_ParticlesObj& object)
{
    if (flag == 0) {
        const float w = static_cast<float>(g_picturePlacement->pictureWidth);
        const float h = static_cast<float>(g_picturePlacement->pictureHeight);
        path.push_back(MakePathPoint(w / 3, h / 2, 0));
        path.push_back(MakePathPoint(2 * w / 3, h / 2, 0));
    }
    position = path.empty() ? D3DXVECTOR3(0, 0, 0) : PointAt(0);
    previousPosition = position;
    KV_TexParticleGenerator::RestoreResources(object);
    particles.clear();
    object.SetBatchCount(1);
    cursor = Cursor{};
}

void KV_PathAnimtion::Update(float t, KV_ParticlesObj& object)
{
    travelSpeed.Advance(t);
    animationSpeed.Advance(t);
    if (TextureSequence* image = FirstImage())
        image->StepForward(animationSpeed.Phase());
    FillSprite(object);
}

void KV_PathAnimtion::Render(KV_ABRender& renderer, KV_ParticlesObj& object)
{
    DrawBatchWithFirstImage(renderer, object);
}

size_t KV_PathAnimtion::NextPoint() const { return cursor.backward ? cursor.point - 1 : cursor.point + 1; }

void KV_PathAnimtion::AdvanceSegment()
{
    if (cursor.backward) {
        --cursor.point;
        cursor.backward = cursor.point != 0;
    } else {
        ++cursor.point;
        cursor.backward = cursor.point + 1 == path.size();
    }
}

float KV_PathAnimtion::RoundTrip() const
{
    float length = 0;
    for (size_t i = 1; i < path.size(); ++i)
        length += Distance(PointAt(i - 1), PointAt(i));
    return 2 * length;
}

void KV_PathAnimtion::MoveCursor()
{
    previousPosition = position;
    const float roundTrip = RoundTrip();
    if (path.size() < 2 || !(roundTrip > 0) || cursor.point >= path.size()) {
        cursor = Cursor{};
        if (!path.empty())
            position = PointAt(0);
        return;
    }
    // Whole round trips bring the cursor back where it was: however long
    // the step, the walk below passes each segment at most twice.
    cursor.distance = std::fmod(cursor.distance + travelSpeed.Step(), roundTrip);
    float length = Distance(PointAt(cursor.point), PointAt(NextPoint()));
    while (cursor.distance > length) {
        AdvanceSegment();
        cursor.distance -= length;
        length = Distance(PointAt(cursor.point), PointAt(NextPoint()));
    }
    const D3DXVECTOR3& a = PointAt(cursor.point);
    const D3DXVECTOR3& b = PointAt(NextPoint());
    position = length > 0 ? a + (b - a) / length * cursor.distance : a;
}

void KV_PathAnimtion::FillSprite(KV_ParticlesObj& object)
{
    MoveCursor();
    object.SetBatchQuadCount(0, 1);
    DX_V::PCT* vertices = object.LockBatch(0);
    if (!vertices)
        return;
    const TextureSequence* image = FirstImage();
    const float w = image ? size.Result() * static_cast<float>(image->width) : 0.0f;
    const float h = image ? size.Result() * static_cast<float>(image->height) : 0.0f;
    ParticleQuad quad;
    if (orientation.Value() == kAlongMotion) {
        const D3DXVECTOR3 step = position - previousPosition;
        if (D3DXVec3Length(&step) > 0)
            D3DXVec3Normalize(&m_heading, &step);
        const D3DXVECTOR3 across(m_heading.y, -m_heading.x, 0);
        quad = BuildQuadFromAxes(position, m_heading * w, across * h, 1.0f);
    } else {
        quad = BuildQuadFromCentre(position, w, h);
    }
    bool horizontal = spriteHorizontalMirror.Value() != 0;
    bool vertical = spriteVerticalMirror.Value() != 0;
    if (orientation.Value() == kMirrorMovingLeft && previousPosition.x >= position.x)
        horizontal = !horizontal;
    if (orientation.Value() == kMirrorMovingDown && previousPosition.y < position.y)
        vertical = !vertical;
    MirrorQuadTexCoords(quad, horizontal, vertical);
    SetQuadColour(quad, ParticleColour(firstColour, firstColour.Alpha() / 255.0f));
    WriteBatchQuad(0, vertices, quad);
    object.UnlockBatch(0);
}

void KV_PathAnimtion::Read(KV_IOF_Virtual& archive, DWORD version)
{
    ReadFields(archive, version);
    KV_PathGenerator::ReadRecord(archive);
}

void KV_PathAnimtion::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    ReadScaledValue(archive, travelSpeed);
    ReadScaledValue(archive, size);
    archive.ReadInt(&orientation.Value());
    archive.ReadInt(&spriteVerticalMirror.Value());
    archive.ReadInt(&spriteHorizontalMirror.Value());
    if (version >= 2)
        ReadScaledValue(archive, animationSpeed);
}

void KV_PathAnimtion::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_PathAnimtion", kPathAnimationVersion);
    WriteFields(archive);
}

void KV_PathAnimtion::WriteFields(KV_IOF_Virtual& archive) const
{
    archive.WriteUInt(&travelSpeed.Value());
    archive.WriteUInt(&size.Value());
    archive.WriteInt(&orientation.Value());
    archive.WriteInt(&spriteVerticalMirror.Value());
    archive.WriteInt(&spriteHorizontalMirror.Value());
    archive.WriteUInt(&animationSpeed.Value());
    KV_PathGenerator::WriteRecord(archive);
}
