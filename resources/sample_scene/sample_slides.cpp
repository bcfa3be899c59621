#include "sample_slides.h"

#include <algorithm>

#include "effects/screenfx/background_copy.h"
#include "effects/screenfx/light_fx.h"
#include "effects/screenfx/waves_fx.h"
#include "masks.h"
#include "resources/resource.h"
#include "sample_music.h"
#include "scene/resources/kv_docresmanager.h"
#include "slide_setup.h"
#include "sound/kv_wav_constructor.h"

void AddLandscapeSlide(SampleScene& scene) {
    // A short first hold, so that a run of a few seconds shows a fade.
    KV_SlideContainer& slide = AddPictureSlide(scene, {1, 3, 1}, {true, 130, 50});
    ShowOwnPicture(slide, IDR_PICTURE_MOUNTAIN_LAKE);
}

void AddPortraitSlide(SampleScene& scene) {
    KV_SlideContainer& slide = AddPictureSlide(scene, {2, 6, 2}, {true, 115, 35});
    ShowOwnPicture(slide, IDR_PICTURE_BIRCH_FOREST);
}

void AddSquareSlide(SampleScene& scene) {
    // The camera stands still: the picture as the placement lays it out.
    KV_SlideContainer& slide = AddPictureSlide(scene, {1, 6, 3}, {false, 100, 50});
    ShowOwnPicture(slide, IDR_PICTURE_ROSE_WINDOW);
}

void AddStoredPictureSlide(SampleScene& scene) {
    KV_SlideContainer& slide = AddPictureSlide(scene, {3, 6, 1}, {true, 150, 80});
    slide.light->pictureLink.SetKey(StoreInDocument(scene, L"desert_dunes.png", scene.storedPicture));
}

void AddSmallPictureSlide(SampleScene& scene) {
    KV_SlideContainer& slide = AddPictureSlide(scene, {1, 4, 1}, {true, 110, 50});
    ShowOwnPicture(slide, IDR_PICTURE_TILE_MOSAIC);
}

void AddDefaultPictureSlide(SampleScene& scene) { AddPictureSlide(scene, {2, 6, 2}, {true, 125, 50}); }

// The copy reads the scene the others drew, so it comes first in the list,
// which is drawn from the last to the first.
void AddMaskedEffectsSlide(SampleScene& scene) {
    KV_SlideContainer& slide = AddPictureSlide(scene, {2, 8, 2}, {false, 100, 50});
    ShowOwnPicture(slide, IDR_PICTURE_MOUNTAIN_LAKE);

    auto copy = std::make_unique<KV_BackgroundCopy>();
    copy->usesBackground.SetValue(1);
    copy->copyFlagX.SetValue(1);
    StoreMask(scene.manager, copy->maskKey, [](float u, float v) { return SoftEllipse(u, v, 0.18f, 0.2f, 0.13f, 0.14f); });
    auto light = std::make_unique<KV_LightFX>();
    light->lightStrength.SetValue(30);
    StoreMask(scene.manager, light->maskKey, [](float u, float v) { return SoftEllipse(u, v, 0.6f, 0.32f, 0.25f, 0.2f); });
    // Crests across the lake, below its shore line at 0.58 of the picture's
    // height, shift the reflection sideways as they come nearer.
    auto waves = std::make_unique<KV_WavesFX>();
    waves->waveAngle.SetValue(90);
    waves->waveLength.SetValue(20);
    StoreMask(scene.manager, waves->maskKey, [](float, float v) { return std::clamp((v - 0.59f) * 30.0f, 0.0f, 1.0f); });

    slide.drawnDescriptions.push_back(std::move(copy));
    slide.drawnDescriptions.push_back(std::move(light));
    slide.drawnDescriptions.push_back(std::move(waves));
}

// The chime is only started and stopped with the slide. Its time line
// cycles: it rings once whenever it is shown, then keeps quiet for one to
// three seconds.
void AddWindChimeSlide(SampleScene& scene) {
    KV_SlideContainer& slide = AddPictureSlide(scene, {2, 8, 2}, {true, 120, 40});
    ShowOwnPicture(slide, IDR_PICTURE_BIRCH_FOREST);

    auto chime = std::make_unique<KV_WAV_Constructor>();
    chime->link.SetKey(StoreInDocument(scene, L"wind_chime.wav", scene.sounds.windChime));
    chime->volume.SetValue(80);
    chime->balance.SetValue(35);
    KV_TimeLineControl& timeLine = chime->TimeLine();
    timeLine.mode.SetValue(KV_TimeLineControl::kModeCycle);
    timeLine.invisibleRange.minimum.SetValue(100);
    timeLine.invisibleRange.maximum.SetValue(300);
    slide.startedDescriptions.push_back(std::move(chime));
}
