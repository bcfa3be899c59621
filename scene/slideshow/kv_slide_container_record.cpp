// The slide record, version 4. Version 2 added the started/stopped objects,
// version 3 the loop period, which version 4 stores in hundredths of a
// second instead of whole seconds.
#include <algorithm>
#include <cstdint>

#include "scene/document/kv_iof_virtual.h"
#include "scene/document/reader_registry.h"
#include "scene/document/record.h"
#include "scene/slideshow/kv_slide_container.h"

namespace {

constexpr DWORD kSlideVersion = 4;
// A description record is at least its class name's length and a version.
constexpr std::size_t kMinDescriptionBytes = 5;

const RegisterReader<KV_SlideContainer, KV_SlideContainer> registration(L"KV_SlideContainer");

void ReadDescriptions(KV_IOF_Virtual& archive, std::vector<std::unique_ptr<KV_ABObj_Constructor>>& descriptions) {
    const DWORD count = archive.ReadCount(kMinDescriptionBytes);
    for (DWORD i = 0; i < count; ++i) {
        std::unique_ptr<KV_ABObj_Constructor> description = KV_ABObj_Constructor::ReadNew(archive);
        if (!description)
            return;  // the archive has failed: nothing after it can be read
        descriptions.push_back(std::move(description));
    }
}

void WriteDescriptions(KV_IOF_Virtual& archive, const std::vector<CountedRef<KV_ABObj>>& objects,
                       const std::vector<std::unique_ptr<KV_ABObj_Constructor>>& descriptions) {
    const DWORD count = static_cast<DWORD>(objects.size() + descriptions.size());
    archive.WriteDword(&count);
    for (const CountedRef<KV_ABObj>& object : objects)
        object->Description().Write(archive);
    for (const std::unique_ptr<KV_ABObj_Constructor>& description : descriptions)
        description->Write(archive);
}

// Older documents store whole seconds.
UINT StoredSecondsToHundredths(UINT seconds) {
    return static_cast<UINT>(std::min<std::uint64_t>(std::uint64_t{seconds} * 100, UINT32_MAX));
}

}  // namespace

std::unique_ptr<KV_SlideContainer> KV_SlideContainer::ReadNew(KV_IOF_Virtual& archive) {
    return GetSlideReaderRegistry().Find(archive);
}

void KV_SlideContainer::Read(KV_IOF_Virtual& archive, DWORD version) {
    archive.ReadUInt(&fadeIn.Value());
    archive.ReadUInt(&fadeOut.Value());
    archive.ReadUInt(&hold.Value());
    archive.ReadInt(&number.Value());
    archive.ReadString(&text.Value());
    if (version >= 3) {
        UINT period = loopPeriod.Value();
        archive.ReadUInt(&period);
        if (version < 4)
            period = StoredSecondsToHundredths(period);
        // Set and notified, so that the seconds follow.
        loopPeriod.StoreAndNotify(period);
    }
    // The light record's class name selects the light class.
    std::unique_ptr<KV_2D_Light> stored = GetLightReaderRegistry().Find(archive);
    if (!stored)
        return;
    light = CountedRef<KV_2D_Light>(stored.release());
    ReadDescriptions(archive, drawnDescriptions);
    if (version >= 2)
        ReadDescriptions(archive, startedDescriptions);
}

void KV_SlideContainer::Write(KV_IOF_Virtual& archive) const {
    WriteRecordFrame(archive, L"KV_SlideContainer", kSlideVersion);
    archive.WriteUInt(&fadeIn.Value());
    archive.WriteUInt(&fadeOut.Value());
    archive.WriteUInt(&hold.Value());
    archive.WriteInt(&number.Value());
    archive.WriteString(&text.Value());
    archive.WriteUInt(&loopPeriod.Value());
    if (light)
        light->Write(archive);
    else
        WriteRecordFrame(archive, L"KV_2D_Light", 1);  // a plain light with no fields of its own
    WriteDescriptions(archive, drawnObjects, drawnDescriptions);
    WriteDescriptions(archive, startedObjects, startedDescriptions);
}
