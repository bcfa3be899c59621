// The light record, version 3: from version 2 the picture link, from
// version 3 a whole camera record. Every light class ends with this part.
#include "scene/light/kv_2d_light.h"

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"

namespace {

constexpr DWORD kLightVersion = 3;

const RegisterReader<KV_2D_Light, KV_2D_Light> registration(L"KV_2D_Light");

} // namespace

std::unique_ptr<KV_2D_Light> KV_2D_Light::ReadNew(KV_IOF_Virtual& archive)
{
    return GetLightReaderRegistry().Find(archive);
}

void KV_2D_Light::Read(KV_IOF_Virtual& archive, DWORD version)
{
    if (version > 1)
        ReadFileLink(archive, pictureLink);
    if (version > 2) {
        const std::unique_ptr<KVM_Camera> stored = KVM_Camera::ReadNew(archive);
        camera.Assign(*stored);
    }
}

void KV_2D_Light::ReadRecord(KV_IOF_Virtual& archive, KV_2D_Light& light)
{
    light.Read(archive, ReadRecordVersion(archive));
}

void KV_2D_Light::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_2D_Light", kLightVersion);
    WriteImageLink(archive, pictureLink);
    camera.Write(archive);
}
