// The slide-show record, version 1: the slides through the slide registry,
// then the playlist's audio-file records.
#include "scene/document/record.h"
#include "scene/slideshow/kv_slideshow_light.h"

namespace {

constexpr DWORD kSlideShowVersion = 1;
// Every record is at least its class name's length and a version.
constexpr std::size_t kMinRecordBytes = 5;

}  // namespace

std::unique_ptr<KV_SlideShow_Light> ReadSlideShowRecord(KV_IOF_Virtual& archive) {
    ReadRecordVersion(archive);
    auto show = std::make_unique<KV_SlideShow_Light>();
    show->ReadSlides(archive);
    show->ReadAudioFiles(archive);
    return show;
}

void KV_SlideShow_Light::ReadSlides(KV_IOF_Virtual& archive) {
    const DWORD count = archive.ReadCount(kMinRecordBytes);
    for (DWORD i = 0; i < count; ++i) {
        std::unique_ptr<KV_SlideContainer> slide = KV_SlideContainer::ReadNew(archive);
        if (!slide || archive.Failed())
            return;
        slides.emplace_back(slide.release());
    }
}

void KV_SlideShow_Light::ReadAudioFiles(KV_IOF_Virtual& archive) {
    const DWORD count = archive.ReadCount(kMinRecordBytes);
    for (DWORD i = 0; i < count && !archive.Failed(); ++i) {
        auto item = std::make_unique<KV_AudioFile>();
        item->Read(archive);
        playlist.emplace_back(item.release());
    }
}

void KV_SlideShow_Light::Write(KV_IOF_Virtual& archive) const {
    WriteRecordFrame(archive, L"KV_SlideShow_Light", kSlideShowVersion);
    const DWORD slideCount = static_cast<DWORD>(slides.size());
    archive.WriteDword(&slideCount);
    for (const CountedRef<KV_SlideContainer>& slide : slides)
        slide->Write(archive);
    const DWORD itemCount = static_cast<DWORD>(playlist.size());
    archive.WriteDword(&itemCount);
    for (const CountedRef<KV_AudioFile>& item : playlist)
        item->Write(archive);
}
