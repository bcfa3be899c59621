// The sprite record, version 7: the rectangle record first, then the
// sprite fields. Older versions kept the speed after the count (before 3),
// stored their pictures inline (1) and lacked the trailing fields.
#include "particles/sprites/base_sprite_prop.h"

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/record.h"
#include "scene/resources/kv_docresmanager.h"

#include <algorithm>

namespace {

constexpr DWORD kSpriteVersion = 7;
constexpr std::size_t kMinEntryBytes = 4;

void RegisterLink(const KV_FileLink3& link)
{
    if (g_currentDocResManager)
        g_currentDocResManager->RegisterImageLink(link);
}

void ReadInlineFrames(KV_IOF_Virtual& archive, std::vector<ResourceEntry>& frames, ResourceEntry& second)
{
    UINT n = 0;
    archive.ReadUInt(&n);
    if (!archive.CanHold(n, kMinEntryBytes))
        return;
    frames.clear();
    for (UINT i = 0; i < n && !archive.Failed(); ++i)
        archive.ReadResourceEntry(&frames.emplace_back());
    archive.ReadResourceEntry(&second);
}

void ReadInlineDurations(KV_IOF_Virtual& archive, std::vector<float>& durations)
{
    UINT n = 0;
    archive.ReadUInt(&n);
    if (!archive.CanHold(n, sizeof(float)))
        return;
    durations.assign(n, 0.0f);
    for (float& duration : durations)
        archive.ReadFloat(&duration);
}

template <class Param>
void ReadAndNotify(KV_IOF_Virtual& archive, Param& param)
{
    UINT value = param.Value();
    archive.ReadUInt(&value);
    param.SetValue(value);
}

} // namespace

void KV_BaseSpriteProp::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_BaseSpriteProp", kSpriteVersion);
    WriteFields(archive);
}

void KV_BaseSpriteProp::ReadRecord(KV_IOF_Virtual& archive)
{
    const DWORD version = ReadRecordVersion(archive);
    ReadFields(archive, version);
}

void KV_BaseSpriteProp::WriteFields(KV_IOF_Virtual& archive) const
{
    KV_ViewObjCtrl::WriteRecord(archive);
    archive.WriteUInt(&count.Value());
    archive.WriteUInt(&size.Value());
    archive.WriteUInt(&alpha.Value());
    archive.WriteInt(&blendMode.Value());
    archive.WriteDword(&colour.Value());
    for (const float* value : {&pulseSpeed, &phaseMinimum, &phaseMaximum, &scaleMinimum, &scaleMaximum})
        archive.WriteFloat(value);
    RegisterLink(image);
    WriteFileLink(archive, image);
    RegisterLink(secondImage);
    WriteFileLink(archive, secondImage);
    archive.WriteUInt(&furtherUInt);
    archive.WriteFloat(&furtherFloat);
    archive.WriteUInt(&frameCount);
    archive.WriteFloat(&stripRate);
    archive.WriteBool(&strip);
    archive.WriteInt(&imageKind);
    archive.WriteInt(&flipV.Value());
    archive.WriteInt(&flipU.Value());
    archive.WriteInt(&staticGeometry.Value());
    archive.WriteUInt(&animationSpeed.Value());
}

void KV_BaseSpriteProp::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    KV_ViewObjCtrl::ReadRecord(archive);
    archive.ReadUInt(&count.Value());
    count.Value() = std::min(count.Value(), kMaxSpriteCount);
    if (version < 3)
        archive.ReadUInt(&speed.Value());
    archive.ReadUInt(&size.Value());
    ReadAndNotify(archive, alpha);
    archive.ReadInt(&blendMode.Value());
    archive.ReadDword(&colour.Value());
    for (float* value : {&pulseSpeed, &phaseMinimum, &phaseMaximum, &scaleMinimum, &scaleMaximum})
        archive.ReadFloat(value);
    if (version == 1) {
        ReadInlineFrames(archive, inlineFrames, inlineSecond);
    } else {
        ReadFileLink(archive, image);
        ReadFileLink(archive, secondImage);
    }
    archive.ReadUInt(&furtherUInt);
    archive.ReadFloat(&furtherFloat);
    archive.ReadUInt(&frameCount);
    archive.ReadFloat(&stripRate);
    archive.ReadBool(&strip);
    if (version == 1) {
        ReadInlineDurations(archive, inlineDurations);
        return;
    }
    if (version >= 4)
        archive.ReadInt(&imageKind);
    if (version >= 5) {
        archive.ReadInt(&flipV.Value());
        archive.ReadInt(&flipU.Value());
    }
    if (version >= 6)
        archive.ReadInt(&staticGeometry.Value());
    if (version >= 7)
        ReadAndNotify(archive, animationSpeed);
}
