#include "particles/sprites/light_kinds.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"

namespace {

const RegisterReader<KV_SparkleConstructor, KV_ABObj_Constructor> registration(L"KV_SparkleConstructor");

} // namespace

KV_SparkleConstructor::KV_SparkleConstructor()
{
    setting = true;
    TimeLine().speedMode.Value() = 0;
}

void KV_SparkleConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_SparkleConstructor", 1);
    KV_BaseSpriteProp::WriteRecord(archive);
}

void KV_SparkleConstructor::Read(KV_IOF_Virtual& archive, DWORD) { KV_BaseSpriteProp::ReadRecord(archive); }

void KV_SparkleConstructor::InitParticle(SpriteInstance& i)
{
    i.m[3] = static_cast<float>(kv_rand()) / KV_RAND_MAX * 50.0f - 25.0f;
    i.m[4] = static_cast<float>(kv_rand()) / KV_RAND_MAX * 50.0f - 25.0f;
    i.m[0] = i.m[1] = i.m[2] = i.m[5] = 0.0f;
    i.centre = RandomPointInRect();
    i.phase = RandomInRange(0.0f, 1.0f);
}

void KV_SparkleConstructor::UpdateParticle(SpriteInstance& i)
{
    i.centre.x += clockStep * i.m[3];
    i.centre.y += clockStep * i.m[4];
    PulsePhase(i, true);
    UpdateInstanceColor(i);
    // b by b half extents at full phase, half of that at phase 0.
    const float b = i.scale * static_cast<float>(size.Value()) * 0.5f;
    i.halfWidth = 0.5f * b * (1.0f + i.phase);
    i.halfHeight = 0.5f * b + 0.5f * i.phase * i.halfWidth;
}
