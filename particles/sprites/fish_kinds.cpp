#include "particles/sprites/fish_kinds.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"

#include <cmath>

namespace {

const RegisterReader<KV_FishConstructor, KV_ABObj_Constructor> fish(L"KV_FishConstructor");
const RegisterReader<KV_BirdConstructor, KV_ABObj_Constructor> bird(L"KV_BirdConstructor");
const RegisterReader<KV_GhostConstructor, KV_ABObj_Constructor> ghost(L"KV_GhostConstructor");

} // namespace

void KV_FishConstructor::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_FishConstructor::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_FishConstructor", 1);
    archive.WriteFloat(&maxSpeedX);
    archive.WriteFloat(&maxSpeedY);
    KV_BaseSpriteProp::WriteRecord(archive);
}

void KV_FishConstructor::ReadRecord(KV_IOF_Virtual& archive) { Read(archive, ReadRecordVersion(archive)); }

void KV_FishConstructor::Read(KV_IOF_Virtual& archive, DWORD)
{
    archive.ReadFloat(&maxSpeedX);
    archive.ReadFloat(&maxSpeedY);
    KV_BaseSpriteProp::ReadRecord(archive);
}

void KV_FishConstructor::InitParticle(SpriteInstance& i)
{
    i.m[3] = RandomInRange(-maxSpeedX, maxSpeedX);
    i.m[4] = RandomInRange(-maxSpeedY, maxSpeedY);
    i.m[0] = i.m[1] = i.m[2] = i.m[5] = 0.0f;
    i.centre = RandomPointInRect();
    i.ComputeHalfExtents(size.Value());
    UpdateInstanceColor(i);
    if (i.m[3] < 0.0f)
        i.halfWidth = -i.halfWidth;
}

void KV_FishConstructor::UpdateParticle(SpriteInstance& i)
{
    i.centre.x += clockStep * i.m[3];
    i.centre.y += clockStep * i.m[4];
    // Horizontally only once wholly outside; vertically at the first touch.
    if (i.IsOutsideLeft(GetLeftPixels())) {
        i.m[3] = std::fabs(i.m[3]);
        i.halfWidth = std::fabs(i.halfWidth);
    } else if (i.IsOutsideRight(GetRightPixels())) {
        i.m[3] = -std::fabs(i.m[3]);
        i.halfWidth = -std::fabs(i.halfWidth);
    }
    if (i.CrossesTop(GetTopPixels()))
        i.m[4] = std::fabs(i.m[4]);
    else if (i.CrossesBottom(GetBottomPixels()))
        i.m[4] = -std::fabs(i.m[4]);
    if (lastTime - i.t0 > 1.0f) {
        i.t0 = lastTime;
        if (kv_rand() & 1) {
            i.m[3] = std::copysign(RandomInRange(-maxSpeedX, maxSpeedX), i.m[3]);
            i.m[4] = RandomInRange(-maxSpeedY, maxSpeedY);
            i.m[5] = 0.0f;
        }
    }
}

void KV_BirdConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_BirdConstructor", 1);
    WriteRecord(archive);
}

void KV_BirdConstructor::Read(KV_IOF_Virtual& archive, DWORD) { ReadRecord(archive); }

void KV_BirdConstructor::UpdateParticle(SpriteInstance& i)
{
    KV_FishConstructor::UpdateParticle(i);
    if (std::fabs(i.m[4]) < 0.7f * maxSpeedY)
        i.m[4] = 0.7f * maxSpeedY + i.m[4] * 0.3f / 0.7f;
    if (std::fabs(i.m[3]) < 0.7f * maxSpeedX)
        i.m[3] = std::copysign(RandomInRange(0.7f * maxSpeedX, maxSpeedX), i.m[3]);
}

KV_GhostConstructor::KV_GhostConstructor()
{
    maxSpeedX = 50.0f;
    maxSpeedY = 50.0f;
    pulseSpeed = 0.66f;
    alpha.SetValue(50);
    scaleMinimum = scaleMaximum = 1.0f;
    TimeLine().speedMode.Value() = 1;
}

void KV_GhostConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_GhostConstructor", 2);
    WriteRecord(archive);
}

void KV_GhostConstructor::Read(KV_IOF_Virtual& archive, DWORD version)
{
    ReadRecord(archive);
    if (version >= 2)
        return;
    KV_TimeLineControl& timeLine = TimeLine();
    timeLine.mode.StoreAndNotify(KV_TimeLineControl::kModeCycle);
    for (MediaParamT<unsigned int>* bound : {&timeLine.invisibleRange.minimum, &timeLine.invisibleRange.maximum,
                                             &timeLine.visibleRange.minimum, &timeLine.visibleRange.maximum})
        bound->StoreAndNotify(0);
    timeLine.fadeOut.StoreAndNotify(150);
    timeLine.fadeIn.StoreAndNotify(150);
}

void KV_GhostConstructor::InitParticle(SpriteInstance& i)
{
    KV_FishConstructor::InitParticle(i);
    i.phase = RandomInRange(0.0f, 1.0f);
}

void KV_GhostConstructor::UpdateParticle(SpriteInstance& i)
{
    KV_FishConstructor::UpdateParticle(i);
    // A new place and speed while nobody sees it.
    if (TimeLine().GetPhase() == kPhaseHidden)
        InitParticle(i);
    i.phase = TimeLine().GetOpacity();
    UpdateInstanceColor(i);
}
