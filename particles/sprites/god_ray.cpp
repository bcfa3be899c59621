#include "particles/sprites/light_kinds.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"

#include <cmath>

namespace {

const RegisterReader<KV_GodRayConstructor, KV_ABObj_Constructor> registration(L"KV_GodRayConstructor");

// How far the lower end leans per unit of height. A ray lying flat (0 or
// 180 degrees) has no finite lean and is drawn upright.
float Lean(unsigned slant)
{
    const float degrees = slant < 180 ? 180.0f - static_cast<float>(slant) : 360.0f - static_cast<float>(slant);
    const float tangent = std::tan(degrees * 2.0f * 3.1415927f / 360.0f);
    return std::fabs(tangent) < 1e-3f ? 0.0f : 1.0f / tangent;
}

} // namespace

void KV_GodRayConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_GodRayConstructor", 1);
    archive.WriteUInt(&slant.Value());
    KV_BaseSpriteProp::WriteRecord(archive);
}

void KV_GodRayConstructor::Read(KV_IOF_Virtual& archive, DWORD)
{
    archive.ReadUInt(&slant.Value());
    KV_BaseSpriteProp::ReadRecord(archive);
}

void KV_GodRayConstructor::InitParticle(SpriteInstance& i)
{
    const float x = RandomInRange(GetLeftPixels(), GetRightPixels());
    i.m[3] = static_cast<float>(kv_rand()) / KV_RAND_MAX * 20.0f - 10.0f;
    i.m[0] = i.m[1] = i.m[2] = i.m[4] = i.m[5] = 0.0f;
    // Half the rectangle's height in picture pixels, not its middle.
    i.centre = D3DXVECTOR3(x, (GetBottomPixels() - GetTopPixels()) * 0.5f, 0.0f);
    i.halfWidth = static_cast<float>(size.Value()) * 0.5f;
    i.halfHeight = PictureHeightPixels() * 0.5f;
    i.axisV = D3DXVECTOR3(Lean(slant.Value()), 1.0f, 0.0f);
    i.phase = RandomInRange(0.0f, 1.0f);
}

void KV_GodRayConstructor::UpdateParticle(SpriteInstance& i)
{
    if (clock - i.t0 > 0.25f) {
        i.t0 = clock;
        if (kv_rand() & 1) {
            i.m[3] = RandomInRange(-10.0f, 10.0f);
            i.m[4] = i.m[5] = 0.0f;
        }
    }
    i.centre.x += clockStep * i.m[3];
    i.centre.y += clockStep * i.m[4];
    PulsePhase(i, true);
    UpdateInstanceColor(i);
}
