#include "particles/sprites/stat_obj.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

#include <cmath>

namespace {

const RegisterReader<KV_FlowerConstructor, KV_ABObj_Constructor> registration(L"KV_FlowerConstructor");

} // namespace

KV_FlowerConstructor::KV_FlowerConstructor() { TimeLine().speedMode.Value() = 2; }

void KV_FlowerConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_FlowerConstructor", 1);
    archive.WriteFloat(&amplitude);
    WriteRecord(archive);
}

void KV_FlowerConstructor::Read(KV_IOF_Virtual& archive, DWORD)
{
    archive.ReadFloat(&amplitude);
    ReadRecord(archive);
}

D3DCOLOR KV_FlowerConstructor::ModulateColor(D3DCOLOR argb) const { return ModulateWhenSpeedMode1(argb); }

void KV_FlowerConstructor::UpdateParticle(SpriteInstance& i)
{
    const float s = std::sin(animationSpeed.Phase() + i.m[4]);
    const float k = SwayShear(s, amplitude);
    i.axisV = TurnAxis(D3DXVECTOR3(k, 1, 0), rotationMatrix);
    // Bends about the middle of its lower edge.
    i.centre.x = PositionX() - i.axisU.x * i.halfHeight * k;
    i.centre.y = PositionY() - i.axisU.y * i.halfHeight * k;
}
