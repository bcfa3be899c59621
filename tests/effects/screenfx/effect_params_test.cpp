// What each masked effect asks of its effect: technique, every parameter
// and the draws, on an 800 x 600 picture, recorded.
#include <cmath>
#include <memory>
#include <set>

#include <gtest/gtest.h>

#include "effects/screenfx/background_copy.h"
#include "effects/screenfx/bend_fx.h"
#include "effects/screenfx/brush_obj.h"
#include "effects/screenfx/cloud_fx.h"
#include "effects/screenfx/expand_fx.h"
#include "effects/screenfx/fire_fx.h"
#include "effects/screenfx/kind_makers.h"
#include "effects/screenfx/light_fx.h"
#include "effects/screenfx/light_fx_ii.h"
#include "effects/screenfx/move_fx.h"
#include "effects/screenfx/pattern_brush.h"
#include "effects/screenfx/radial_wave_fx.h"
#include "effects/screenfx/recording_effect.h"
#include "effects/screenfx/run_clock.h"
#include "effects/screenfx/rotation_fx.h"
#include "effects/screenfx/underwater_fx.h"
#include "effects/screenfx/water_fx.h"
#include "effects/screenfx/waterfall_fx.h"
#include "effects/screenfx/waves_fx.h"
#include "scene/model/picture_placement.h"
#include "scene/render/render_fixture.h"

namespace screenfx_test {
namespace {

using Values = std::map<std::string, std::vector<float>>;

const std::vector<std::string> kTechniques = {"Main",          "MainFX",    "Blend_Normal", "Blend_Screen",
                                              "PS_ColorDodge", "Blend_Sum", "Noise",        "ColorWaves"};
constexpr float kPi = 3.1415927f;
constexpr float kAspect = 800.0f / 600.0f;
const float kCos40 = std::cos(40.0f * 3.1415927f / 180.0f);
const float kSin40 = std::sin(40.0f * 3.1415927f / 180.0f);

std::unique_ptr<KV_PatternBrush> LargePattern()
{
    auto brush = std::make_unique<KV_PatternBrush>();
    brush->pattern.width = 800;
    brush->pattern.height = 600;
    brush->patternAngle.SetValue(90);
    return brush;
}

template <class T, class Setup>
Make AtPhase(float phase, Setup setup)
{
    return Kind<T>([phase, setup](T& description) {
        setup(description);
        RunClock(description, phase);
    });
}

enum class Drawn { PictureQuad, Grid };

struct ParamCase {
    const char* name;
    Make make;
    const char* technique;  // empty: none set
    Values values;          // every parameter set, by its last values
    size_t draws;
    Drawn drawn = Drawn::PictureQuad;
    std::vector<Values> perDraw = {};  // some of the values each draw saw
    std::vector<std::string> calls = {};  // when given, every call in order
};

const Values kScreenScale = {{"Scale", {kAspect, 1.0f}}};

Values With(Values values)
{
    values.insert(kScreenScale.begin(), kScreenScale.end());
    return values;
}

// The water's values at its defaults besides the given ones.
Values Water(Values values)
{
    values.insert({{"Scale", {kAspect / 0.6f, 1.0f / 0.6f}},
                   {"Time", {0}},
                   {"Direction1", {-kCos40 * 0.5f / 0.011f, -kSin40 * 0.5f / 0.011f}},
                   {"Direction2", {-kCos40 * 0.5f * 0.005f, -kSin40 * 0.5f * 0.005f}},
                   {"Shadows", {0}},
                   {"Vhalf", {0.4472136f, 0.8944272f, 0}},
                   {"Color", {1, 1, 1}}});
    return values;
}

// The fire's values at its defaults at a phase: the three layers' scrolls.
Values Fire(float phase)
{
    return {{"c11", {0, 1.3f * phase}}, {"c12", {0, 2.1f * phase}}, {"c13", {0, 2.3f * phase}},
            {"ColorK1", {1, 0, 0}},     {"ColorK2", {0, 1, 0}},     {"bg_scale_factor", {1, 1}},
            {"Brightness", {0.3f}},     {"Density", {0}}};
}

// The clouds' values at their defaults besides the given ones.
Values Cloud(Values values)
{
    values.insert({{"Scale", {kAspect / 0.4f, 1 / 0.4f}},
                   {"Threshold", {1}},
                   {"Density", {0}},
                   {"ColorK1", {0, 0, 0}},
                   {"ColorK2", {0, 0, 0}}});
    return values;
}

const ParamCase kParamCases[] = {
    {"PatternTurnedQuarter",
     [] { return std::unique_ptr<KV_FX_Constructor>(LargePattern()); },
     "Main",
     With({{"mix_color", {1, 1, 1, 1}}, {"scale", {kAspect, 1}}, {"offset", {0, 0}}, {"coord_transf", {0, 1, -1, 0}}}),
     1},
    {"PatternFlippedHorizontally",
     [] {
         auto brush = LargePattern();
         brush->flipHorizontal.SetValue(1);
         brush->patternOffsetX.SetValue(50);
         return std::unique_ptr<KV_FX_Constructor>(std::move(brush));
     },
     "Main",
     With({{"mix_color", {1, 1, 1, 1}},
           {"scale", {kAspect, 1}},
           {"offset", {-0.5f, 0}},
           {"coord_transf", {0, -1, -1, 0}}}),
     1},
    {"CopyWithItsHorizontalFlag", Kind<KV_BackgroundCopy>([](KV_BackgroundCopy& copy) {
         copy.copyRect.extra1.SetValue(80);
         copy.copyRect.extra2.SetValue(60);
         copy.copyFlagX.SetValue(1);
     }),
     "Main", With({{"offset", {1.1f, 0.1f}}}), 1},
    {"WavesAtNinetyDegrees", Kind<KV_WavesFX>([](KV_WavesFX& waves) { waves.waveAngle.SetValue(90); }), "Main",
     With({{"direction", {0, 1}},
           {"direction_n", {1, 0}},
           {"frequency", {1.0f / 0.026f}},
           {"amplitude", {0.0125f}},
           {"time", {0}}}),
     1},
    {"CrossedWavesAtNinetyDegrees", Kind<KV_WavesFX>([](KV_WavesFX& waves) {
         waves.waveAngle.SetValue(90);
         waves.waveCrossFlag.SetValue(1);
     }),
     "Main",
     With({{"direction", {0, 1}},
           {"direction_n", {0, 1}},
           {"frequency", {1.0f / 0.026f}},
           {"amplitude", {0.0125f}},
           {"time", {0}}}),
     1},
    {"LightPulseAtPhaseZero", Defaults<KV_LightFX>(), "Main", With({{"multiplier", {0.2f}}}), 1},
    {"LightBlinkAtPhaseZero", Kind<KV_LightFX>([](KV_LightFX& light) { light.lightMode.SetValue(1); }), "Main",
     With({{"multiplier", {0.0f}}}), 1},
    {"BlendWithoutPulse", Kind<KV_LightFX_II>([](KV_LightFX_II& blend) {
         blend.blendStrength.SetValue(50);
         blend.blendColour.SetValue(0x00FF8000);
         blend.blendMode.SetValue(3);
     }),
     "Blend_Sum", {{"BlendColor", {0, 128.0f / 255.0f, 1, 0.5f}}, {"Opaque", {0}}}, 1},
    {"BlendModeOutsideTheFour", Kind<KV_LightFX_II>([](KV_LightFX_II& blend) { blend.blendMode.SetValue(5); }), "",
     {}, 0},
    {"UnderwaterDefaults", Defaults<KV_UnderwaterFX>(), "Main",
     With({{"frequency", {kAspect / 0.101f, 1.0f / 0.101f}}, {"amplitude", {0.00625f}}, {"time", {0}}}), 1},
    {"WaterDefaults", Kind<KV_WaterFX>([](KV_WaterFX& water) { water.Update(0.0f); }), "Main",
     Water({{"BampTrans", {0.02f, 0, 0, 0.02f}},
            {"P1", {-0.998f, -1, -0.998f}},
            {"P2", {1, (std::sqrt(999.0f) + 999.0f) / 998.0f, 1}}}),
     1},
    {"WaterAtSurfaceLevelZero", Kind<KV_WaterFX>([](KV_WaterFX& water) { water.surfaceLevel.SetValue(0); }), "Main",
     Water({{"BampTrans", {0, 0, 0, 0}}, {"P1", {-1, -1, -1}}, {"P2", {1, 1, 1}}}), 1},
    {"MoveDefaultsAtPhaseZero", Kind<KV_MoveFX>([](KV_MoveFX& move) { move.Update(0.0f); }), "Main",
     With({{"Direction", {-0.005f, 0}}}), 1},
    {"MoveAtNinetyDegrees", Kind<KV_MoveFX>([](KV_MoveFX& move) {
         move.directionAngle.SetValue(90);
         move.Update(0.0f);
     }),
     "Main", With({{"Direction", {0, 0.005f}}}), 1},
    {"MoveAtHalfATurn", Kind<KV_MoveFX>([](KV_MoveFX& move) {
         move.directionAngle.SetValue(180);
         move.Update(0.0f);
     }),
     "Main", With({{"Direction", {0.005f, 0}}}), 1},
    {"WaterfallsFourLayersAtAQuarter", AtPhase<KV_WaterfallFX>(0.25f, [](KV_WaterfallFX& waterfall) {
         waterfall.speed.SetValue(50);
         waterfall.layerCount.SetValue(4);
         waterfall.layerOpacity.SetValue(20);
         waterfall.directionStrength.SetValue(50);
         MaskSlot none;
         waterfall.LoadResources(none);
     }),
     "ColorWaves",
     {{"base_color", {0, 0, 0}}, {"treshold", {1}}, {"shift", {0, 0}}, {"transluency", {0}}}, 4, Drawn::Grid,
     {{{"shift", {-0.05f, 0}}, {"transluency", {0.4f}}},
      {{"shift", {-0.1f, 0}}, {"transluency", {0.8f}}},
      {{"shift", {-0.15f, 0}}, {"transluency", {0.4f}}},
      {{"shift", {0, 0}}, {"transluency", {0}}}}},
    {"WaterfallNoiseThenItsLayer", Kind<KV_WaterfallFX>([](KV_WaterfallFX& waterfall) {
         waterfall.layerCount.SetValue(1);
         waterfall.noiseAmplitude.SetValue(100);
         MaskSlot none;
         waterfall.LoadResources(none);
     }),
     "ColorWaves",
     {{"noise_shift", {0, 0}}, {"bump_scale", {kAspect, 1}}, {"noise_amplitude", {0.01f}}, {"base_color", {0, 0, 0}},
      {"treshold", {1}}, {"shift", {0, 0}}, {"transluency", {0}}},
     2, Drawn::Grid},
    {"WaterfallDrawDisabled", Kind<KV_WaterfallFX>([](KV_WaterfallFX& waterfall) {
         waterfall.layerCount.SetValue(4);
         waterfall.noiseAmplitude.SetValue(100);
         waterfall.drawDisabled.SetValue(1);
         MaskSlot none;
         waterfall.LoadResources(none);
     }),
     "", {}, 0, Drawn::Grid, {}, {"Mask", "Background"}},
    {"ExpandAtAQuarterTurn", AtPhase<KV_ExpandFX>(kPi / 2, [](KV_ExpandFX& expand) { expand.contractAmount.SetValue(10); }),
     "Main", With({{"amplitude", {0.1f, 0}}, {"center", {0.5f, 0.5f}}}), 1},
    {"ExpandAtHalfATurn", AtPhase<KV_ExpandFX>(kPi, [](KV_ExpandFX&) {}), "Main",
     With({{"amplitude", {0.25f, 0}}, {"center", {0.5f, 0.5f}}}), 1},
    {"ExpandsTriangleComingBack", AtPhase<KV_ExpandFX>(1.75f * kPi, [](KV_ExpandFX&) {}), "Main",
     With({{"amplitude", {0.0625f, 0}}, {"center", {0.5f, 0.5f}}}), 1},
    {"ContractingExpand", AtPhase<KV_ExpandFX>(0.0f, [](KV_ExpandFX& expand) {
         expand.expandAmount.SetValue(0);
         expand.contractAmount.SetValue(40);
         expand.centre.SetValue(D3DXVECTOR3(200, 450, 0));
         expand.Update(0.0f);
     }),
     "Main", With({{"amplitude", {0, 0.2f}}, {"center", {0.25f, 0.75f}}}), 1},
    {"RadialWaveDefaults", AtPhase<KV_RadialWaveFX>(2.5f, [](KV_RadialWaveFX&) {}), "Main",
     With({{"bg_scale_factor", {1, 0.75f}},
           {"center", {0.5f, 0.5f}},
           {"frequency", {1.0f / 0.006f}},
           {"amplitude", {0.0125f}},
           {"time", {-0.2f}}}),
     1},
    {"RotationAtRatioOne", AtPhase<KV_RotationFX>(0.7f, [](KV_RotationFX& rotation) {
         rotation.speed.SetValue(100);
         rotation.ellipseRatio.SetValue(1000);
         rotation.ellipseAngle.SetValue(30);
     }),
     "Main",
     With({{"coord_transf", {std::cos(0.7f), std::sin(0.7f), -std::sin(0.7f), std::cos(0.7f)}},
           {"offset", {-0.5f, -0.5f}},
           {"mix_color", {1, 1, 1, 1}}}),
     1},
    {"RotationOnAnEllipse", AtPhase<KV_RotationFX>(0.7f, [](KV_RotationFX& rotation) {
         rotation.speed.SetValue(100);
         rotation.ellipseRatio.SetValue(500);
         rotation.rotateReverse.SetValue(1);
     }),
     "Main",
     With({{"coord_transf", {std::cos(0.7f), -0.5f * std::sin(0.7f), 2.0f * std::sin(0.7f), std::cos(0.7f)}},
           {"offset", {-0.5f, -0.5f}},
           {"mix_color", {1, 1, 1, 1}}}),
     1},
    {"FireDefaults", Defaults<KV_FireFX>(), "Main", Fire(0), 1, Drawn::Grid},
    {"FireAtPhaseTen", AtPhase<KV_FireFX>(10.0f, [](KV_FireFX&) {}), "Main", Fire(10), 1, Drawn::Grid},
    {"CloudOverItsPlacementAtPhaseTwo", AtPhase<KV_CloudFX>(2.0f, [](KV_CloudFX& cloud) {
         cloud.speed.SetValue(1000);
         const D3DXVECTOR3 corners[] = {{100, 50, 0}, {100, 250, 0}, {500, 50, 0}, {500, 250, 0}};
         for (size_t k = 0; k < 4; ++k)
             cloud.placement.corners[k].SetValue(corners[k]);
         cloud.BuildMesh();
     }),
     "Main",
     Cloud({{"Velocity", {-2, 0}},
            {"mask_tex_shift", {0.5f, 0.125f, 1.0f / 3.0f, 50.0f / 600.0f}},
            {"PX_Transform", {0}},
            {"PY_TransformH", {1}},
            {"PY_TransformZ", {0}},
            {"tex_shift", {1, 1, 0, 0}}}),
     1, Drawn::Grid},
    {"CloudFlippedInDepth", Kind<KV_CloudFX>([](KV_CloudFX& cloud) {
         cloud.perspective.perspectiveDepth.SetValue(50);
         cloud.perspective.perspectiveHeight.SetValue(8);
         cloud.perspective.perspectiveShift.SetValue(25);
         cloud.perspective.perspectiveFlip.SetValue(1);
     }),
     "Main",
     Cloud({{"Velocity", {0, 0}},
            {"mask_tex_shift", {0, 0, 0, 0}},
            {"PX_Transform", {0.5f}},
            {"PY_TransformH", {2}},
            {"PY_TransformZ", {2}},
            {"tex_shift", {1, -1, -0.25f, 1}}}),
     1, Drawn::Grid},
};

// Each expected value among those set, within a tolerance.
void ExpectValues(const Values& set, const Values& expected)
{
    for (const auto& [name, values] : expected) {
        const auto found = set.find(name);
        if (found == set.end()) {
            ADD_FAILURE() << name << " not set";
            continue;
        }
        ASSERT_EQ(found->second.size(), values.size()) << name;
        for (size_t i = 0; i < values.size(); ++i)
            EXPECT_NEAR(found->second[i], values[i], 1e-4f * std::max(1.0f, std::fabs(values[i])))
                << name << "[" << i << "]";
    }
}

class EffectParams : public render_test::RenderTest {
protected:
    EffectParams() : RenderTest(16, 16) {}

    // An 800 x 600 picture laid out, as the centres and grids read it.
    void SetUp() override
    {
        RenderTest::SetUp();
        mask = MakeTexture(1, 1, {0xFFFFFFFF});
        renderer.scene.Share(MakeTexture(1, 1, {0xFF0000FF}));
        placement.pictureWidth = 800;
        placement.pictureHeight = 600;
        g_picturePlacement = &placement;
    }
    void TearDown() override
    {
        g_picturePlacement = &g_noPicturePlacement;
        renderer.scene.Reset();
        RenderTest::TearDown();
    }

    // The description draws through a new recording effect it holds.
    RecordingEffect& Record(KV_FX_Constructor& description)
    {
        auto* effect = new RecordingEffect(kTechniques);
        description.effect.Reset(effect);
        description.maskTexture.Share(mask);
        return *effect;
    }

    RecordingRenderer renderer{800, 600};
    IDirect3DTexture9* mask = nullptr;
    PicturePlacement placement;
};

void PrintTo(const ParamCase& c, std::ostream* os) { *os << c.name; }

class EffectParamCase : public EffectParams, public testing::WithParamInterface<ParamCase> {};

TEST_P(EffectParamCase, SetsTheTechniqueEveryParameterAndDrawsThePictureQuad)
{
    const ParamCase& c = GetParam();
    std::unique_ptr<KV_FX_Constructor> description = c.make();
    RecordingEffect& effect = Record(*description);
    description->Render(renderer);

    EXPECT_EQ(effect.Technique(), c.technique);
    std::set<std::string> expectedNames, setNames;
    for (const auto& [name, values] : c.values)
        expectedNames.insert(name);
    for (const auto& [name, values] : effect.Values())
        setNames.insert(name);
    EXPECT_EQ(setNames, expectedNames);
    ExpectValues(effect.Values(), c.values);
    EXPECT_EQ(effect.Begun(), c.draws);
    EXPECT_EQ(renderer.drewPictureQuad, std::vector<bool>(c.draws, c.drawn == Drawn::PictureQuad));
    for (size_t i = 0; i < c.perDraw.size() && i < effect.ValuesAtBegin().size(); ++i) {
        SCOPED_TRACE("draw " + std::to_string(i));
        ExpectValues(effect.ValuesAtBegin()[i], c.perDraw[i]);
    }
    if (!c.calls.empty()) {
        EXPECT_EQ(effect.Calls(), c.calls);
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, EffectParamCase, testing::ValuesIn(kParamCases),
                         [](const testing::TestParamInfo<ParamCase>& info) { return info.param.name; });

const std::pair<const char*, Make> kScreenKinds[] = {
    {"PatternBrush", [] { return std::unique_ptr<KV_FX_Constructor>(LargePattern()); }},
    {"PatternBrushC", Kind<KV_PatternBrushC>([](KV_PatternBrushC& brush) { brush.pattern.height = 1; brush.pattern.width = 1; })},
    {"BackgroundCopy", Defaults<KV_BackgroundCopy>()},
    {"WavesFX", Defaults<KV_WavesFX>()},
    {"LightFX", Defaults<KV_LightFX>()},
    {"UnderwaterFX", Defaults<KV_UnderwaterFX>()},
    {"WaterFX", Defaults<KV_WaterFX>()},
};

TEST_F(EffectParams, TheTechniqueFollowsUsesBackgroundAndTheMaskAndSceneAreBound)
{
    for (const auto& [name, make] : kScreenKinds) {
        for (const int usesBackground : {0, 1}) {
            SCOPED_TRACE(std::string(name) + (usesBackground ? " reading" : ""));
            std::unique_ptr<KV_FX_Constructor> description = make();
            description->usesBackground.SetValue(usesBackground);
            RecordingEffect& effect = Record(*description);
            description->Render(renderer);
            EXPECT_EQ(effect.Technique(), usesBackground ? "MainFX" : "Main");
            EXPECT_EQ(effect.Textures().at("Mask"), mask);
            EXPECT_EQ(effect.Textures().at("Background"), renderer.scene.Get());
            EXPECT_EQ(effect.Begun(), 1u);
        }
    }
}

TEST_F(EffectParams, TheBlendKindBindsTheMaskAndSceneAsItsOwnTexturesAndGoesOpaqueForReaders)
{
    for (const int usesBackground : {0, 1}) {
        KV_LightFX_II blend;
        blend.usesBackground.SetValue(usesBackground);
        blend.blendMode.SetValue(1);
        RecordingEffect& effect = Record(blend);
        blend.Render(renderer);
        EXPECT_EQ(effect.Technique(), "Blend_Screen");
        EXPECT_EQ(effect.Textures().at("Texture2"), mask);
        EXPECT_EQ(effect.Textures().at("Texture1"), renderer.scene.Get());
        EXPECT_EQ(effect.Textures().count("Mask"), 0u);
        EXPECT_EQ(effect.Values().at("Opaque"), std::vector<float>{static_cast<float>(usesBackground)});
    }
}

// Stored zeros that would divide, and a missing effect: nothing is set and
// nothing drawn.
TEST_F(EffectParams, ZeroDivisorsAndAMissingEffectDrawNothing)
{
    struct Case {
        const char* name;
        Make make;
        UINT width, height;
        bool effect;
    };
    const Case cases[] = {
        {"scale 0", Kind<KV_WavesFX>([](KV_WavesFX& waves) { waves.scale.SetValue(0); }), 800, 600, true},
        {"pattern zoom 0", [] {
             auto brush = LargePattern();
             brush->patternZoom.SetValue(0);
             return std::unique_ptr<KV_FX_Constructor>(std::move(brush));
         }, 800, 600, true},
        {"pattern not loaded", Defaults<KV_PatternBrush>(), 800, 600, true},
        {"picture 0 x 0", Defaults<KV_BackgroundCopy>(), 0, 0, true},
        {"picture 0 x 0 under water", Defaults<KV_UnderwaterFX>(), 0, 0, true},
        {"no effect: waves", Defaults<KV_WavesFX>(), 800, 600, false},
        {"no effect: light", Defaults<KV_LightFX>(), 800, 600, false},
        {"no effect: blend", Defaults<KV_LightFX_II>(), 800, 600, false},
        {"no effect: water", Defaults<KV_WaterFX>(), 800, 600, false},
        {"no effect: copy", Defaults<KV_BackgroundCopy>(), 800, 600, false},
        {"no effect: pattern", [] { return std::unique_ptr<KV_FX_Constructor>(LargePattern()); }, 800, 600, false},
        {"no effect: move", Defaults<KV_MoveFX>(), 800, 600, false},
        {"no effect: waterfall", Kind<KV_WaterfallFX>([](KV_WaterfallFX& w) { w.layers.resize(2); }), 800, 600, false},
        {"no effect: expand", Defaults<KV_ExpandFX>(), 800, 600, false},
        {"no effect: radial wave", Defaults<KV_RadialWaveFX>(), 800, 600, false},
        {"no effect: rotation", Kind<KV_RotationFX>([](KV_RotationFX& r) { r.ellipseRatio.SetValue(1000); }), 800,
         600, false},
        {"no effect: bend", Defaults<KV_BendFX>(), 800, 600, false},
        {"no effect: fire", Defaults<KV_FireFX>(), 800, 600, false},
        {"no effect: cloud", Defaults<KV_CloudFX>(), 800, 600, false},
        {"fire zoom 0", Kind<KV_FireFX>([](KV_FireFX& fire) { fire.fireZoom.SetValue(0); }), 800, 600, true},
        {"cloud scale 0", Kind<KV_CloudFX>([](KV_CloudFX& cloud) { cloud.scale.SetValue(0); }), 800, 600, true},
        {"rotation on its flat default ellipse", Defaults<KV_RotationFX>(), 800, 600, true},
        {"picture 0 x 0 with a cloud", Defaults<KV_CloudFX>(), 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingRenderer sized(c.width, c.height);
        std::unique_ptr<KV_FX_Constructor> description = c.make();
        if (c.effect) {
            RecordingEffect& effect = Record(*description);
            description->Render(sized);
            EXPECT_TRUE(effect.Calls().empty());
        } else {
            description->Render(sized);
        }
        EXPECT_TRUE(sized.drewPictureQuad.empty());
    }
}

// Without a laid-out picture a centre has nothing to divide by.
TEST_F(EffectParams, CentresOfAPictureNotLaidOutDrawNothing)
{
    const std::pair<const char*, Make> kinds[] = {
        {"expand", Defaults<KV_ExpandFX>()},
        {"radial wave", Defaults<KV_RadialWaveFX>()},
        {"rotation", Kind<KV_RotationFX>([](KV_RotationFX& r) { r.ellipseRatio.SetValue(1000); })},
        {"bend", Defaults<KV_BendFX>()},
    };
    for (const auto& [name, make] : kinds) {
        SCOPED_TRACE(name);
        std::unique_ptr<KV_FX_Constructor> description = make();
        RecordingEffect& effect = Record(*description);
        g_picturePlacement = &g_noPicturePlacement;
        description->Render(renderer);
        g_picturePlacement = &placement;
        EXPECT_TRUE(effect.Calls().empty());
        EXPECT_TRUE(renderer.drewPictureQuad.empty());
    }
}

// Stored values that would divide by 0 or size the draws: every value the
// effect gets is finite, and the layers are capped.
TEST_F(EffectParams, StoredZerosAndCountsGiveFiniteValuesAndBoundedDraws)
{
    struct Case {
        const char* name;
        Make make;
        UINT draws;
    };
    const Case cases[] = {
        {"waterfall noise at scale 0", AtPhase<KV_WaterfallFX>(1.0f, [](KV_WaterfallFX& waterfall) {
             waterfall.speed.SetValue(50);
             waterfall.scale.SetValue(0);
             waterfall.noiseAmplitude.SetValue(100);
             waterfall.layerCount.SetValue(2);
             MaskSlot none;
             waterfall.LoadResources(none);
         }),
         2},
        {"waterfall of 2^32 - 1 layers", AtPhase<KV_WaterfallFX>(0.5f, [](KV_WaterfallFX& waterfall) {
             waterfall.speed.SetValue(50);
             waterfall.layerCount.SetValue(0xFFFFFFFFu);
             MaskSlot none;
             waterfall.LoadResources(none);
         }),
         KV_WaterfallFX::kMaxLayers},
        {"cloud over a placement laid out on no picture", Kind<KV_CloudFX>([](KV_CloudFX& cloud) {
             g_picturePlacement = &g_noPicturePlacement;
             cloud.placement.corners[3].SetValue(D3DXVECTOR3(10, 10, 0));
             cloud.BuildMesh();
         }),
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<KV_FX_Constructor> description = c.make();
        g_picturePlacement = &placement;
        RecordingEffect& effect = Record(*description);
        description->Render(renderer);
        EXPECT_EQ(effect.Begun(), c.draws);
        for (const Values& values : effect.ValuesAtBegin())
            for (const auto& [name, floats] : values)
                for (const float value : floats)
                    ASSERT_TRUE(std::isfinite(value)) << name;
    }
}

// The clouds draw their picture's frame, and without one set no picture
// ("Background" keeps whatever the effect held).
TEST_F(EffectParams, CloudsWithoutAFrameSetNoBackground)
{
    for (const bool framed : {false, true}) {
        KV_CloudFX cloud;
        if (framed)
            cloud.cloudPicture.AppendFrame(mask);
        RecordingEffect& effect = Record(cloud);
        cloud.Render(renderer);
        EXPECT_EQ(effect.Begun(), 1u);
        EXPECT_EQ(effect.Textures().count("Background"), framed ? 1u : 0u);
        if (framed) {
            EXPECT_EQ(effect.Textures().at("Background"), mask);
        }
    }
}

TEST_F(EffectParams, WaterStaysFiniteAtTheTopOfItsSurfaceRange)
{
    KV_WaterFX water;
    water.surfaceLevel.SetValue(10000);
    RecordingEffect& effect = Record(water);
    water.Render(renderer);
    for (const float value : effect.Values().at("P2"))
        EXPECT_TRUE(std::isfinite(value));
    EXPECT_GT(effect.Values().at("P2")[1], 1.0f);
}

TEST_F(EffectParams, CommonParamsGiveFourScaleFloatsAndSetTheTechniqueLast)
{
    KV_WavesFX waves;
    RecordingEffect& effect = Record(waves);
    waves.SetCommonParams(renderer);
    EXPECT_EQ(effect.Values().at("Scale"), (std::vector<float>{kAspect, 1.0f, 1.0f / kAspect, 1.0f}));
    EXPECT_EQ(effect.Calls().back(), "technique Main");
    EXPECT_EQ(effect.Begun(), 0u);
}

TEST_F(EffectParams, MeshPassDrawsTheGridAloneOrThePictureForReaders)
{
    for (const int usesBackground : {0, 1}) {
        RecordingRenderer meshes(800, 600);
        KV_WavesFX waves;
        waves.usesBackground.SetValue(usesBackground);
        RecordingEffect& effect = Record(waves);
        effect.passes = 2;
        waves.DrawMeshPass(meshes);
        EXPECT_EQ(effect.Technique(), usesBackground ? "MainFX" : "Main");
        EXPECT_EQ(meshes.drewPictureQuad, std::vector<bool>(2, usesBackground != 0));
    }
}

// Inside a fading interval of the time line, each kind's faded value at
// full opacity times the opacity (the fire's brightness its square); the
// pattern's and the rotation's alphas only in speed mode 1. Kinds that fade
// in their Update run it at phase 0 there.
TEST_F(EffectParams, FadedValuesFollowTheTimeLinesOpacity)
{
    struct Case {
        const char* name;
        Make make;
        const char* parameter;
        size_t index;
        float full;
        bool fades;
        bool updates = false;
        float power = 1.0f;
    };
    const Case cases[] = {
        {"waves' amplitude", Defaults<KV_WavesFX>(), "amplitude", 0, 0.0125f, true},
        {"light's multiplier", Defaults<KV_LightFX>(), "multiplier", 0, 0.2f, true},
        {"pattern's alpha", [] { return std::unique_ptr<KV_FX_Constructor>(LargePattern()); }, "mix_color", 3, 1.0f,
         true},
        {"pattern's alpha in speed mode 0", [] {
             auto brush = LargePattern();
             brush->TimeLine().speedMode.SetValue(0);
             return std::unique_ptr<KV_FX_Constructor>(std::move(brush));
         }, "mix_color", 3, 1.0f, false},
        {"blend's alpha", Kind<KV_LightFX_II>([](KV_LightFX_II& blend) { blend.blendStrength.SetValue(50); }),
         "BlendColor", 3, 0.5f, true},
        {"move's offset", Defaults<KV_MoveFX>(), "Direction", 0, -0.005f, true, true},
        {"expand's contraction", Kind<KV_ExpandFX>([](KV_ExpandFX& expand) { expand.contractAmount.SetValue(20); }),
         "amplitude", 1, 0.1f, true, true},
        {"radial wave's amplitude", Defaults<KV_RadialWaveFX>(), "amplitude", 0, 0.0125f, true},
        {"bend's angle", Kind<KV_BendFX>([](KV_BendFX& bend) {
             bend.bendForward.SetValue(100);
             bend.Update(0.0f);
         }),
         "Angle", 0, 0.1f, true},
        {"fire's brightness", Defaults<KV_FireFX>(), "Brightness", 0, 0.3f, true, false, 2.0f},
        {"rotation's alpha", Kind<KV_RotationFX>([](KV_RotationFX& rotation) { rotation.ellipseRatio.SetValue(1000); }),
         "mix_color", 3, 1.0f, false},
        {"rotation's alpha in speed mode 1", Kind<KV_RotationFX>([](KV_RotationFX& rotation) {
             rotation.ellipseRatio.SetValue(1000);
             rotation.TimeLine().speedMode.SetValue(1);
         }),
         "mix_color", 3, 1.0f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<KV_FX_Constructor> description = c.make();
        KV_TimeLineControl& timeLine = description->TimeLine();
        timeLine.mode.SetValue(KV_TimeLineControl::kModeIntervals);
        ASSERT_TRUE(timeLine.AddInterval(0.0f, 10.0f, 2.0f, 8.0f));
        timeLine.intervalTime = 1.0f;
        const float opacity = timeLine.GetOpacity();
        ASSERT_GT(opacity, 0.0f);
        ASSERT_LT(opacity, 1.0f);
        if (c.updates)
            description->Update(0.0f);
        RecordingEffect& effect = Record(*description);
        description->Render(renderer);
        const auto found = effect.Values().find(c.parameter);
        ASSERT_NE(found, effect.Values().end());
        ASSERT_GT(found->second.size(), c.index);
        EXPECT_FLOAT_EQ(found->second[c.index], c.full * (c.fades ? std::pow(opacity, c.power) : 1.0f));
    }
}

// A frame shows until the phase has run past its duration; the frame index
// runs over the durations and the textures shown wrap within their own count.
TEST_F(EffectParams, PatternFramesStepByTheirDurationsAndWrap)
{
    KV_PatternBrush brush;
    brush.pattern.width = 8;
    brush.pattern.height = 8;
    brush.pattern.durations = {0.1f, 0.1f, 0.1f, 0.1f};
    IDirect3DTexture9* frames[] = {MakeTexture(1, 1, {0xFF000000}), MakeTexture(1, 1, {0xFFFFFFFF})};
    for (IDirect3DTexture9* frame : frames)
        brush.pattern.AppendFrame(frame);
    RecordingEffect& effect = Record(brush);
    std::vector<unsigned int> shown;
    for (int k = 0; k <= 12; ++k) {
        brush.Update(0.04f * static_cast<float>(k));
        shown.push_back(brush.patternFrame);
    }
    EXPECT_EQ(shown, (std::vector<unsigned int>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}));
    for (int k = 13; k <= 21; ++k)
        brush.Update(0.04f * static_cast<float>(k));
    ASSERT_EQ(brush.patternFrame, 3u);
    brush.Render(renderer);
    EXPECT_EQ(effect.Textures().at("Pattern"), frames[1]);
}

TEST(BrushObject, ReadsTheSceneOnlyWhenItsEffectUsesTheBackgroundAndItIsActive)
{
    struct Case {
        int usesBackground;
        int active;
        bool reads;
    };
    for (const Case c : {Case{0, 1, false}, Case{1, 1, true}, Case{1, 0, false}}) {
        KV_LightFX light;
        light.usesBackground.SetValue(c.usesBackground);
        std::unique_ptr<KV_ABObj> object = light.CreateObject();
        object->SetActive(c.active);
        EXPECT_EQ(object->ReadsScene(), c.reads);
        EXPECT_EQ(object->GetKindCode(), 4);
    }
}

// The fire and the waterfall draw only their grid and the clouds their own
// picture: with usesBackground set they still never take the scene, which
// would black out all the rest.
TEST_F(EffectParams, KindsThatNeverSeeTheSceneAreNoSceneReaders)
{
    const std::pair<const char*, Make> kinds[] = {
        {"fire", Defaults<KV_FireFX>()}, {"waterfall", Defaults<KV_WaterfallFX>()}, {"cloud", Defaults<KV_CloudFX>()}};
    for (const auto& [name, make] : kinds) {
        SCOPED_TRACE(name);
        std::unique_ptr<KV_FX_Constructor> description = make();
        description->usesBackground.SetValue(1);
        EXPECT_FALSE(description->CreateObject()->ReadsScene());
    }
    KV_BendFX bend;
    bend.usesBackground.SetValue(1);
    EXPECT_TRUE(bend.CreateObject()->ReadsScene());
}

TEST(BrushObject, UpdateRunsTheCloneClockAndAnObjectWithoutEffectDrawsNothing)
{
    KV_LightFX light;
    std::unique_ptr<KV_ABObj> object = light.CreateObject();
    auto& brush = static_cast<KV_BrushObj&>(*object);
    object->Update(0.0f);
    object->Update(0.1f);
    EXPECT_FLOAT_EQ(brush.Effect().speed.Phase(), 4.0f);
    EXPECT_FLOAT_EQ(light.speed.Phase(), 0.0f);
    RecordingRenderer renderer(800, 600);
    object->Render(renderer);
    EXPECT_TRUE(renderer.drewPictureQuad.empty());
}

}  // namespace
}  // namespace screenfx_test
