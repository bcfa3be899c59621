#include "particles/sprites/stat_obj.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/float_convert.h"

#include <cmath>

namespace {

const RegisterReader<KV_StatObjConstructor, KV_ABObj_Constructor> registration(L"KV_StatObjConstructor");

constexpr DWORD kStatObjVersion = 2;

void SetEdge(MediaParamT<int>& edge, float pixels) { edge.SetValue(SaturatingTruncate<int>(pixels)); }

} // namespace

KV_StatObjConstructor::KV_StatObjConstructor() { D3DXMatrixIdentity(&rotationMatrix); }

void KV_StatObjConstructor::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_StatObjConstructor::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_StatObjConstructor", kStatObjVersion);
    placement.Write(archive);
    archive.WriteUInt(&rotation.Value());
    KV_BaseSpriteProp::WriteRecord(archive);
}

void KV_StatObjConstructor::ReadRecord(KV_IOF_Virtual& archive) { Read(archive, ReadRecordVersion(archive)); }

void KV_StatObjConstructor::Read(KV_IOF_Virtual& archive, DWORD version)
{
    placement.Read(archive);
    archive.ReadUInt(&rotation.Value());
    if (version < 2) {
        archive.ReadInt(&flipV.Value());
        archive.ReadInt(&flipU.Value());
    }
    KV_BaseSpriteProp::ReadRecord(archive);
}

ScreenQuad KV_StatObjConstructor::GetScreenQuad() const
{
    return EdgeQuad(static_cast<float>(placement.left.Value()), static_cast<float>(placement.right.Value()),
                    static_cast<float>(placement.top.Value()), static_cast<float>(placement.bottom.Value()));
}

bool KV_StatObjConstructor::HitTest(float x, float y) const
{
    const D3DXVECTOR3 scene = BackBufferToPicture(x, y);
    return placement.ContainsPoint(scene.x, scene.y);
}

void KV_StatObjConstructor::InitParticle(SpriteInstance& i) { PlaceInstance(i); }

void KV_StatObjConstructor::PlaceInstance(SpriteInstance& i)
{
    i.centre.x = PositionX();
    i.centre.y = PositionY();
    i.ComputeHalfExtents(size.Value());
    UpdateInstanceColor(i);
    // Counter-clockwise on screen, where y grows downwards.
    D3DXMatrixRotationZ(&rotationMatrix, -(static_cast<float>(rotation.Value()) * 3.1415927f / 180.0f));
    i.axisU = TurnAxis(D3DXVECTOR3(1, 0, 0), rotationMatrix);
    i.axisV = TurnAxis(D3DXVECTOR3(0, 1, 0), rotationMatrix);
    UpdateBounds(i);
}

void KV_StatObjConstructor::UpdateBounds(const SpriteInstance& i)
{
    const float x = i.centre.x, y = i.centre.y, hw = i.halfWidth, hh = i.halfHeight;
    const D3DXVECTOR3 &u = i.axisU, &v = i.axisV;
    SetEdge(placement.left, x - std::fabs(u.x * hw) - std::fabs(v.x * hh));
    SetEdge(placement.right, x + std::fabs(u.x * hw) + std::fabs(v.x * hh));
    SetEdge(placement.top, y - std::fabs(v.y * hh) - std::fabs(u.y * hw));
    SetEdge(placement.bottom, y + std::fabs(v.y * hh) + std::fabs(u.y * hw));
}
