#include "particles/sprites/fog.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"

#include <cmath>

namespace {

const RegisterReader<KV_FogConstructor, KV_ABObj_Constructor> registration(L"KV_FogConstructor");

} // namespace

KV_FogConstructor::KV_FogConstructor()
{
    phaseMinimum = 0.2f;
    phaseMaximum = 1.0f;
    alpha.SetValue(50);
    TimeLine().speedMode.Value() = 1;
}

void KV_FogConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_FogConstructor", 1);
    archive.WriteFloat(&maxSpeedX);
    archive.WriteFloat(&maxSpeedY);
    KV_BaseSpriteProp::WriteRecord(archive);
}

void KV_FogConstructor::Read(KV_IOF_Virtual& archive, DWORD)
{
    archive.ReadFloat(&maxSpeedX);
    archive.ReadFloat(&maxSpeedY);
    KV_BaseSpriteProp::ReadRecord(archive);
}

void KV_FogConstructor::InitParticle(SpriteInstance& i)
{
    i.centre = RandomPointInRect();
    i.m[3] = RandomInRange(-maxSpeedX, maxSpeedX);
    i.m[4] = RandomInRange(-maxSpeedY, maxSpeedY);
    i.phase = RandomInRange(0.0f, 1.0f);
    const float turn = static_cast<float>(kv_rand()) / KV_RAND_MAX * 0.008f - 0.004f;
    i.turnCos = std::cos(turn);
    i.turnSin = std::sin(turn);
}

void KV_FogConstructor::UpdateParticle(SpriteInstance& i)
{
    i.centre.x += clockStep * i.m[3];
    i.centre.y += clockStep * i.m[4];
    PulsePhase(i, false);
    // The centre point bounces, not the quad.
    if (i.centre.y > GetBottomPixels())
        i.m[4] = -std::fabs(i.m[4]);
    if (i.centre.y < GetTopPixels())
        i.m[4] = std::fabs(i.m[4]);
    if (i.centre.x < GetLeftPixels())
        i.m[3] = std::fabs(i.m[3]);
    if (i.centre.x > GetRightPixels())
        i.m[3] = -std::fabs(i.m[3]);
    // Once per drawn frame, whatever the frame time.
    for (D3DXVECTOR3* axis : {&i.axisU, &i.axisV})
        *axis = D3DXVECTOR3(axis->x * i.turnCos - axis->y * i.turnSin, axis->x * i.turnSin + axis->y * i.turnCos, axis->z);
    UpdateInstanceColor(i);
}
