// The effect-drawn sprites through the common module's effects, read back:
// the glow's maximum and its two composites, the explosion's quad, text over
// the picture, scrolling text, and a glow slide without an effect and after
// a device reset.
#include "effect_sprite_fixture.h"

#include "effects/text/text_constructors.h"
#include "particles/sprites/discharge_fx.h"
#include "particles/sprites/explosion.h"
#include "particles/sprites/fx_obj.h"
#include "particles/sprites/glowing_obj.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"
#include "resources/common_res/common_res_ids.h"
#include "scene/render/render_target_pair.h"

#include <gtest/gtest.h>

namespace sprite_test {
namespace {

using d3d9_test::ColoursNear;

constexpr D3DCOLOR kGrey = 0x404040;
// The picture's quarters: top left, top right, bottom left, bottom right.
constexpr D3DCOLOR kQuarters[4] = {0x303030, 0x306030, 0x603030, 0x303060};

ResourceKey CommonEffect(INT id) { return KV_FileLink3::FromResource(id, L"common_res.dll").Key(); }

BYTE Blue(D3DCOLOR colour) { return static_cast<BYTE>(colour); }

class EffectPixels : public EffectSpriteTest {
protected:
    void ShowQuarters()
    {
        std::vector<D3DCOLOR> texels(64 * 64);
        for (UINT i = 0; i < texels.size(); ++i)
            texels[i] = 0xFF000000 | kQuarters[(i / 64 >= 32 ? 2 : 0) + (i % 64 >= 32 ? 1 : 0)];
        ShowPicture(64, 64, texels);
    }
    // Every one of these pixels shows the picture as it is.
    void ExpectQuartersAt(std::initializer_list<POINT> points)
    {
        for (const POINT& p : points)
            EXPECT_EQ(Pixel(p.x, p.y), kQuarters[(p.y >= 32 ? 2 : 0) + (p.x >= 32 ? 1 : 0)]) << p.x << ", " << p.y;
    }
    // A straight bolt in the top-left quarter, 12 pixels thick.
    static KV_DischargeFXConstructor TopLeftBolt()
    {
        KV_DischargeFXConstructor bolt;
        bolt.count.SetValue(3);
        bolt.jitter.SetValue(0);
        bolt.size.SetValue(12);
        bolt.startPoint.Value() = D3DXVECTOR3(4, 10, 0);
        bolt.endPoint.Value() = D3DXVECTOR3(28, 10, 0);
        bolt.effectLink.SetKey(CommonEffect(IDR_GLOW_EFFECT));
        return bolt;
    }
    // A 32 x 16 quad at the picture's centre through the common text effect,
    // with a picture white on its left half, clear on its right, or none.
    void CentreText(KV_StaticTextConstructor& text, bool withPicture = true)
    {
        text.effectLink.SetKey(CommonEffect(IDR_TEXT_EFFECT));
        text.position.Value() = D3DXVECTOR3(32, 32, 0);
        text.width.Value() = 32;
        text.height.Value() = 16;
        if (withPicture)
            StoreGenerated(text.pictureKey, LeftHalf(16, 8, 0xFFFFFFFF));
    }
    // The back buffer filled with a colour the picture does not hold, so
    // that whatever a reader fails to draw shows.
    void ClearToMagenta() { device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFFFF00FF, 1.0f, 0); }
};

// Two 16-pixel sprites, the second over the right half of the first.
class TwoSprites : public SpriteKind<TwoSprites, KV_GlowEffectCtrl> {
public:
    void Write(KV_IOF_Virtual&) const override {}
    void BeginFrame() override { m_next = 0; }
    void UpdateParticle(SpriteInstance& i) override
    {
        const bool first = m_next++ == 0;
        i.centre = D3DXVECTOR3(first ? 24.0f : 32.0f, 32.0f, 0.0f);
        i.halfWidth = i.halfHeight = 8.0f;
        i.colour = first ? firstColour : secondColour;
    }

    D3DCOLOR firstColour = 0, secondColour = 0;

private:
    int m_next = 0;
};

TEST_F(EffectPixels, TheGlowKeepsTheBrighterOfTwoOverlappingSpritesInEachChannel)
{
    const ResourceKey white{L"white.png", 1};
    Store(white, Solid(1, 1, 0xFFFFFFFF));
    TwoSprites sprites;
    sprites.count.SetValue(2);
    sprites.effectLink.SetKey(CommonEffect(IDR_GLOW_EFFECT));
    sprites.secondImage.SetKey(white);
    sprites.firstColour = 0xFF804000;
    sprites.secondColour = 0xFF408000;
    auto& object = Place<KV_GlowingObj>(sprites);
    Frame(0.05f, 1);
    ASSERT_NE(object.Target()->Current(), nullptr);
    const std::vector<D3DCOLOR> glow = render_test::ReadTexture(device(), object.Target()->Current());
    // The 64-pixel picture over the 512-texel target: eight texels a pixel.
    const auto at = [&](UINT x, UINT y) { return glow[(8 * y + 4) * 512 + 8 * x + 4]; };
    EXPECT_TRUE(ColoursNear(at(20, 32), 0xFF804000));
    EXPECT_TRUE(ColoursNear(at(28, 32), 0xFF808000));
    EXPECT_TRUE(ColoursNear(at(36, 32), 0xFF408000));
    EXPECT_EQ(at(8, 32), 0u);
}

TEST_F(EffectPixels, ABoltGlowsWhereItLiesInBothCompositesAndTheWholePictureStaysElsewhere)
{
    for (const int mode : {1, 0}) {
        SCOPED_TRACE(mode);
        objects.clear();
        ShowQuarters();
        KV_DischargeFXConstructor bolt = TopLeftBolt();
        bolt.blendMode.SetValue(mode);
        Place<KV_GlowingObj>(bolt);
        ClearToMagenta();
        Frame(0.05f, 1);
        for (const UINT x : {10u, 16u, 22u})
            EXPECT_GT(Blue(Pixel(x, 10)), Blue(kQuarters[0]) + 80) << x;
        // Mirrored across and down, and below the glow: the picture as it is.
        ExpectQuartersAt({{16, 53}, {47, 10}, {47, 53}, {16, 30}, {2, 62}, {62, 2}, {40, 40}});
    }
}

TEST_F(EffectPixels, TheExplosionChangesOnlyItsQuad)
{
    KV_ExplosionConstructor explosion;
    explosion.effectLink.SetKey(CommonEffect(IDR_EXPLOSION_EFFECT));
    explosion.size.SetValue(20);
    explosion.position.Value() = D3DXVECTOR3(32, 32, 0);
    Place<KV_FXObj>(explosion);
    Frame(0.05f, 0);
    const D3DCOLOR centre = Pixel(32, 32);
    EXPECT_GT(static_cast<BYTE>(centre >> 16), 0xC0);
    for (const POINT& p : {POINT{21, 32}, POINT{43, 32}, POINT{32, 21}, POINT{32, 43}, POINT{21, 21}, POINT{43, 43}})
        EXPECT_EQ(Pixel(p.x, p.y), kGrey) << p.x << ", " << p.y;
}

TEST_F(EffectPixels, WhiteTextInRedAtHalfTransparencyIsHalfWayRedWhereTheTextIs)
{
    KV_StaticTextConstructor text;
    CentreText(text);
    text.alpha.SetValue(50);
    Place<KV_FXObj>(text);
    Frame(0.05f, 0);
    // 0x40 + (0xFF - 0x40) x 127 / 255 red, 0x40 x 128 / 255 green and blue.
    EXPECT_TRUE(ColoursNear(Pixel(20, 32), 0x9F2020, 2));
    EXPECT_EQ(Pixel(44, 32), kGrey);
    EXPECT_EQ(Pixel(20, 20), kGrey);
}

// A text whose record holds no key (version 2) has no picture.
TEST_F(EffectPixels, TextWithoutAPictureLeavesTheFrameAsItWas)
{
    KV_StaticTextConstructor text;
    CentreText(text, false);
    Place<KV_FXObj>(text);
    Frame(0.05f, 0);
    for (const UINT x : {17u, 32u, 47u})
        EXPECT_EQ(Pixel(x, 32), kGrey) << x;
}

// Offset A starts at a third (the picture in place), offset B at 0 (the
// picture just out of the quad).
TEST_F(EffectPixels, ScrollingTextShowsNothingAtOffsetZeroAndThePictureInPlaceAtAThird)
{
    const std::pair<int, bool> directions[] = {{0, false}, {2, true}};
    for (const auto& [direction, shown] : directions) {
        SCOPED_TRACE(direction);
        objects.clear();
        KV_ScrollingTextConstructor text;
        CentreText(text);
        text.colour.SetValue(0xFFFFFF);
        text.tileWidth = 32.0f;
        text.tileHeight = 16.0f;
        text.scrollPeriod.Value() = 10;
        text.direction.Value() = direction;
        Place<KV_FXObj>(text);
        Frame(0.001f, 0);
        EXPECT_EQ(Pixel(20, 32), shown ? 0xFFFFFFu : kGrey);
        EXPECT_EQ(Pixel(44, 32), kGrey);
    }
}

// No effect draws nothing and keeps the frame; a stored frame count of 0
// plays; after a device reset the glow comes back.
TEST_F(EffectPixels, AGlowSlideKeepsItsPictureWithoutAnEffectAndGetsItsGlowBackAfterAReset)
{
    ShowQuarters();
    KV_DischargeFXConstructor dark = TopLeftBolt();
    dark.effectLink.SetKey({L"", 0});
    Place<KV_GlowingObj>(dark);
    ClearToMagenta();
    Frame(0.05f, 1);
    ExpectQuartersAt({{16, 10}, {47, 10}, {16, 53}, {47, 53}});

    objects.clear();
    KV_DischargeFXConstructor bolt = TopLeftBolt();
    bolt.frameCount = 0;
    bolt.strip = true;
    bolt.stripRate = 30.0f;
    Place<KV_GlowingObj>(bolt);
    Place<KV_GlowingObj>(dark);
    for (int frame = 1; frame <= 3; ++frame)
        Frame(0.05f * static_cast<float>(frame), 2);
    EXPECT_GT(Blue(Pixel(16, 10)), Blue(kQuarters[0]) + 80);

    ASSERT_EQ(ResetDevice(), D3D_OK);
    ClearToMagenta();
    Frame(0.2f, 2);
    EXPECT_GT(Blue(Pixel(16, 10)), Blue(kQuarters[0]) + 80);
    ExpectQuartersAt({{47, 10}, {16, 53}, {47, 53}, {16, 30}});
}

}  // namespace
}  // namespace sprite_test
