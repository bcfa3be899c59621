#include "sound/kv_sound_ctrl.h"

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/record.h"
#include "scene/resources/kv_imagefilelink.h"
#include "sound/kv_sound.h"

namespace {

constexpr DWORD kSoundCtrlVersion = 3;
constexpr INT kSoundImageId = 2016;

} // namespace

KV_Sound_Ctrl::KV_Sound_Ctrl()
{
    volume.StoreAndNotify(100);
    balance.StoreAndNotify(50);
}

void KV_Sound_Ctrl::Write(KV_IOF_Virtual& archive) const
{
    WriteRecordFrame(archive, L"KV_Sound_Ctrl", kSoundCtrlVersion);
    UINT stored = volume.Value();
    archive.WriteUInt(&stored);
    stored = balance.Value();
    archive.WriteUInt(&stored);
    WriteRecord(archive);
}

void KV_Sound_Ctrl::ReadRecord(KV_IOF_Virtual& archive)
{
    ReadFields(archive, ReadRecordVersion(archive));
}

void KV_Sound_Ctrl::ReadFields(KV_IOF_Virtual& archive, DWORD version)
{
    UINT stored = 0;
    archive.ReadUInt(&stored);
    volume.Value() = stored;
    archive.ReadUInt(&stored);
    balance.Value() = stored;
    if (version < 3) {
        // Older records kept their own time-line settings, in seconds.
        INT mode = 0;
        archive.ReadInt(&mode);
        TimeLine().mode.Value() = mode;
        archive.ReadUInt(&stored);
        TimeLine().invisibleRange.minimum.Value() = stored * 100;
        archive.ReadUInt(&stored);
        TimeLine().invisibleRange.maximum.Value() = stored * 100;
    }
    KV_ABObj_Constructor::ReadRecord(archive);
}

ImageInfo KV_Sound_Ctrl::GetImageInfo() const
{
    static const KV_ImageFileLink image(KV_FileLink3::FromResource(kSoundImageId, L"common_res.dll"));
    return {&image, 0, 1.0f};
}

std::unique_ptr<KV_ABObj> KV_Sound_Ctrl::CreateObject() const
{
    return std::make_unique<KV_Sound>(Clone());
}
