#include "sample_scene.h"

#include "sample_music.h"
#include "sample_slides.h"
#include "scene/slideshow/kv_slideshow_light.h"

std::unique_ptr<KV_SlideShow_Light> BuildSampleShow(KV_DocResManager& manager, const std::vector<BYTE>& storedPicture,
                                                    const SampleSounds& sounds) {
    auto show = std::make_unique<KV_SlideShow_Light>();
    SampleScene scene{*show, manager, storedPicture, sounds};
    AddSamplePlaylist(scene);
    AddLandscapeSlide(scene);
    AddSpriteSlide(scene);
    AddPortraitSlide(scene);
    AddSquareSlide(scene);
    AddStoredPictureSlide(scene);
    AddSmallPictureSlide(scene);
    AddDefaultPictureSlide(scene);
    AddMaskedEffectsSlide(scene);
    AddStarsSlide(scene);
    AddGlassBallSlide(scene);
    AddGlyphColumnsSlide(scene);
    AddLakeSlide(scene);
    AddWaterRingsSlide(scene);
    AddObjects3DSlide(scene);
    AddWindChimeSlide(scene);
    AddGardenSlide(scene);
    AddNightSlide(scene);
    AddEffectSpritesSlide(scene);
    AddMountainWatersSlide(scene);
    AddTurningWindowSlide(scene);
    AddFlameSlide(scene);
    AddUnderwaterSlide(scene);
    return show;
}
