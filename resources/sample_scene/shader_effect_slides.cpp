// Slides of the masked effects that move the picture along a direction or
// about a centre, and of the fire and the clouds. The rotation, bend, cloud
// and waterfall effects have no default in the common module: the document
// carries the project's effect files.
#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "effects/screenfx/bend_fx.h"
#include "effects/screenfx/cloud_fx.h"
#include "effects/screenfx/fire_fx.h"
#include "effects/screenfx/move_fx.h"
#include "effects/screenfx/radial_wave_fx.h"
#include "effects/screenfx/rotation_fx.h"
#include "effects/screenfx/waterfall_fx.h"
#include "masks.h"
#include "resources/common_res/common_res_ids.h"
#include "resources/resource.h"
#include "sample_slides.h"
#include "slide_setup.h"

namespace {

// The project's effect file stored in the document as the effect's link.
void CarryEffect(SampleScene& scene, KV_FX_Constructor& effect, const char* file) {
    std::ifstream in(std::string(SAVER_EFFECTS_DIR) + "/" + file, std::ios::binary);
    const std::vector<BYTE> text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::string name(file);
    effect.effectLink.SetKey(StoreInDocument(scene, kv_string(name.begin(), name.end()), text));
}

// Corners in picture pixels: left-top, left-bottom, right-top, right-bottom.
void Place(KV_FX_Constructor& effect, float left, float top, float right, float bottom) {
    const std::array<D3DXVECTOR3, 4> corners = {
        {{left, top, 0}, {left, bottom, 0}, {right, top, 0}, {right, bottom, 0}}};
    for (size_t k = 0; k < corners.size(); ++k) effect.placement.corners[k].SetValue(corners[k]);
}

// 1 inside the rectangle, falling to 0 over the given margin outside it.
float SoftRectangle(float u, float v, float left, float top, float right, float bottom, float margin) {
    const float outside = std::max({left - u, u - right, top - v, v - bottom, 0.0f});
    return std::clamp(1.0f - outside / margin, 0.0f, 1.0f);
}

}  // namespace

// Clouds drifting over the mountains, snow streaming down the big one's
// face into the lake with rings where it falls, the reflection on the right
// swaying, and a camp fire on the far shore.
void AddMountainWatersSlide(SampleScene& scene) {
    KV_SlideContainer& slide = AddPictureSlide(scene, {2, 10, 2}, {false, 100, 50});
    ShowOwnPicture(slide, IDR_PICTURE_MOUNTAIN_LAKE);
    const ResourceKey noise = KV_FileLink3::FromResource(IDR_FIRE_NOISE, L"common_res.dll").Key();

    auto clouds = std::make_unique<KV_CloudFX>();
    CarryEffect(scene, *clouds, "cloud.fx");
    Place(*clouds, 0, 0, 1024, 200);
    clouds->cloudLink.SetKey(noise);
    clouds->cloudColour1.SetValue(0xA08880);  // blue-grey shade
    clouds->cloudColour2.SetValue(0xFFFFFF);
    clouds->cloudThreshold.SetValue(60);
    clouds->speed.SetValue(40);
    clouds->perspective.perspectiveDepth.SetValue(50);
    clouds->perspective.perspectiveHeight.SetValue(4);
    clouds->perspective.perspectiveFlip.SetValue(1);
    StoreMask(scene.manager, clouds->maskKey, [](float, float v) { return std::clamp((0.3f - v) * 6.0f, 0.0f, 1.0f); });

    auto waterfall = std::make_unique<KV_WaterfallFX>();
    CarryEffect(scene, *waterfall, "waterfall.fx");
    Place(*waterfall, 430, 80, 500, 340);
    waterfall->directionAngle.SetValue(270);  // downward
    waterfall->directionStrength.SetValue(100);
    waterfall->speed.SetValue(25);
    waterfall->layerCount.SetValue(4);
    waterfall->layerOpacity.SetValue(20);
    waterfall->threshold.SetValue(400);
    waterfall->baseColour.SetValue(0xFFF0E0);  // pale blue
    waterfall->noiseAmplitude.SetValue(60);
    waterfall->noiseLink.SetKey(noise);
    StoreMask(scene.manager, waterfall->maskKey,
              [](float u, float v) { return SoftRectangle(u, v, 0.44f, 0.16f, 0.48f, 0.57f, 0.02f); });

    auto rings = std::make_unique<KV_RadialWaveFX>();
    rings->centre.SetValue(D3DXVECTOR3(465, 470, 0));
    rings->ringAmplitude.SetValue(60);
    rings->ringLength.SetValue(100);
    StoreMask(scene.manager, rings->maskKey, [](float u, float v) { return SoftEllipse(u, v, 0.45f, 0.82f, 0.22f, 0.14f); });

    auto sway = std::make_unique<KV_MoveFX>();
    sway->returnStrength.SetValue(50);
    StoreMask(scene.manager, sway->maskKey,
              [](float u, float v) { return SoftRectangle(u, v, 0.78f, 0.66f, 1.0f, 1.0f, 0.06f); });

    auto campFire = std::make_unique<KV_FireFX>();
    Place(*campFire, 790, 268, 860, 334);
    StoreMask(scene.manager, campFire->maskKey, [](float u, float v) { return SoftEllipse(u, v, 0.806f, 0.58f, 0.04f, 0.13f); });

    slide.drawnDescriptions.push_back(std::move(clouds));
    slide.drawnDescriptions.push_back(std::move(waterfall));
    slide.drawnDescriptions.push_back(std::move(rings));
    slide.drawnDescriptions.push_back(std::move(sway));
    slide.drawnDescriptions.push_back(std::move(campFire));
}

// The rose window's ring of glass turning about its middle, and its
// rosette swirling back and forth.
void AddTurningWindowSlide(SampleScene& scene) {
    KV_SlideContainer& slide = AddPictureSlide(scene, {2, 8, 2}, {false, 100, 50});
    ShowOwnPicture(slide, IDR_PICTURE_ROSE_WINDOW);

    auto turning = std::make_unique<KV_RotationFX>();
    CarryEffect(scene, *turning, "rotation.fx");
    turning->centre.SetValue(D3DXVECTOR3(512, 512, 0));
    turning->ellipseRatio.SetValue(1000);  // a circle
    turning->speed.SetValue(40);
    StoreMask(scene.manager, turning->maskKey, [](float u, float v) {
        const float r = std::hypot(u - 0.5f, v - 0.5f);
        return std::clamp((r - 0.11f) * 40.0f, 0.0f, 1.0f) * std::clamp((0.44f - r) * 40.0f, 0.0f, 1.0f);
    });

    auto swirl = std::make_unique<KV_BendFX>();
    CarryEffect(scene, *swirl, "bend.fx");
    Place(*swirl, 380, 380, 644, 644);
    swirl->centre.SetValue(D3DXVECTOR3(512, 512, 0));
    swirl->bendForward.SetValue(400);
    swirl->bendBack.SetValue(400);
    swirl->bendStrength.SetValue(200);
    swirl->speed.SetValue(50);
    StoreMask(scene.manager, swirl->maskKey, [](float u, float v) { return SoftEllipse(u, v, 0.5f, 0.5f, 0.12f, 0.12f); });

    slide.drawnDescriptions.push_back(std::move(turning));
    slide.drawnDescriptions.push_back(std::move(swirl));
}
