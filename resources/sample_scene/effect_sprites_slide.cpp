// Effect-drawn sprites and text over the mountain lake: a bolt of each glow
// kind across the sky, an explosion over the water that flares up now and
// then, and still, scrolling and link text whose pictures the sample sets
// in a font and stores in the document.
#include <memory>

#include "effects/text/text_constructors.h"
#include "particles/sprites/discharge_fx.h"
#include "particles/sprites/explosion.h"
#include "resources/common_res/common_res_ids.h"
#include "resources/resource.h"
#include "sample_slides.h"
#include "scene/resources/kv_docresmanager.h"
#include "slide_setup.h"
#include "sprite_pictures.h"
#include "text_pictures.h"

namespace {

ResourceKey CommonEffect(INT id) { return KV_FileLink3::FromResource(id, L"common_res.dll").Key(); }

std::unique_ptr<KV_DischargeFXConstructor> Bolt(int glowKind, D3DXVECTOR3 start, D3DXVECTOR3 end) {
    auto bolt = std::make_unique<KV_DischargeFXConstructor>();
    bolt->effectLink.SetKey(CommonEffect(IDR_GLOW_EFFECT));
    bolt->glowKind.Value() = glowKind;
    bolt->count.SetValue(14);
    bolt->startPoint.Value() = start;
    bolt->endPoint.Value() = end;
    return bolt;
}

// Flares up for a second and a half every two to four seconds.
std::unique_ptr<KV_ExplosionConstructor> Explosion(SampleScene& scene) {
    auto explosion = std::make_unique<KV_ExplosionConstructor>();
    explosion->effectLink.SetKey(CommonEffect(IDR_EXPLOSION_EFFECT));
    explosion->image.SetKey(StoreInDocument(scene, L"fire_gradient.dds", sample_sprites::FireGradient()));
    explosion->secondImage.SetKey(StoreInDocument(scene, L"fire_noise.dds", sample_sprites::FireNoise()));
    explosion->position.Value() = D3DXVECTOR3(760, 450, 0);
    explosion->size.SetValue(200);
    explosion->seed.Value() = 17;
    explosion->secondColour.Value() = 0x00102040;  // smoky brown at the cool edge
    KV_TimeLineControl& timeLine = explosion->TimeLine();
    timeLine.mode.SetValue(KV_TimeLineControl::kModeCycle);
    timeLine.fadeIn.SetValue(40);
    timeLine.visibleRange.minimum.SetValue(60);
    timeLine.visibleRange.maximum.SetValue(60);
    timeLine.fadeOut.SetValue(50);
    timeLine.invisibleRange.minimum.SetValue(200);
    timeLine.invisibleRange.maximum.SetValue(400);
    return explosion;
}

// The text set in the font, its picture stored under the text's key, the
// quad as large as the picture at the position.
template <class Kind>
std::unique_ptr<Kind> NewText(SampleScene& scene, std::u32string_view letters, int pixelHeight, D3DXVECTOR3 position,
                              DWORD colour, bool underlined = false) {
    auto text = std::make_unique<Kind>();
    text->effectLink.SetKey(CommonEffect(IDR_TEXT_EFFECT));
    for (char32_t letter : letters) text->text.Value() += static_cast<wchar_t>(letter);
    text->font.face = L"DejaVu Sans";
    text->font.size = pixelHeight;
    text->colour.SetValue(colour);
    const TextPicture picture = RenderTextPicture(letters, pixelHeight, underlined);
    scene.manager.Tables().guidImages[text->pictureKey].Assign(L"text.dds", static_cast<DWORD>(picture.dds.size()),
                                                               picture.dds.data());
    text->position.Value() = position;
    text->width.Value() = static_cast<unsigned>(picture.width);
    text->height.Value() = static_cast<unsigned>(picture.height);
    return text;
}

}  // namespace

// Everything lies between 140 and 880 across, which a 4:3 screen still
// shows of the 16:9 picture.
void AddEffectSpritesSlide(SampleScene& scene) {
    KV_SlideContainer& slide = AddPictureSlide(scene, {2, 12, 2}, {false, 100, 50});
    ShowOwnPicture(slide, IDR_PICTURE_MOUNTAIN_LAKE);

    slide.drawnDescriptions.push_back(Bolt(1, {560, 40, 0}, {860, 140, 0}));
    slide.drawnDescriptions.push_back(Bolt(0, {150, 50, 0}, {420, 75, 0}));
    slide.drawnDescriptions.push_back(Explosion(scene));

    // Pale gold, white scrolling to the left, and a light blue link.
    slide.drawnDescriptions.push_back(
        NewText<KV_StaticTextConstructor>(scene, U"Evening over the lake", 44, {380, 390, 0}, 0x80E0FF));
    auto scrolling =
        NewText<KV_ScrollingTextConstructor>(scene, U"The wind drops, the water turns to glass", 30, {512, 535, 0}, 0xFFFFFF);
    scrolling->tileWidth = static_cast<float>(scrolling->width.Value());
    scrolling->tileHeight = static_cast<float>(scrolling->height.Value());
    scrolling->width.Value() = 700;
    scrolling->direction.Value() = 2;
    scrolling->scrollPeriod.Value() = 12;
    slide.drawnDescriptions.push_back(std::move(scrolling));
    slide.drawnDescriptions.push_back(
        NewText<KV_TextLinkConstructor>(scene, U"Walk along the shore", 28, {730, 300, 0}, 0xFFD090, true));
}
