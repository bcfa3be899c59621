// The sprite slide: every kind of sprite system that draws without an
// effect, over the mountain lake, with pictures painted for it and stored
// in the document.
#include <memory>

#include "particles/sprites/fish_kinds.h"
#include "particles/sprites/flow.h"
#include "particles/sprites/fog.h"
#include "particles/sprites/light_kinds.h"
#include "particles/sprites/stat_obj.h"
#include "resources/resource.h"
#include "sample_slides.h"
#include "scene/resources/kv_docresmanager.h"
#include "slide_setup.h"
#include "sprite_pictures.h"

namespace {

ResourceEntry PictureEntry(const wchar_t* name, const std::vector<BYTE>& bytes) {
    ResourceEntry entry;
    entry.Assign(name, static_cast<DWORD>(bytes.size()), bytes.data());
    return entry;
}

// The bytes stored in the document under a file name; writing the
// description registers the link, which stores them.
ResourceKey Store(SampleScene& scene, const wchar_t* name, const std::vector<BYTE>& bytes) {
    const ResourceEntry entry = PictureEntry(name, bytes);
    const KV_FileLink3 link = KV_FileLink3::FromEntry(entry);
    scene.manager.Tables().entries[link.Key()].push_back(entry);
    return link.Key();
}

template <class Kind>
Kind& Add(KV_SlideContainer& slide, const ResourceKey& picture, unsigned count, unsigned size) {
    auto kind = std::make_unique<Kind>();
    Kind& added = *kind;
    added.image.SetKey(picture);
    added.count.SetValue(count);
    added.size.SetValue(size);
    slide.drawnDescriptions.push_back(std::move(kind));
    return added;
}

void Place(KV_ViewObjCtrl& d, float left, float right, float top, float bottom) {
    d.relative = {left, right, top, bottom};
}

void AtPosition(KV_StatObjConstructor& d, int x, int y, unsigned rotation) {
    d.placement.extra1.Value() = x;
    d.placement.extra2.Value() = y;
    d.rotation.SetValue(rotation);
}

}  // namespace

void AddSpriteSlide(SampleScene& scene) {
    // Second in the show, so that a run of a few seconds fades into it. The
    // sprites lie on the picture: they wander and zoom with it.
    KV_SlideContainer& slide = AddPictureSlide(scene, {1, 4, 1}, {true, 125, 40});
    ShowOwnPicture(slide, IDR_PICTURE_MOUNTAIN_LAKE);

    auto& rays = Add<KV_GodRayConstructor>(slide, Store(scene, L"sprite_ray.dds", sample_sprites::Ray()), 5, 140);
    Place(rays, 0.05f, 0.6f, 0.0f, 1.0f);
    rays.slant.SetValue(75);
    rays.blendMode.SetValue(2);
    rays.alpha.SetValue(40);
    rays.pulseSpeed = 0.25f;
    rays.phaseMinimum = 0.3f;

    // Glowing orbs that swell through an image sequence, a halo over each.
    const std::vector<float> durations(4, 0.15f);
    std::vector<ResourceEntry> frames;
    for (int frame = 0; frame < 4; ++frame)
        frames.push_back(PictureEntry(L"sprite_orb.dds", sample_sprites::OrbFrame(frame, 4)));
    auto& orbs = Add<KV_FogConstructor>(slide, scene.manager.BuildImageLinkFromList(frames, durations).Key(), 8, 72);
    Place(orbs, 0.5f, 0.95f, 0.05f, 0.4f);
    orbs.imageKind = 1;
    orbs.alpha.SetValue(0);
    orbs.secondImage.SetKey(Store(scene, L"sprite_halo.dds", sample_sprites::Halo()));

    auto& fish = Add<KV_FishConstructor>(slide, Store(scene, L"sprite_fish.dds", sample_sprites::Fish()), 6, 70);
    Place(fish, 0.05f, 0.95f, 0.72f, 0.95f);
    fish.maxSpeedY = 15.0f;

    auto& sparkles =
        Add<KV_SparkleConstructor>(slide, Store(scene, L"sprite_sparkle.dds", sample_sprites::Sparkle()), 30, 28);
    Place(sparkles, 0.1f, 0.9f, 0.6f, 0.9f);
    sparkles.blendMode.SetValue(1);
    sparkles.pulseSpeed = 1.5f;

    Add<KV_RainConstructor>(slide, Store(scene, L"sprite_rain.dds", sample_sprites::Raindrop()), 120, 56);

    auto& grass = Add<KV_GrassConstructor>(slide, Store(scene, L"sprite_grass.dds", sample_sprites::GrassBlade()), 70, 80);
    Place(grass, 0.0f, 1.0f, 0.8f, 1.0f);

    auto& flower = Add<KV_FlowerConstructor>(slide, Store(scene, L"sprite_flower.dds", sample_sprites::Flower()), 1, 130);
    AtPosition(flower, 880, 490, 0);
    flower.amplitude = 4.0f;

    auto& leaf = Add<KV_StatObjConstructor>(slide, Store(scene, L"sprite_leaf.dds", sample_sprites::Leaf()), 1, 110);
    AtPosition(leaf, 150, 470, 30);

    auto& discharge = Add<KV_DischargeConstructor>(
        slide, Store(scene, L"sprite_discharge.dds", sample_sprites::DischargeStrip()), 1, 240);
    AtPosition(discharge, 780, 150, 0);
    discharge.strip = true;
    discharge.frameCount = 4;
    discharge.stripRate = 12.0f;
    discharge.blendMode.SetValue(1);
}
