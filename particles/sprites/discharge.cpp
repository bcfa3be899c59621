#include "particles/sprites/stat_obj.h"

#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/model/crt_random.h"

namespace {

const RegisterReader<KV_DischargeConstructor, KV_ABObj_Constructor> registration(L"KV_DischargeConstructor");

} // namespace

void KV_DischargeConstructor::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_DischargeConstructor", 1);
    WriteRecord(archive);
}

void KV_DischargeConstructor::Read(KV_IOF_Virtual& archive, DWORD) { ReadRecord(archive); }

unsigned KV_DischargeConstructor::NextFrame(unsigned frame) const
{
    const unsigned frames = FrameCount();
    if (frames < 2)
        return frame;
    unsigned next = frame;
    while (next == frame)
        next = static_cast<unsigned>(kv_rand()) % frames;
    return next;
}
