#include "particles/sprites/light_kinds.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"

namespace {

const RegisterReader<KV_LightingConstructor, KV_ABObj_Constructor> registration(L"KV_LightingConstructor");

} // namespace

KV_LightingConstructor::KV_LightingConstructor()
{
    blendMode.SetValue(1);
    setting = true;
    TimeLine().mode.SetValue(KV_TimeLineControl::kModeCycle);
    TimeLine().speedMode.Value() = 0;
    // The wait between flashes: 1 to 5 s.
    TimeLine().invisibleRange.minimum.SetValue(100);
    TimeLine().invisibleRange.maximum.SetValue(500);
}

void KV_LightingConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_LightingConstructor", 1);
    KV_BaseSpriteProp::WriteRecord(archive);
}

void KV_LightingConstructor::Read(KV_IOF_Virtual& archive, DWORD) { KV_BaseSpriteProp::ReadRecord(archive); }

D3DCOLOR KV_LightingConstructor::ModulateColor(D3DCOLOR argb) const { return argb; }

void KV_LightingConstructor::InitParticle(SpriteInstance& i)
{
    i.ComputeHalfExtents(size.Value());
    i.centre = RandomPointInRectInset(i.halfWidth, i.halfHeight);
    D3DXMATRIX tilt;
    D3DXMatrixRotationZ(&tilt, static_cast<float>(kv_rand()) / KV_RAND_MAX * 0.7853982f - 0.3926991f);
    const float mirror = (kv_rand() & 1) == 0 ? 1.0f : -1.0f;
    i.axisU = TurnAxis(D3DXVECTOR3(mirror, 0, 0), tilt);
    i.axisV = TurnAxis(D3DXVECTOR3(0, 1, 0), tilt);
    i.phase = 0.0f;
}

void KV_LightingConstructor::UpdateParticle(SpriteInstance& i)
{
    if (i.phase != 0.0f) {
        // Fades out in a sixth of a clock second, flickering back at random.
        i.phase -= clockStep * 6.0f;
        if (clock - i.t0 > 0.15f) {
            i.t0 = clock;
            if (kv_rand() & 1)
                i.phase = 1.0f;
        }
    } else if (i.t1 < lastTime - i.t0) {
        InitParticle(i);
        i.phase = 1.0f;
        i.t0 = clock;
    }
    if (i.phase < 0.0f) {
        i.phase = 0.0f;
        i.t0 = lastTime;
        i.t1 = TimeLine().invisibleRange.PickSeconds();
    }
    UpdateInstanceColor(i);
}
