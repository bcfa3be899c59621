#include "scene/slideshow/kv_slideshow_light.h"

#include "scene/document/record.h"

std::unique_ptr<KV_SlideShow_Light> ReadSlideShowRecord(KV_IOF_Virtual& archive) {
    ReadRecordVersion(archive);
    return std::make_unique<KV_SlideShow_Light>();
}
