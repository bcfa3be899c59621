#include "sample_slides.h"

#include "resources/resource.h"
#include "scene/resources/kv_docresmanager.h"
#include "slide_setup.h"

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
    ResourceEntry entry;
    entry.Assign(L"desert_dunes.png", static_cast<DWORD>(scene.storedPicture.size()), scene.storedPicture.data());
    const KV_FileLink3 link = KV_FileLink3::FromEntry(entry);
    // Writing the light registers the link, which stores these bytes.
    scene.manager.Tables().entries[link.Key()].push_back(entry);
    slide.light->pictureLink.SetKey(link.Key());
}

void AddSmallPictureSlide(SampleScene& scene) {
    KV_SlideContainer& slide = AddPictureSlide(scene, {1, 4, 1}, {true, 110, 50});
    ShowOwnPicture(slide, IDR_PICTURE_TILE_MOSAIC);
}

void AddDefaultPictureSlide(SampleScene& scene) { AddPictureSlide(scene, {2, 6, 2}, {true, 125, 50}); }
