// What each masked effect asks of its effect: technique, every parameter
// and the draws, on an 800 x 600 picture, recorded.
#include <cmath>
#include <memory>
#include <set>

#include <gtest/gtest.h>

#include "effects/screenfx/background_copy.h"
#include "effects/screenfx/brush_obj.h"
#include "effects/screenfx/kind_makers.h"
#include "effects/screenfx/light_fx.h"
#include "effects/screenfx/light_fx_ii.h"
#include "effects/screenfx/pattern_brush.h"
#include "effects/screenfx/recording_effect.h"
#include "effects/screenfx/underwater_fx.h"
#include "effects/screenfx/water_fx.h"
#include "effects/screenfx/waves_fx.h"
#include "scene/render/render_fixture.h"

namespace screenfx_test {
namespace {

using Values = std::map<std::string, std::vector<float>>;

const std::vector<std::string> kTechniques = {"Main",         "MainFX",        "Blend_Normal",
                                              "Blend_Screen", "PS_ColorDodge", "Blend_Sum"};
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

struct ParamCase {
    const char* name;
    Make make;
    const char* technique;  // empty: none set
    Values values;          // every parameter set, by its last values
    size_t draws;
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
};

class EffectParams : public render_test::RenderTest {
protected:
    EffectParams() : RenderTest(16, 16) {}

    void SetUp() override
    {
        RenderTest::SetUp();
        mask = MakeTexture(1, 1, {0xFFFFFFFF});
        renderer.scene.Share(MakeTexture(1, 1, {0xFF0000FF}));
    }
    void TearDown() override
    {
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
    for (const auto& [name, expected] : c.values) {
        const auto found = effect.Values().find(name);
        if (found == effect.Values().end())
            continue;
        ASSERT_EQ(found->second.size(), expected.size()) << name;
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR(found->second[i], expected[i], 1e-4f * std::max(1.0f, std::fabs(expected[i])))
                << name << "[" << i << "]";
    }
    EXPECT_EQ(effect.Begun(), c.draws);
    EXPECT_EQ(renderer.drewPictureQuad, std::vector<bool>(c.draws, true));
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
// full opacity times the opacity; the pattern's alpha only in speed mode 1.
TEST_F(EffectParams, FadedValuesFollowTheTimeLinesOpacity)
{
    struct Case {
        const char* name;
        Make make;
        const char* parameter;
        size_t index;
        float full;
        bool fades;
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
        RecordingEffect& effect = Record(*description);
        description->Render(renderer);
        const auto found = effect.Values().find(c.parameter);
        ASSERT_NE(found, effect.Values().end());
        ASSERT_GT(found->second.size(), c.index);
        EXPECT_FLOAT_EQ(found->second[c.index], c.full * (c.fades ? opacity : 1.0f));
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
