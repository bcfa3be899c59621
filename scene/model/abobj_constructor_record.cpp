// The description base record (version 2: name, then the time line) and
// the reader of descriptions of any registered class.
#include "scene/model/abobj_constructor.h"

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kConstructorVersion = 2;

} // namespace

void KV_ABObj_Constructor::WriteRecord(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_ABObj_Constructor", kConstructorVersion);
    archive.WriteString(&name);
    m_timeLine->Write(archive);
}

void KV_ABObj_Constructor::ReadRecord(KV_IOF_Virtual& archive)
{
    const DWORD version = ReadRecordVersion(archive);
    archive.ReadString(&name);
    // Version 1 has no time line: the default one (always shown) stays.
    if (version > 1)
        m_timeLine->ReadRecord(archive);
}

std::unique_ptr<KV_ABObj_Constructor> KV_ABObj_Constructor::ReadNew(KV_IOF_Virtual& archive)
{
    return GetConstructorReaderRegistry().Find(archive);
}
