// The classes the engine's registries may hold, each in its registry. Every
// class registers itself in its own file; this test passes as they arrive
// and fails on a misspelt name or one registered in the wrong registry.
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "scene/document/reader_registry.h"

namespace {

enum class Registry { Lights, Slides, Descriptions };

const std::map<kv_string, Registry>& KnownClasses() {
    static const std::map<kv_string, Registry> known = [] {
        std::map<kv_string, Registry> names;
        for (const wchar_t* name : {L"KV_2D_Light", L"KV_FlameLight", L"KV_GlassBallLight",
                                    L"KV_MatrixCodeLight", L"FakeUndervater", L"FakeLake2D",
                                    L"KV_WaterRingLight"}) {
            names.emplace(name, Registry::Lights);
        }
        names.emplace(L"KV_SlideContainer", Registry::Slides);
        for (const wchar_t* name : {
                 L"KV_GodRayConstructor", L"KV_SparkleConstructor", L"KV_FlowConstructor",
                 L"KV_FishConstructor", L"KV_GhostConstructor", L"KV_FogConstructor",
                 L"KV_LightingConstructor", L"KV_GrassConstructor", L"KV_RainConstructor",
                 L"KV_StatObjConstructor", L"KV_FlowerConstructor", L"KV_BirdConstructor",
                 L"KV_DischargeConstructor", L"KV_DischargeFXConstructor",
                 L"KV_ButterflyConstructor", L"KV_ClockConstructor", L"KV_Bling",
                 L"KV_CustomAirBrush", L"KV_TwinklingStars", L"KV_BackgroundCopy", L"KV_WavesFX",
                 L"KV_LightFX", L"KV_PatternBrush", L"KV_PatternBrushC", L"KV_WaterFX",
                 L"KV_MoveFX", L"KV_FireFX", L"KV_ExpandFX", L"KV_RadialWaveFX", L"KV_RotationFX",
                 L"KV_WaterfallFX", L"KV_BendFX", L"KV_LightFX_II", L"KV_CloudFX",
                 L"KV_ExplosionConstructor", L"KV_FallingStars", L"KV_FireworkSimple",
                 L"KV_LightningGN", L"KV_Plant", L"KV_RadialRays", L"KV_Smoke",
                 L"KV_StaticAnimation", L"KV_BrownAnimation", L"KV_PathAnimtion",
                 L"KV_StaticTextConstructor", L"KV_ScrollingTextConstructor",
                 L"KV_TextLinkConstructor", L"KV_3D_in_2D_array_Constructor",
                 L"KV_MP3_Constructor", L"KV_WAV_Constructor"}) {
            names.emplace(name, Registry::Descriptions);
        }
        return names;
    }();
    return known;
}

void ExpectAllKnownIn(const std::vector<kv_string>& registered, Registry registry) {
    for (const kv_string& name : registered) {
        const auto known = KnownClasses().find(name);
        ASSERT_NE(known, KnownClasses().end()) << "unknown class name registered";
        EXPECT_EQ(known->second, registry) << "class registered in the wrong registry";
    }
}

TEST(RegisteredClasses, TheListHoldsFiftyEightDistinctNames) {
    EXPECT_EQ(KnownClasses().size(), 58u);
}

TEST(RegisteredClasses, EveryRegisteredNameIsKnownAndInItsOwnRegistry) {
    ExpectAllKnownIn(GetLightReaderRegistry().Names(), Registry::Lights);
    ExpectAllKnownIn(GetSlideReaderRegistry().Names(), Registry::Slides);
    ExpectAllKnownIn(GetConstructorReaderRegistry().Names(), Registry::Descriptions);
}

}  // namespace
