// The base part of every masked effect's record, version 3: the clock,
// the scene switch, the mask key, the effect link, the scale (version 2 on)
// and the placement (version 3 on), then the description base record.
#include "effects/screenfx/fx_constructor.h"

#include "effects/screenfx/fx_params.h"
#include "scene/document/guid_text.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kFxConstructorVersion = 3;

} // namespace

void KV_FX_Constructor::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_FX_Constructor::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_FX_Constructor", kFxConstructorVersion);
    WriteFields(archive);
}

void KV_FX_Constructor::ReadRecord(KV_IOF_Virtual& archive, KV_FX_Constructor& description)
{
    const DWORD version = ReadRecordVersion(archive);
    description.ReadFields(archive, version);
}

void KV_FX_Constructor::WriteFields(KV_IOF_Virtual& archive) const
{
    StoreMaskCopy();
    archive.WriteUInt(&speed.Value());
    archive.WriteInt(&usesBackground.Value());
    WriteGuid(archive, maskKey.id);
    archive.WriteString(&maskKey.name);
    archive.WriteBool(&maskKey.flag);
    WriteFileLink(archive, effectLink);
    archive.WriteUInt(&scale.Value());
    placement.Write(archive);
    archive.WriteInt(&placementInt.Value());
    KV_ABObj_Constructor::WriteRecord(archive);
}

void KV_FX_Constructor::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    ReadScaledValue(archive, speed);
    archive.ReadInt(&usesBackground.Value());
    ReadGuid(archive, &maskKey.id);
    archive.ReadString(&maskKey.name);
    archive.ReadBool(&maskKey.flag);
    ReadFileLink(archive, effectLink);
    if (version >= 2)
        ReadScaledValue(archive, scale);
    if (version >= 3) {
        placement.Read(archive);
        archive.ReadInt(&placementInt.Value());
    }
    KV_ABObj_Constructor::ReadRecord(archive);
}
