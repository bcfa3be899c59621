// A night over the mountain lake: a star brush, twinkling stars and falling
// stars, drawn with pictures the sample stores and the particle effect of
// common_res.
#include <memory>

#include "particles/generators/bling.h"
#include "particles/generators/falling_stars.h"
#include "particles/generators/twinkling_stars.h"
#include "resources/common_res/common_res_ids.h"
#include "resources/resource.h"
#include "sample_slides.h"
#include "scene/resources/kv_docresmanager.h"
#include "slide_setup.h"
#include "star_pictures.h"

namespace {

// The bytes stored in the document under a link of their own; writing the
// generator registers the link.
KV_ImageFileLink StorePicture(SampleScene& scene, const wchar_t* name, const std::vector<BYTE>& bytes)
{
    ResourceEntry entry;
    entry.Assign(name, static_cast<DWORD>(bytes.size()), bytes.data());
    const KV_FileLink3 link = KV_FileLink3::FromEntry(entry);
    scene.manager.Tables().entries[link.Key()].push_back(entry);
    return KV_ImageFileLink(link);
}

void SetColour(MediaColor& colour, DWORD rgb, unsigned int transparency)
{
    colour.Value() = rgb;
    colour.transparency.StoreAndNotify(transparency);
}

struct StarPictures {
    KV_ImageFileLink star;
    KV_ImageFileLink glow;
    KV_HLSLEffectFile effect{KV_FileLink3::FromResource(IDR_PARTICLE_EFFECT, L"common_res.dll")};
};

std::unique_ptr<KV_Bling> StarBrush(const StarPictures& pictures)
{
    auto bling = std::make_unique<KV_Bling>();
    bling->images = std::vector<KV_ImageFileLink>{pictures.glow, pictures.star};
    bling->effectLink.SetKey(pictures.effect.Key());
    SetColour(bling->firstColour, 0xFFFFFF, 0);
    SetColour(bling->secondColour, 0xFFD8A0, 40);  // pale blue
    bling->brushSize.Value() = 56;
    bling->cycleSpeed.StoreAndNotify(50);
    bling->growTime.StoreAndNotify(60);
    bling->shrinkTime.StoreAndNotify(140);
    bling->rotationSpeed.StoreAndNotify(20);
    bling->minimumSize.StoreAndNotify(10);
    for (const auto& [x, y] : {std::pair{170.0f, 120.0f}, {450.0f, 70.0f}, {760.0f, 140.0f}, {950.0f, 60.0f}})
        bling->points.emplace_back(x, y, 0.0f);
    return bling;
}

std::unique_ptr<KV_TwinklingStars> TwinklingStars(const StarPictures& pictures)
{
    auto stars = std::make_unique<KV_TwinklingStars>();
    stars->images = std::vector<KV_ImageFileLink>{pictures.star};
    SetColour(stars->firstColour, 0xFFF0E0, 0);
    stars->brushSize.Value() = 18;
    // A fixed scatter over the sky above the peaks: no two runs differ.
    for (int i = 0; i < 40; ++i)
        stars->points.emplace_back(static_cast<float>((i * 397) % 1000) + 12, static_cast<float>((i * 173) % 150) + 10,
                                   0.0f);
    return stars;
}

std::unique_ptr<KV_FallingStars> FallingStars(const StarPictures& pictures)
{
    auto stars = std::make_unique<KV_FallingStars>();
    stars->images = std::vector<KV_ImageFileLink>{pictures.star, pictures.glow, pictures.glow, pictures.glow};
    stars->effectLink.SetKey(pictures.effect.Key());
    SetColour(stars->firstColour, 0xFFFFFF, 0);
    SetColour(stars->secondColour, 0xFFC080, 30);
    stars->region.SetCentred(D3DXVECTOR3(512, 150, 0), 1000, 280);
    stars->starSpeed.StoreAndNotify(60);   // 480 pixels a second
    stars->starRate.StoreAndNotify(60);    // 1.2 a second
    stars->direction.Value() = 205;        // down to the left
    stars->direction.UpdateAxes();
    stars->starSize.Value() = 28;
    stars->glowScale.StoreAndNotify(50);   // glows three times the core
    stars->fadeInTime.StoreAndNotify(20);
    stars->holdTime.StoreAndNotify(60);
    stars->fadeOutTime.StoreAndNotify(40);
    stars->lifetime.StoreAndNotify(70);    // trails last 0.7 s
    stars->emissionRate.StoreAndNotify(40);
    stars->sizeParam.StoreAndNotify(35);
    stars->initialSpeed.StoreAndNotify(15);
    stars->emissionSwitch.Value() = 1;
    return stars;
}

} // namespace

void AddStarsSlide(SampleScene& scene)
{
    KV_SlideContainer& slide = AddPictureSlide(scene, {2, 10, 2}, {false, 100, 50});
    ShowOwnPicture(slide, IDR_PICTURE_MOUNTAIN_LAKE);
    const StarPictures pictures{StorePicture(scene, L"star.dds", StarPicture()),
                                StorePicture(scene, L"glow.dds", GlowPicture())};
    slide.drawnDescriptions.push_back(TwinklingStars(pictures));
    slide.drawnDescriptions.push_back(StarBrush(pictures));
    slide.drawnDescriptions.push_back(FallingStars(pictures));
}
