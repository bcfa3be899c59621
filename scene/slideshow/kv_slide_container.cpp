#include "scene/slideshow/kv_slide_container.h"

#include <cmath>

KV_SlideContainer::KV_SlideContainer() = default;

KV_SlideContainer::~KV_SlideContainer() = default;

void KV_SlideContainer::InvalidateDeviceObjects() {
    if (light)
        light->InvalidateDeviceObjects();
}

void KV_SlideContainer::Build() {
    if (!light)
        return;
    light->Create();
    light->Resize(1, 1);
    const auto make = [](std::vector<std::unique_ptr<KV_ABObj_Constructor>>& descriptions,
                         std::vector<CountedRef<KV_ABObj>>& objects) {
        for (const std::unique_ptr<KV_ABObj_Constructor>& description : descriptions) {
            if (std::unique_ptr<KV_ABObj> object = description->CreateObject())
                objects.emplace_back(object.release());
        }
        descriptions.clear();
    };
    make(drawnDescriptions, drawnObjects);
    make(startedDescriptions, startedObjects);
}

void KV_SlideContainer::FrameMove(float t) {
    if (!light)
        return;
    light->FrameMove(t);
    for (const CountedRef<KV_ABObj>& object : drawnObjects)
        object->Advance(t);
    for (const CountedRef<KV_ABObj>& object : startedObjects)
        object->Advance(t);
    // A period of 0 would make every interval time undefined.
    const float period = loopPeriod.Result();
    const float intervalTime = period > 0 ? std::fmod(t, period) : t;
    for (const CountedRef<KV_ABObj>& object : drawnObjects)
        object->SetTimeLineTime(intervalTime);
}

void KV_SlideContainer::Render(int flag) {
    if (!light)
        return;
    int readers = light->NeedsSceneTexture() ? 1 : 0;
    for (const CountedRef<KV_ABObj>& object : drawnObjects) {
        if (object->ReadsScene())
            ++readers;
    }
    if (readers > 0)
        light->BeginSceneCapture();
    light->RenderBackground(flag);
    light->RenderObjects(drawnObjects, readers);
}

void KV_SlideContainer::RestoreDeviceObjects() {
    if (!light)
        return;
    for (const CountedRef<KV_ABObj>& object : drawnObjects)
        object->Reset();
    light->RestoreDeviceObjects();
}

void KV_SlideContainer::Resize(int width, int height) {
    if (light)
        light->Resize(width, height);
}

void KV_SlideContainer::SetPicturePosition(int mode) {
    if (light)
        light->SetPicturePosition(mode);
}

void KV_SlideContainer::StartStopObjects(bool on) {
    for (const CountedRef<KV_ABObj>& object : startedObjects)
        object->SetActive(on ? 1 : 0);
}
