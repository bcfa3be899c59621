// A night over the harbour: two fireworks bursting in turn and a bolt of
// lightning now and then behind the hills, drawn with pictures the sample
// stores and the particle effect of common_res.
#include <memory>

#include "particles/generators/firework.h"
#include "particles/generators/lightning.h"
#include "resources/common_res/common_res_ids.h"
#include "resources/resource.h"
#include "sample_slides.h"
#include "slide_setup.h"
#include "star_pictures.h"

namespace {

ResourceKey ParticleEffect() { return KV_FileLink3::FromResource(IDR_PARTICLE_EFFECT, L"common_res.dll").Key(); }

// Colour and transparency in one go.
void Paint(MediaColor& colour, DWORD bgr, unsigned int transparency)
{
    colour.Value() = bgr;
    colour.transparency.StoreAndNotify(transparency);
}

// Hundredths of a second: shown, then hidden for a random while.
void Cycle(KV_TimeLineControl& timeLine, unsigned int fadeIn, unsigned int shown, unsigned int fadeOut,
           unsigned int hiddenFrom, unsigned int hiddenTo)
{
    timeLine.mode.SetValue(KV_TimeLineControl::kModeCycle);
    timeLine.fadeIn.StoreAndNotify(fadeIn);
    timeLine.fadeOut.StoreAndNotify(fadeOut);
    timeLine.visibleRange.minimum.SetValue(shown);
    timeLine.visibleRange.maximum.SetValue(shown);
    timeLine.invisibleRange.minimum.SetValue(hiddenFrom);
    timeLine.invisibleRange.maximum.SetValue(hiddenTo);
}

struct Burst {
    D3DXVECTOR3 at;
    DWORD core;
    DWORD glow;
    unsigned int hiddenFrom;
};

std::unique_ptr<KV_FireworkSimple> Firework(const KV_ImageFileLink& spark, const Burst& burst)
{
    auto firework = std::make_unique<KV_FireworkSimple>();
    firework->images = std::vector<KV_ImageFileLink>{spark};
    firework->effectLink.SetKey(ParticleEffect());
    Paint(firework->firstColour, burst.core, 0);
    Paint(firework->secondColour, burst.glow, 35);
    firework->centre.Value() = burst.at;
    firework->sparkCount.Value() = 80;
    firework->sparkSize.Value() = 7;
    firework->burstSpeed.StoreAndNotify(30);   // 120 pixels a second
    firework->glowScale.StoreAndNotify(50);    // glows three times the core
    firework->originSpeed.StoreAndNotify(50);  // real time
    firework->lifetime.StoreAndNotify(45);     // trails last 0.45 s
    firework->emissionRate.StoreAndNotify(15); // 31 a second from each spark
    firework->sizeParam.StoreAndNotify(5);     // trails grow to 1.5 times
    firework->initialSpeed.StoreAndNotify(6);
    firework->emissionSwitch.Value() = 1;
    // Each burst lasts its showing: 1.8 s.
    Cycle(firework->TimeLine(), 20, 100, 60, burst.hiddenFrom, burst.hiddenFrom + 120);
    return firework;
}

std::unique_ptr<KV_LightningGN> Lightning(const KV_ImageFileLink& bolt)
{
    auto lightning = std::make_unique<KV_LightningGN>();
    lightning->images = std::vector<KV_ImageFileLink>{bolt};
    lightning->effectLink.SetKey(ParticleEffect());
    Paint(lightning->firstColour, 0xFFF4EC, 0);   // bluish white
    Paint(lightning->secondColour, 0xFF9070, 30);  // violet blue
    lightning->endPoint1.Value() = D3DXVECTOR3(840, 0, 0);
    lightning->endPoint2.Value() = D3DXVECTOR3(770, 330, 0);
    lightning->coreWidth.Value() = 5;
    lightning->glowWidth.Value() = 28;
    lightning->passes.Value() = 6;
    lightning->displacement.StoreAndNotify(55);
    lightning->branches.Value() = 4;
    lightning->subBranches.Value() = 3;
    lightning->subSubBranches.Value() = 2;
    lightning->branchLength.StoreAndNotify(45);
    lightning->branchAngle.StoreAndNotify(28);
    lightning->tipWidth.StoreAndNotify(65);
    lightning->flicker.StoreAndNotify(40);
    // A new bolt every strike.
    lightning->reseed.Value() = 1;
    Cycle(lightning->TimeLine(), 15, 35, 45, 150, 400);
    return lightning;
}

} // namespace

void AddNightSlide(SampleScene& scene)
{
    KV_SlideContainer& slide = AddPictureSlide(scene, {2, 12, 2}, {false, 100, 50});
    ShowOwnPicture(slide, IDR_PICTURE_NIGHT_HARBOUR);
    KV_ImageFileLink spark, bolt;
    spark.SetKey(StoreInDocument(scene, L"spark.dds", SparkPicture()));
    bolt.SetKey(StoreInDocument(scene, L"bolt.dds", BoltPicture()));
    slide.drawnDescriptions.push_back(Firework(spark, {D3DXVECTOR3(300, 170, 0), 0xC0E8FF, 0x3060FF, 60}));
    slide.drawnDescriptions.push_back(Firework(spark, {D3DXVECTOR3(620, 120, 0), 0xFFE0C0, 0xFF8040, 140}));
    slide.drawnDescriptions.push_back(Lightning(bolt));
}
