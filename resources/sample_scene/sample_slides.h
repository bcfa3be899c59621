// What each slide of the sample scene shows. Every kind of object that the
// engine plays gets a slide here: a function that appends it to the show,
// called from BuildSampleShow in the order the slides play.
#pragma once

#include <vector>

#include <windows.h>

class KV_DocResManager;
class KV_SlideShow_Light;
struct SampleSounds;

struct SampleScene {
    KV_SlideShow_Light& show;
    KV_DocResManager& manager;
    const std::vector<BYTE>& storedPicture;
    const SampleSounds& sounds;
};

// Every sprite system drawn without an effect, over the mountain lake.
void AddSpriteSlide(SampleScene& scene);
// Pictures of different sizes and aspects under the wandering camera.
void AddLandscapeSlide(SampleScene& scene);
void AddPortraitSlide(SampleScene& scene);
void AddSquareSlide(SampleScene& scene);
void AddStoredPictureSlide(SampleScene& scene);
void AddSmallPictureSlide(SampleScene& scene);
// A slide that names no picture shows the default one of common_res.
void AddDefaultPictureSlide(SampleScene& scene);
// Masked screen effects over the lake: waves on the water, a pulsing light
// on the peaks, a mirrored copy of the scene in the sky.
void AddMaskedEffectsSlide(SampleScene& scene);
// A star brush, twinkling stars and falling stars over a picture.
void AddStarsSlide(SampleScene& scene);
// The background layers that draw whole-scene effects, each over a picture.
void AddGlassBallSlide(SampleScene& scene);
void AddGlyphColumnsSlide(SampleScene& scene);
void AddLakeSlide(SampleScene& scene);
void AddWaterRingsSlide(SampleScene& scene);
// Two butterflies, the clock and falling leaves over a picture.
void AddObjects3DSlide(SampleScene& scene);
// Fireworks over the harbour at night and lightning behind the hills.
void AddNightSlide(SampleScene& scene);
// Effect-drawn sprites and text over the lake: a bolt of each glow kind, an
// explosion that flares up now and then, still, scrolling and link text.
void AddEffectSpritesSlide(SampleScene& scene);
// Wind chimes among the birches: a WAV sound object that rings now and
// then while the slide shows.
void AddWindChimeSlide(SampleScene& scene);
// The cottage garden: a swaying sunflower, the sun's rays, chimney smoke, a
// butterfly along its path, a turning pinwheel and wandering bees.
void AddGardenSlide(SampleScene& scene);
// Masked effects that move the picture, and fire and clouds: clouds over
// the lake's mountains, snow falling down a mountain's face with rings
// where it falls, a swaying reflection and a camp fire; the rose window's
// ring turning and its rosette swirling.
void AddMountainWatersSlide(SampleScene& scene);
void AddTurningWindowSlide(SampleScene& scene);
// Flames on the hills at dawn under a swelling sun, the whole frame
// shimmering, and the tile mosaic seen under moving water.
void AddFlameSlide(SampleScene& scene);
void AddUnderwaterSlide(SampleScene& scene);
