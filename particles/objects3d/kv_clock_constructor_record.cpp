// The clock record, version 1: the placement rectangle, the hands picture
// link, then the shared 3D record.
#include "particles/objects3d/kv_clock_constructor.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kVersion = 1;

const RegisterReader<KV_ClockConstructor, KV_ABObj_Constructor> registration(L"KV_ClockConstructor");

}  // namespace

void KV_ClockConstructor::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_ClockConstructor::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_ClockConstructor", kVersion);
    placement.Write(archive);
    WriteImageLink(archive, handsTexture);
    KV_3D_Obj_Ctrl::WriteRecord(archive);
}

void KV_ClockConstructor::Read(KV_IOF_Virtual& archive, DWORD)
{
    placement.Read(archive);
    ReadFileLink(archive, handsTexture);
    KV_3D_Obj_Ctrl::ReadRecord(archive);
}
