// The mesh array record, version 1: the name (stored again by the base
// part), count, mesh and picture entries, the drift settings with the
// direction last, then the description base record.
#include "particles/objects3d/kv_3d_in_2d_array_constructor.h"

#include "particles/objects3d/kv_3d_in_2d_array.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kVersion = 1;

const RegisterReader<KV_3D_in_2D_array_Constructor, KV_ABObj_Constructor> registration(
    L"KV_3D_in_2D_array_Constructor");

}  // namespace

std::unique_ptr<KV_ABObj> KV_3D_in_2D_array_Constructor::CreateObject() const
{
    return std::make_unique<KV_3D_in_2D_array>(std::make_unique<KV_3D_in_2D_array_Constructor>(*this));
}

void KV_3D_in_2D_array_Constructor::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_3D_in_2D_array_Constructor::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_3D_in_2D_array_Constructor", kVersion);
    archive.WriteString(&name);
    archive.WriteUInt(&instanceCount.Value());
    archive.WriteResourceEntry(&mesh);
    archive.WriteResourceEntry(&texture);
    archive.WriteUInt(&drift.size.Value());
    archive.WriteUInt(&drift.speed.Value());
    archive.WriteUInt(&drift.sway.Value());
    archive.WriteUInt(&drift.wobbleChangeRate.Value());
    archive.WriteUInt(&drift.spinSpeed.Value());
    const UINT angle = static_cast<UINT>(drift.angle);
    archive.WriteUInt(&angle);
    KV_ABObj_Constructor::WriteRecord(archive);
}

void KV_3D_in_2D_array_Constructor::Read(KV_IOF_Virtual& archive, DWORD) { ReadFields(archive); }

void KV_3D_in_2D_array_Constructor::ReadFields(KV_IOF_Virtual& archive)
{
    archive.ReadString(&name);
    archive.ReadUInt(&instanceCount.Value());
    archive.ReadResourceEntry(&mesh);
    archive.ReadResourceEntry(&texture);
    archive.ReadUInt(&drift.size.Value());
    archive.ReadUInt(&drift.speed.Value());
    archive.ReadUInt(&drift.sway.Value());
    archive.ReadUInt(&drift.wobbleChangeRate.Value());
    archive.ReadUInt(&drift.spinSpeed.Value());
    UINT angle = static_cast<UINT>(drift.angle);
    archive.ReadUInt(&angle);
    drift.SetDirection(static_cast<int>(angle));
    KV_ABObj_Constructor::ReadRecord(archive);
}
