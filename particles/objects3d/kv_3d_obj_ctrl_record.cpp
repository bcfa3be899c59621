// The shared record of the 3D objects, version 1: instance count, size,
// picture and mesh links, then the rectangle record. The count and the
// size are stored without notifying.
#include "particles/objects3d/kv_3d_obj_ctrl.h"

#include "scene/document/record.h"

namespace {

constexpr DWORD kVersion = 1;

}  // namespace

void KV_3D_Obj_Ctrl::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_3D_Obj_Ctrl", kVersion);
    archive.WriteUInt(&instanceCount.Value());
    archive.WriteUInt(&size.Value());
    WriteImageLink(archive, texture);
    WriteFileLink(archive, mesh);
    KV_ViewObjCtrl::WriteRecord(archive);
}

void KV_3D_Obj_Ctrl::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadRecordVersion(archive);
    archive.ReadUInt(&instanceCount.Value());
    archive.ReadUInt(&size.Value());
    ReadFileLink(archive, texture);
    ReadFileLink(archive, mesh);
    KV_ViewObjCtrl::ReadRecord(archive);
}
