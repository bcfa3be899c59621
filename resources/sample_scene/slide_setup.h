// Building blocks of the sample's slides.
#pragma once

#include <memory>

#include "scene/slideshow/kv_slide_container.h"
#include "sample_slides.h"

// Whole seconds.
struct SlideTiming {
    unsigned fadeIn;
    unsigned hold;
    unsigned fadeOut;
};

// The wandering camera; zoom in hundredths (100: the whole picture).
struct CameraSetup {
    bool wanders;
    unsigned zoom;
    unsigned speed;  // 50: one phase unit per second
};

// A new slide at the end of the show with the given background layer,
// its camera set up; objects go into the slide's description lists.
KV_SlideContainer& AddSlide(SampleScene& scene, const SlideTiming& timing, const CameraSetup& camera,
                            std::unique_ptr<KV_2D_Light> layer);
// The same with a plain picture layer, which names the default picture
// until it is given another.
KV_SlideContainer& AddPictureSlide(SampleScene& scene, const SlideTiming& timing, const CameraSetup& camera);
// Resource "DDS" id of the program's own module.
void ShowOwnPicture(KV_SlideContainer& slide, int id);
// The key of bytes that the document stores: writing an object whose link
// has this key stores them.
ResourceKey StoreInDocument(SampleScene& scene, const kv_string& name, const std::vector<BYTE>& bytes);
