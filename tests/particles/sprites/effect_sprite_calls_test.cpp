// What the effect-drawn sprites ask of their effect each frame, in order,
// and what they draw with it: the glow's three passes, the explosion's
// values, one draw per text, and nothing at all without an effect.
#include "effect_sprite_fixture.h"

#include "effects/text/text_constructors.h"
#include "particles/sprites/discharge_fx.h"
#include "particles/sprites/explosion.h"
#include "particles/sprites/fx_obj.h"
#include "particles/sprites/glowing_obj.h"
#include "scene/render/render_target_pair.h"

#include <gtest/gtest.h>

namespace sprite_test {
namespace {

using Values = std::vector<float>;

const ResourceKey kEffect{L"sprites.fx", 9};
const ResourceKey kBrightBolt{L"common_res.dll", 95};
const ResourceKey kThinBolt{L"common_res.dll", 98};
const ResourceKey kGlowPicture{L"glow.png", 3};
const std::vector<std::string> kGlowTechniques = {"Blend_Max", "Blend_Screen", "Blend_Normal", "Common"};

IDirect3DBaseTexture9* Base(IDirect3DTexture9* texture) { return texture; }

class EffectCalls : public EffectSpriteTest {
protected:
    void SetUp() override
    {
        EffectSpriteTest::SetUp();
        bright = Solid(4, 4, 0xFFFFFFFF);
        thin = Solid(4, 4, 0xFF8080FF);
        Store(kBrightBolt, bright);
        Store(kThinBolt, thin);
    }
    // A bolt across the picture through the recording effect.
    static KV_DischargeFXConstructor Bolt()
    {
        KV_DischargeFXConstructor bolt;
        bolt.count.SetValue(3);
        bolt.startPoint.Value() = D3DXVECTOR3(4, 10, 0);
        bolt.endPoint.Value() = D3DXVECTOR3(60, 30, 0);
        bolt.effectLink.SetKey(kEffect);
        return bolt;
    }
    // One frame of the object at t, rendered into the log.
    void RenderAt(KV_ABObj& object, float t)
    {
        object.Update(t);
        log.draws.clear();
        log.sceneAsked = 0;
        log.effect->Forget();
        object.Render(log);
    }

    IDirect3DTexture9* bright = nullptr;
    IDirect3DTexture9* thin = nullptr;
};

// Half-way into a fade-in of two seconds: opacity 0.5.
void FadingInAtHalf(KV_ABObj& object)
{
    KV_TimeLineControl& timeLine = object.Description().TimeLine();
    timeLine.mode.SetValue(KV_TimeLineControl::kModeIntervals);
    timeLine.AddInterval(0.0f, 10.0f, 2.0f, 8.0f);
    object.SetTimeLineTime(1.0f);
}

TEST_F(EffectCalls, TheGlowDrawsItsSpritesIntoTheTargetThenTheCompositeThenTheSprites)
{
    const std::pair<int, const char*> modes[] = {{1, "Blend_Screen"}, {0, "Blend_Normal"}, {2, "Blend_Normal"}};
    for (const auto& [mode, composite] : modes) {
        SCOPED_TRACE(mode);
        objects.clear();
        screenfx_test::RecordingEffect& effect = Record(kEffect, kGlowTechniques);
        IDirect3DTexture9* glowPicture = Solid(4, 4, 0xFFFFFFFF);
        Store(kGlowPicture, glowPicture);
        log.scene.Share(Solid(4, 4, 0xFF000000));
        KV_DischargeFXConstructor bolt = Bolt();
        bolt.blendMode.SetValue(mode);
        bolt.secondImage.SetKey(kGlowPicture);
        auto& object = Place<KV_GlowingObj>(bolt);
        FadingInAtHalf(object);
        RenderAt(object, 0.05f);

        const std::vector<std::string> calls = {"Texture1", "technique Blend_Max", std::string("technique ") + composite,
                                                "BlendColor", "Texture1", "Texture2", "technique Common", "Texture1"};
        EXPECT_EQ(effect.Calls(), calls);
        ASSERT_EQ(log.draws.size(), 3u);
        const LoggedDraw &glow = log.draws[0], &over = log.draws[1], &sprites = log.draws[2];
        EXPECT_EQ(glow.geometry, "sprites");
        EXPECT_EQ(glow.callsBefore, 2u);
        EXPECT_EQ(glow.technique, "Blend_Max");
        EXPECT_EQ(glow.textures.at("Texture1"), Base(glowPicture));
        EXPECT_EQ(over.geometry, "picture");
        EXPECT_EQ(over.callsBefore, 6u);
        EXPECT_EQ(over.technique, composite);
        EXPECT_EQ(over.textures.at("Texture1"), Base(log.scene.Get()));
        ASSERT_NE(object.Target(), nullptr);
        EXPECT_EQ(over.textures.at("Texture2"), Base(object.Target()->Current()));
        EXPECT_EQ(sprites.geometry, "sprites");
        EXPECT_EQ(sprites.technique, "Common");
        EXPECT_EQ(sprites.textures.at("Texture1"), Base(bright));
        // 0xFF9900 is blue 1, green 0.6, red 0; the strength 1 at half opacity.
        const Values blendColor = effect.Values().at("BlendColor");
        ASSERT_EQ(blendColor.size(), 4u);
        const float expected[] = {0.0f, 0.6f, 1.0f, 0.5f};
        for (int k = 0; k < 4; ++k)
            EXPECT_FLOAT_EQ(blendColor[k], expected[k]);
        EXPECT_EQ(log.sceneAsked, 1);
    }
}

TEST_F(EffectCalls, TheGlowKindPicksTheBoltPictureWhateverTheRecordLinks)
{
    const std::pair<int, IDirect3DTexture9**> kinds[] = {{0, &thin}, {2, &bright}, {1, &bright}};
    for (const auto& [kind, picture] : kinds) {
        SCOPED_TRACE(kind);
        objects.clear();
        Record(kEffect, kGlowTechniques);
        KV_DischargeFXConstructor bolt = Bolt();
        bolt.glowKind.Value() = kind;
        bolt.image.SetKey({L"stored.png", 4});
        Store({L"stored.png", 4}, Solid(2, 2, 0xFF00FF00));
        auto& object = Place<KV_GlowingObj>(bolt);
        RenderAt(object, 0.05f);
        ASSERT_FALSE(log.draws.empty());
        EXPECT_EQ(log.draws.back().textures.at("Texture1"), Base(*picture));
        // No second image: a glow picture without frames is none.
        EXPECT_EQ(log.draws.front().textures.at("Texture1"), nullptr);
    }
}

// A target whose textures went with a device reset: no glow, no scene
// asked for (the frame drawn so far stays), the sprites still drawn.
TEST_F(EffectCalls, AGlowTargetWithoutTexturesLeavesOutTheGlowAndTheComposite)
{
    Record(kEffect, kGlowTechniques);
    auto& object = Place<KV_GlowingObj>(Bolt());
    object.Target()->Release();
    RenderAt(object, 0.05f);
    ASSERT_EQ(log.draws.size(), 1u);
    EXPECT_EQ(log.draws[0].technique, "Common");
    EXPECT_EQ(log.sceneAsked, 0);
}

KV_ExplosionConstructor Explosion()
{
    KV_ExplosionConstructor explosion;
    explosion.effectLink.SetKey(kEffect);
    explosion.randomMode.Value() = 1;
    explosion.image.SetKey({L"gradient.png", 5});
    explosion.secondImage.SetKey({L"missing.png", 6});
    return explosion;
}

// Clock steps of 0.25 (the explosion's clock runs at twice the local time).
TEST_F(EffectCalls, TheExplosionSetsItsTenValuesInOrderAndNewNoiseEveryWholeSecond)
{
    screenfx_test::RecordingEffect& effect = Record(kEffect, {"Main"});
    IDirect3DTexture9* gradient = Solid(4, 1, 0xFFFF8000);
    Store({L"gradient.png", 5}, gradient);
    KV_ExplosionConstructor explosion = Explosion();
    explosion.driftSpeed.SetValue(0);
    auto& object = Place<KV_FXObj>(explosion);
    std::vector<Values> shifts;
    for (int frame = 1; frame <= 9; ++frame) {
        RenderAt(object, 0.125f * static_cast<float>(frame));
        shifts.push_back(effect.Values().at("noise_shift"));
    }
    const std::vector<std::string> calls = {"technique Main", "GradientTex", "NoiseTex",  "color1",   "color2",
                                            "noise_shift",    "noise_params", "time", "phase_3rd", "phase_1st"};
    EXPECT_EQ(effect.Calls(), calls);
    ASSERT_EQ(log.draws.size(), 1u);
    EXPECT_EQ(log.draws[0].callsBefore, 10u);
    EXPECT_EQ(effect.Values().at("time"), (Values{0.25f, 0.75f}));
    EXPECT_EQ(effect.Values().at("phase_3rd"), (Values{0.0f, 1.0f}));
    EXPECT_EQ(effect.Values().at("phase_1st"), (Values{0.0f}));
    EXPECT_EQ(effect.Values().at("color1"), (Values{1.0f, 1.0f, 1.0f}));
    EXPECT_EQ(effect.Textures().at("GradientTex"), Base(gradient));
    EXPECT_EQ(effect.Textures().at("NoiseTex"), nullptr);
    const Values noise = effect.Values().at("noise_params");
    EXPECT_FLOAT_EQ(noise[0], 0.79f);
    EXPECT_FLOAT_EQ(noise[1], 0.15f);
    EXPECT_FLOAT_EQ(noise[2], 0.42f);
    // Clocks 0.25 to 0.75, 1 to 1.75, 2 and 2.25: the current offset moves
    // to the previous one at each whole second.
    for (int frame : {1, 2})
        EXPECT_EQ(shifts[frame], shifts[0]);
    for (int frame : {4, 5, 6})
        EXPECT_EQ(shifts[frame], shifts[3]);
    EXPECT_EQ(shifts[8], shifts[7]);
    for (int second : {3, 7}) {
        EXPECT_NE(shifts[second], shifts[second - 1]);
        EXPECT_EQ(shifts[second][0], shifts[second - 1][2]);
        EXPECT_EQ(shifts[second][1], shifts[second - 1][3]);
    }
}

// A reader stores the angle alone; the object's copy turns the drift to it.
TEST_F(EffectCalls, AStoredDriftAngleTurnsTheObjectsDrift)
{
    screenfx_test::RecordingEffect& effect = Record(kEffect, {"Main"});
    for (const unsigned angle : {0u, 90u}) {
        SCOPED_TRACE(angle);
        objects.clear();
        KV_ExplosionConstructor explosion = Explosion();
        explosion.drift.Value() = angle;
        auto& object = Place<KV_FXObj>(explosion);
        RenderAt(object, 0.1f);
        RenderAt(object, 0.2f);
        const Values shift = effect.Values().at("noise_shift");
        // Before the first whole second the previous offset is (0, 0).
        EXPECT_NEAR(shift[0], angle == 0 ? -0.1f : 0.0f, 1e-5f);
        EXPECT_NEAR(shift[1], angle == 0 ? 0.0f : -0.1f, 1e-5f);
    }
}

TEST_F(EffectCalls, EveryTextDrawsOnceWithThePictureUnderItsKey)
{
    KV_StaticTextConstructor still;
    KV_ScrollingTextConstructor scrolling;
    KV_TextLinkConstructor link;
    const std::pair<KV_StaticTextConstructor*, const char*> kinds[] = {
        {&still, "CommonVretexColor"}, {&scrolling, "ScrollText"}, {&link, "CommonVretexColor"}};
    for (const auto& [text, technique] : kinds) {
        SCOPED_TRACE(technique);
        objects.clear();
        screenfx_test::RecordingEffect& effect = Record(kEffect, {"CommonVretexColor", "ScrollText"});
        text->effectLink.SetKey(kEffect);
        text->width.Value() = 32;
        text->height.Value() = 16;
        IDirect3DTexture9* picture = LeftHalf(16, 8, 0xFFFFFFFF);
        StoreGenerated(text->pictureKey, picture);
        auto& object = Place<KV_FXObj>(*text);
        RenderAt(object, 0.05f);
        ASSERT_EQ(log.draws.size(), 1u);
        EXPECT_EQ(log.draws[0].technique, technique);
        EXPECT_EQ(log.draws[0].textures.at("Texture1"), Base(picture));
        EXPECT_EQ(effect.Values().count("Shift"), text == &scrolling ? 1u : 0u);
    }
}

// No effect: nothing drawn, and the glow never asks for the scene, so a
// frame being captured stays as it is.
TEST_F(EffectCalls, WithoutAnEffectNothingIsDrawnOrAskedFor)
{
    KV_DischargeFXConstructor bolt = Bolt();
    KV_ExplosionConstructor explosion;
    KV_StaticTextConstructor still;
    KV_ScrollingTextConstructor scrolling;
    KV_TextLinkConstructor link;
    bolt.effectLink.SetKey({L"", 0});
    const KV_ParticleSystemCtrl* kinds[] = {&bolt, &explosion, &still, &scrolling, &link};
    for (const KV_ParticleSystemCtrl* kind : kinds) {
        SCOPED_TRACE(typeid(*kind).name());
        objects.clear();
        KV_ABObj& object = Place<KV_ABObj>(*kind);
        object.Update(0.05f);
        object.Render(log);
        EXPECT_TRUE(log.draws.empty());
        EXPECT_EQ(log.sceneAsked, 0);
    }
}

}  // namespace
}  // namespace sprite_test
