// The butterfly record, version 2: body picture and mesh links, the two
// scaled values, the wing scale (version 2 on), then the shared 3D record.
#include "particles/objects3d/kv_butterfly_constructor.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kVersion = 2;

const RegisterReader<KV_ButterflyConstructor, KV_ABObj_Constructor> registration(L"KV_ButterflyConstructor");

}  // namespace

void KV_ButterflyConstructor::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_ButterflyConstructor::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_ButterflyConstructor", kVersion);
    WriteImageLink(archive, bodyTexture);
    WriteFileLink(archive, bodyMesh);
    archive.WriteUInt(&firstScaled.Value());
    archive.WriteUInt(&secondScaled.Value());
    archive.WriteFloat(&wingScale);
    KV_3D_Obj_Ctrl::WriteRecord(archive);
}

void KV_ButterflyConstructor::Read(KV_IOF_Virtual& archive, DWORD version)
{
    ReadFileLink(archive, bodyTexture);
    ReadFileLink(archive, bodyMesh);
    UINT scaled = firstScaled.Value();
    archive.ReadUInt(&scaled);
    firstScaled.SetValue(scaled);
    scaled = secondScaled.Value();
    archive.ReadUInt(&scaled);
    secondScaled.SetValue(scaled);
    if (version >= 2)
        archive.ReadFloat(&wingScale);
    KV_3D_Obj_Ctrl::ReadRecord(archive);
}
