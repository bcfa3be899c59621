#include "particles/sprites/light_kinds.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"

#include <cmath>

namespace {

const RegisterReader<KV_GrassConstructor, KV_ABObj_Constructor> registration(L"KV_GrassConstructor");

} // namespace

KV_GrassConstructor::KV_GrassConstructor() { TimeLine().speedMode.Value() = 2; }

void KV_GrassConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_GrassConstructor", 1);
    archive.WriteFloat(&amplitude);
    KV_BaseSpriteProp::WriteRecord(archive);
}

void KV_GrassConstructor::Read(KV_IOF_Virtual& archive, DWORD)
{
    archive.ReadFloat(&amplitude);
    KV_BaseSpriteProp::ReadRecord(archive);
}

D3DCOLOR KV_GrassConstructor::ModulateColor(D3DCOLOR argb) const { return ModulateWhenSpeedMode1(argb); }

void KV_GrassConstructor::InitParticle(SpriteInstance& i)
{
    const float x = RandomInRange(GetLeftPixels(), GetRightPixels());
    // Standing on the bottom edge, its root remembered.
    i.centre = D3DXVECTOR3(x, GetBottomPixels() - i.halfHeight, 0.0f);
    i.m[5] = x;
    i.m[4] = static_cast<float>(kv_rand()) / KV_RAND_MAX * 1.5707964f;
    i.axisU = D3DXVECTOR3((kv_rand() & 1) == 0 ? 1.0f : -1.0f, 0, 0);
}

void KV_GrassConstructor::UpdateParticle(SpriteInstance& i)
{
    const float width = PictureWidthPixels();
    const float across = width > 0.0f ? i.centre.x / width : 0.0f;
    const float s = std::sin(clock + i.m[4] + across * 2.0f * 3.1415927f);
    const float k = SwayShear(s, amplitude);
    i.axisV = D3DXVECTOR3(k, 1, 0);
    i.centre.x = i.m[5] - k * i.halfHeight;
}
