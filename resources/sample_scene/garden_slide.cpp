// A summer afternoon in the cottage garden: a sunflower swaying, the sun's
// rays slowly swinging, smoke from the chimney, a butterfly along its way,
// a pinwheel turning in the border and bees over the flowers, with
// pictures and frame strips the sample paints and stores.
#include <memory>
#include <utility>
#include <vector>

#include "garden_pictures.h"
#include "particles/generators/brown_animation.h"
#include "particles/generators/path_animation.h"
#include "particles/generators/plant.h"
#include "particles/generators/radial_rays.h"
#include "particles/generators/smoke.h"
#include "particles/generators/static_animation.h"
#include "resources/common_res/common_res_ids.h"
#include "resources/resource.h"
#include "sample_slides.h"
#include "scene/resources/kv_docresmanager.h"
#include "slide_setup.h"

namespace {

KV_HLSLEffectFile CommonEffect(int id) { return KV_HLSLEffectFile(KV_FileLink3::FromResource(id, L"common_res.dll")); }

KV_ImageFileLink StorePicture(SampleScene& scene, const kv_string& name, const std::vector<BYTE>& bytes)
{
    return KV_ImageFileLink(KV_FileLink3::FromKey(StoreInDocument(scene, name, bytes)));
}

// One stored picture a frame, each shown for the given seconds.
template <class Paint>
KV_ImageFileLink StoreFrames(SampleScene& scene, const wchar_t* name, int frames, float seconds, Paint paint)
{
    std::vector<ResourceEntry> entries(static_cast<size_t>(frames));
    for (int frame = 0; frame < frames; ++frame) {
        const std::vector<BYTE> bytes = paint(frame);
        entries[static_cast<size_t>(frame)].Assign(name, static_cast<DWORD>(bytes.size()), bytes.data());
    }
    return scene.manager.BuildImageLinkFromList(entries, std::vector<float>(static_cast<size_t>(frames), seconds));
}

void SetColour(MediaColor& colour, DWORD rgb, unsigned int transparency)
{
    colour.Value() = rgb;
    colour.transparency.StoreAndNotify(transparency);
}

void SetRectangle(MediaQuad& quad, float left, float top, float right, float bottom)
{
    quad.SetCentred(D3DXVECTOR3((left + right) / 2, (top + bottom) / 2, 0), right - left, bottom - top);
}

std::unique_ptr<KV_Plant> Sunflower(SampleScene& scene)
{
    auto plant = std::make_unique<KV_Plant>();
    plant->images.push_back(StorePicture(scene, L"garden_sunflower.dds", sample_garden::Sunflower()));
    plant->effectLink.SetKey(CommonEffect(IDR_PLANT_EFFECT).Key());
    SetRectangle(plant->quad, 90, 250, 240, 550);
    plant->swaySpeed.StoreAndNotify(50);
    plant->frequency.StoreAndNotify(3);    // a swing in three seconds
    plant->wMagnitude.StoreAndNotify(60);  // the head 12 pixels either way
    plant->bMagnitude.StoreAndNotify(15);
    return plant;
}

std::unique_ptr<KV_RadialRays> SunRays(SampleScene& scene)
{
    auto rays = std::make_unique<KV_RadialRays>();
    rays->images.push_back(StorePicture(scene, L"garden_ray.dds", sample_garden::SunRay()));
    rays->effectLink.SetKey(CommonEffect(IDR_PARTICLE_EFFECT).Key());
    rays->blendMode.Value() = KV_TexParticleGenerator::kSum;
    SetColour(rays->firstColour, 0x90E0FF, 10);  // pale gold
    rays->centre.Value() = D3DXVECTOR3(123, 69, 0);
    rays->rayLength.Value() = 520;
    rays->rayWidth.Value() = 60;
    rays->rayCount.Value() = 11;
    rays->jitter.Value() = 1;
    rays->seed.Value() = 7;
    rays->jitterMinimum.StoreAndNotify(45);
    rays->rotationSpeed.StoreAndNotify(10);  // 0.2 radians a second
    rays->rotationMode.Value() = KV_RadialRays::kSwing;
    rays->swingAmplitude.StoreAndNotify(12);
    rays->shrink.StoreAndNotify(50);
    return rays;
}

std::unique_ptr<KV_Smoke> ChimneySmoke(SampleScene& scene)
{
    auto smoke = std::make_unique<KV_Smoke>();
    smoke->images.push_back(StorePicture(scene, L"garden_smoke.dds", sample_garden::SmokePuff()));
    SetColour(smoke->firstColour, 0xDADADA, 35);
    smoke->centre.Value() = D3DXVECTOR3(824, 108, 0);
    smoke->direction.Value() = 90;
    smoke->originLifetime.StoreAndNotify(100);  // 4 s of its clock
    smoke->originRate.Value() = 6;
    smoke->originSpeed.StoreAndNotify(15);  // its clock at 0.3
    smoke->thirdValue.Value() = 100;
    smoke->wind.StoreAndNotify(62);  // a breeze to the right
    return smoke;
}

std::unique_ptr<KV_PathAnimtion> Butterfly(SampleScene& scene)
{
    auto butterfly = std::make_unique<KV_PathAnimtion>();
    butterfly->images.push_back(StoreFrames(scene, L"garden_butterfly.dds", 6, 0.07f,
                                     [](int frame) { return sample_garden::ButterflyFrame(frame, 6); }));
    for (const auto& [x, y] : {std::pair{250.0f, 330.0f}, {400.0f, 250.0f}, {540.0f, 320.0f}, {640.0f, 240.0f},
                               {560.0f, 420.0f}, {380.0f, 450.0f}})
        butterfly->path.push_back(MakePathPoint(x, y, 0));
    butterfly->travelSpeed.StoreAndNotify(25);  // 75 pixels a second
    butterfly->size.StoreAndNotify(130);
    butterfly->orientation.Value() = KV_PathAnimtion::kMirrorMovingLeft;
    return butterfly;
}

std::unique_ptr<KV_StaticAnimation> Pinwheel(SampleScene& scene)
{
    auto pinwheel = std::make_unique<KV_StaticAnimation>();
    pinwheel->images.push_back(StoreFrames(scene, L"garden_pinwheel.dds", 12, 0.05f,
                                    [](int frame) { return sample_garden::PinwheelFrame(frame, 12); }));
    SetRectangle(pinwheel->quad, 760, 390, 824, 486);
    pinwheel->frameSpeed.StoreAndNotify(100);
    return pinwheel;
}

std::unique_ptr<KV_BrownAnimation> Bees(SampleScene& scene)
{
    auto bees = std::make_unique<KV_BrownAnimation>();
    bees->images.push_back(StoreFrames(scene, L"garden_bee.dds", 2, 0.04f, sample_garden::BeeFrame));
    SetRectangle(bees->region, 300, 470, 820, 560);
    bees->count.Value() = 6;
    bees->size.StoreAndNotify(70);
    bees->speedFactor.StoreAndNotify(25);
    bees->changeInterval.StoreAndNotify(12);
    bees->turnTime.StoreAndNotify(25);
    return bees;
}

}  // namespace

// The list draws from its last object to its first: the rays go on first,
// the sunflower in the front last.
void AddGardenSlide(SampleScene& scene)
{
    KV_SlideContainer& slide = AddPictureSlide(scene, {2, 10, 2}, {false, 100, 50});
    ShowOwnPicture(slide, IDR_PICTURE_COTTAGE_GARDEN);
    slide.drawnDescriptions.push_back(Sunflower(scene));
    slide.drawnDescriptions.push_back(Bees(scene));
    slide.drawnDescriptions.push_back(Butterfly(scene));
    slide.drawnDescriptions.push_back(Pinwheel(scene));
    slide.drawnDescriptions.push_back(ChimneySmoke(scene));
    slide.drawnDescriptions.push_back(SunRays(scene));
}
