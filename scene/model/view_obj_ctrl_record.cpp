// The record of rectangle descriptions, version 2: pixel rectangle,
// relative rectangle, the bool setting, the speed (version 2 on), then the
// description base record. Values are stored without notifying.
#include "scene/model/view_obj_ctrl.h"

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kViewObjCtrlVersion = 2;

} // namespace

void KV_ViewObjCtrl::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_ViewObjCtrl", kViewObjCtrlVersion);
    WriteFields(archive);
}

void KV_ViewObjCtrl::ReadRecord(KV_IOF_Virtual& archive)
{
    const DWORD version = ReadRecordVersion(archive);
    ReadFields(archive, version);
}

void KV_ViewObjCtrl::WriteFields(KV_IOF_Virtual& archive) const
{
    pixelRect.Write(archive);
    archive.WriteFloat(&relative.left);
    archive.WriteFloat(&relative.right);
    archive.WriteFloat(&relative.top);
    archive.WriteFloat(&relative.bottom);
    archive.WriteBool(&setting);
    archive.WriteUInt(&speed.Value());
    KV_ABObj_Constructor::WriteRecord(archive);
}

void KV_ViewObjCtrl::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    pixelRect.Read(archive);
    archive.ReadFloat(&relative.left);
    archive.ReadFloat(&relative.right);
    archive.ReadFloat(&relative.top);
    archive.ReadFloat(&relative.bottom);
    archive.ReadBool(&setting);
    if (version >= 2)
        archive.ReadUInt(&speed.Value());
    KV_ABObj_Constructor::ReadRecord(archive);
}
