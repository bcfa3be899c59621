// The common module's effects drawn through the background layer's
// scene-capture protocol, read back.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <functional>
#include <memory>
#include <tuple>
#include <typeinfo>

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
#include "effects/screenfx/rotation_fx.h"
#include "effects/screenfx/underwater_fx.h"
#include "effects/screenfx/water_fx.h"
#include "effects/screenfx/waterfall_fx.h"
#include "effects/screenfx/waves_fx.h"
#include "effects/screenfx/run_clock.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"
#include "scene/model/picture_placement.h"
#include "scene/render/current_device.h"
#include "scene/render/light_fixture.h"
#include "scene/resources/kv_docresmanager.h"

namespace screenfx_test {
namespace {

using d3d9_test::ColoursNear;
using render_test::SquareSetup;

constexpr D3DCOLOR kGrey = 0x808080;
constexpr D3DCOLOR kRed = 0xFF0000;
constexpr D3DCOLOR kBlue = 0x0000FF;
const ResourceKey kPattern{L"stars.png", 3};

BYTE Red(D3DCOLOR colour) { return static_cast<BYTE>(colour >> 16); }

// 64 x 64 texels covered inside the circle of that radius about the middle.
std::vector<D3DCOLOR> Disc(float radius)
{
    std::vector<D3DCOLOR> texels(64 * 64);
    for (UINT y = 0; y < 64; ++y)
        for (UINT x = 0; x < 64; ++x)
            texels[y * 64 + x] = std::hypot(x + 0.5f - 32.0f, y + 0.5f - 32.0f) < radius ? 0xFFFFFFFF : 0x00000000;
    return texels;
}

// The project's effect file as the current document carries it, under the
// description's link.
void CarryEffect(KV_FX_Constructor& description, const char* file)
{
    std::ifstream in(std::string(SAVER_EFFECTS_DIR) + "/" + file, std::ios::binary);
    const std::vector<BYTE> text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(text.empty()) << file;
    ResourceEntry entry;
    entry.Assign(L"effect.fx", static_cast<DWORD>(text.size()), text.data());
    const KV_FileLink3 link = KV_FileLink3::FromEntry(entry);
    g_currentDocResManager->Tables().entries[link.Key()].push_back(entry);
    description.effectLink.SetKey(link.Key());
}

// An object drawn before an effect that leaves the device's world transform
// far from the picture's.
class WorldSpoiler : public KV_ABObj {
public:
    WorldSpoiler() : KV_ABObj(nullptr) {}
    void Render(KV_ABRender&) override
    {
        D3DXMATRIX elsewhere;
        D3DXMatrixScaling(&elsewhere, 0.25f, 0.25f, 1.0f);
        elsewhere._41 = 40.0f;
        g_currentDevice->SetTransform(D3DTS_WORLD, &elsewhere);
    }
    void Signal(int, int) override {}
    void UpdateLayout() override {}
    void Update(float) override {}
};

// 64 x 64 texels: the left half one colour, the right half another.
std::vector<D3DCOLOR> Halves(D3DCOLOR left, D3DCOLOR right)
{
    std::vector<D3DCOLOR> texels(64 * 64);
    for (UINT i = 0; i < texels.size(); ++i)
        texels[i] = i % 64 < 32 ? left : right;
    return texels;
}

class EffectPixels : public render_test::LightTest {
protected:
    void SetUp() override
    {
        LightTest::SetUp();
        g_currentDocResManager = &manager;
        // common_res.res as the build lays it beside saver.
        setenv("SAVER_MODULE_PATH", SAVER_BUILD_DIR, 1);
        // Centres and grids are placed on the picture the layer lays out.
        g_picturePlacement = &context.Placement();
    }
    void TearDown() override
    {
        g_picturePlacement = &g_noPicturePlacement;
        objects.clear();
        g_currentDocResManager = nullptr;
        managerHolder.reset();
        unsetenv("SAVER_MODULE_PATH");
        LightTest::TearDown();
    }

    // The description's runtime object, masked (null: everywhere), drawn
    // after the objects added before it.
    KV_BrushObj& Place(KV_FX_Constructor& description, IDirect3DTexture9* mask)
    {
        if (mask) {
            mask->AddRef();
            manager.GuidTextures()[description.maskKey].Reset(mask);
        }
        auto* object = static_cast<KV_BrushObj*>(description.CreateObject().release());
        objects.insert(objects.begin(), CountedRef<KV_ABObj>(object));
        return *object;
    }
    // Left half covered, right half not.
    IDirect3DTexture9* LeftMask() { return MakeTexture(64, 64, Halves(0xFFFFFFFF, 0x00000000)); }
    // A 4 x 4 green picture stored under kPattern.
    void StoreGreenPattern()
    {
        TextureSequence& stored = manager.Tables().sequences[kPattern];
        stored.AppendFrame(MakeTexture(4, 4, std::vector<D3DCOLOR>(16, 0xFF00C000)));
        stored.width = 4;
        stored.height = 4;
    }
    void Under(const SquareSetup& setup) { objects.insert(objects.begin(), CountedRef<KV_ABObj>(new render_test::SquareObject(setup))); }

    // Let go before the device, with the effects and textures it holds.
    std::unique_ptr<KV_DocResManager> managerHolder = std::make_unique<KV_DocResManager>();
    KV_DocResManager& manager = *managerHolder;
};

TEST_F(EffectPixels, MainChangesOnlyTheMaskedAreaAndLeavesObjectsOutsideIt)
{
    ShowPicture(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF808080));
    Under({0xFFFF0000, {40, 40, 56, 56}});
    KV_LightFX light;
    Place(light, LeftMask());
    DrawFrame(0);
    EXPECT_EQ(Pixel(48, 48), kRed);
    EXPECT_EQ(Pixel(48, 8), kGrey);
    EXPECT_GT(Red(Pixel(8, 8)), 0x80 + 16);
    EXPECT_GT(Red(Pixel(20, 56)), 0x80 + 16);
}

TEST_F(EffectPixels, MainFXDrawsTheSceneOutsideTheMaskAndTheEffectOfTheSceneInsideIt)
{
    ShowPicture(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF808080));
    Under({0xFFFF0000, {40, 40, 56, 56}});
    Under({0xFF600000, {4, 40, 20, 56}});
    KV_LightFX light;
    light.usesBackground.SetValue(1);
    ASSERT_TRUE(Place(light, LeftMask()).ReadsScene());
    DrawFrame(1);
    EXPECT_EQ(Pixel(48, 48), kRed);
    EXPECT_EQ(Pixel(48, 8), kGrey);
    EXPECT_GT(Red(Pixel(8, 8)), 0x80 + 16);
    // The dark square drawn before the light is brightened, not painted over.
    EXPECT_GT(Red(Pixel(12, 48)), 0x60 + 8);
    EXPECT_LT(Red(Pixel(12, 48)), 0x80);
    EXPECT_EQ(Pixel(12, 48) & 0xFFFF, 0u);
}

TEST_F(EffectPixels, TheCopyFlagMirrorsThePicture)
{
    struct Case {
        int flag;
        D3DCOLOR left, right;
    };
    for (const Case c : {Case{0, kRed, kBlue}, Case{1, kBlue, kRed}}) {
        SCOPED_TRACE(c.flag);
        objects.clear();
        ShowPicture(64, 64, Halves(0xFFFF0000, 0xFF0000FF));
        KV_BackgroundCopy copy;
        copy.copyFlagX.SetValue(c.flag);
        Place(copy, nullptr);
        DrawFrame(0);
        EXPECT_EQ(Pixel(8, 32), c.left);
        EXPECT_EQ(Pixel(56, 32), c.right);
    }
}

TEST_F(EffectPixels, TheBlendReaderKeepsTheSceneOutsideItsMask)
{
    ShowPicture(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF808080));
    Under({0xFFFF0000, {40, 40, 56, 56}});
    KV_LightFX_II blend;
    blend.usesBackground.SetValue(1);
    blend.blendStrength.SetValue(100);
    blend.blendColour.SetValue(0x0000FF00);
    Place(blend, LeftMask());
    DrawFrame(1);
    EXPECT_EQ(Pixel(48, 48), kRed);
    EXPECT_EQ(Pixel(48, 8), kGrey);
    EXPECT_EQ(Pixel(8, 8), 0x00FF00u);
}

// Each effect compiles, has the techniques its kind sets, and as a reader
// over the whole picture leaves no pixel black.
TEST_F(EffectPixels, EveryKindsEffectLoadsAndCoversThePictureAsAReader)
{
    StoreGreenPattern();

    std::vector<std::unique_ptr<KV_FX_Constructor>> kinds;
    auto brush = std::make_unique<KV_PatternBrush>();
    brush->patternLink.SetKey(kPattern);
    kinds.push_back(std::move(brush));
    kinds.push_back(std::make_unique<KV_BackgroundCopy>());
    kinds.push_back(std::make_unique<KV_WavesFX>());
    kinds.push_back(std::make_unique<KV_LightFX>());
    kinds.push_back(std::make_unique<KV_UnderwaterFX>());
    kinds.push_back(std::make_unique<KV_WaterFX>());
    kinds.push_back(std::make_unique<KV_MoveFX>());
    kinds.push_back(std::make_unique<KV_ExpandFX>());
    kinds.push_back(std::make_unique<KV_RadialWaveFX>());
    auto rotation = std::make_unique<KV_RotationFX>();
    rotation->ellipseRatio.SetValue(1000);
    rotation->speed.SetValue(200);
    CarryEffect(*rotation, "rotation.fx");
    kinds.push_back(std::move(rotation));
    auto bend = std::make_unique<KV_BendFX>();
    bend->bendForward.SetValue(200);
    CarryEffect(*bend, "bend.fx");
    kinds.push_back(std::move(bend));
    for (const auto& kind : kinds) {
        SCOPED_TRACE(typeid(*kind).name());
        objects.clear();
        ShowPicture(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF808080));
        kind->usesBackground.SetValue(1);
        KV_BrushObj& object = Place(*kind, nullptr);
        ID3DXEffect* effect = object.Effect().effect.Get();
        ASSERT_NE(effect, nullptr);
        EXPECT_EQ(effect->SetTechnique("Main"), D3D_OK);
        EXPECT_EQ(effect->SetTechnique("MainFX"), D3D_OK);
        object.Update(0.0f);
        object.Update(0.15f);
        DrawFrame(1);
        for (const UINT y : {2u, 32u, 61u})
            for (const UINT x : {2u, 32u, 61u})
                EXPECT_NE(Pixel(x, y), 0u) << x << ", " << y;
    }
}

// A kind set up so that its effect changes the picture of GreyMasks.
struct GreyMaskCase {
    const char* name;
    Make make;
};

void PrintTo(const GreyMaskCase& c, std::ostream* os) { *os << c.name; }

// One row a screen effect.
const GreyMaskCase kGreyMaskCases[] = {
    {"PatternBrush", Kind<KV_PatternBrush>([](KV_PatternBrush& brush) { brush.patternLink.SetKey(kPattern); })},
    {"BackgroundCopy", Kind<KV_BackgroundCopy>([](KV_BackgroundCopy& copy) { copy.copyFlagX.SetValue(1); })},
    {"Waves", Defaults<KV_WavesFX>()},
    {"Light", Kind<KV_LightFX>([](KV_LightFX& light) { light.lightStrength.SetValue(100); })},
    {"Blend", Kind<KV_LightFX_II>([](KV_LightFX_II& blend) {
         blend.blendStrength.SetValue(100);
         blend.blendColour.SetValue(0x0000FF00);
     })},
    {"Underwater", Defaults<KV_UnderwaterFX>()},
    {"Water", Kind<KV_WaterFX>([](KV_WaterFX& water) { water.waterColour.SetValue(0x000080FF); })},
    {"Move", Kind<KV_MoveFX>([](KV_MoveFX& move) {
         move.directionStrength.SetValue(1000);
         move.Update(0.0f);
     })},
    {"Expand", Kind<KV_ExpandFX>([](KV_ExpandFX& expand) {
         expand.expandAmount.SetValue(100);
         expand.expandMode.SetValue(1);
         expand.Update(0.0f);
     })},
    {"RadialWave", Kind<KV_RadialWaveFX>([](KV_RadialWaveFX& rings) { rings.ringAmplitude.SetValue(400); })},
    {"Rotation", Kind<KV_RotationFX>([](KV_RotationFX& rotation) {
         CarryEffect(rotation, "rotation.fx");
         rotation.ellipseRatio.SetValue(1000);
         rotation.speed.SetValue(1000);
         rotation.Update(0.2f);
     })},
    {"Bend", Kind<KV_BendFX>([](KV_BendFX& bend) {
         CarryEffect(bend, "bend.fx");
         bend.placement.SetCentred(D3DXVECTOR3(32, 32, 0), 64, 64);
         bend.bendForward.SetValue(400);
         bend.Update(0.0f);
     })},
};

int ChannelDistance(D3DCOLOR a, D3DCOLOR b)
{
    int largest = 0;
    for (int shift : {0, 8, 16})
        largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return largest;
}

// Channel by channel, from a towards b by k.
D3DCOLOR Mix(D3DCOLOR a, D3DCOLOR b, float k)
{
    D3DCOLOR mixed = 0;
    for (int shift : {0, 8, 16}) {
        const float from = static_cast<float>((a >> shift) & 0xFF), to = static_cast<float>((b >> shift) & 0xFF);
        mixed |= static_cast<D3DCOLOR>(from + (to - from) * k + 0.5f) << shift;
    }
    return mixed;
}

class GreyMasks : public EffectPixels, public testing::WithParamInterface<GreyMaskCase> {
protected:
    // 4 x 4 checks of two greys: every effect changes them somewhere.
    static std::vector<D3DCOLOR> Checks()
    {
        std::vector<D3DCOLOR> texels(64 * 64);
        for (UINT i = 0; i < texels.size(); ++i)
            texels[i] = ((i % 64) / 4 + (i / 64) / 4) % 2 ? 0xFFA0A0A0 : 0xFF404040;
        return texels;
    }
    // The frame of the picture with the case's object over it, masked
    // (null: everywhere).
    std::vector<D3DCOLOR> Frame(IDirect3DTexture9* mask, int usesBackground)
    {
        objects.clear();
        ShowPicture(64, 64, Checks());
        const std::unique_ptr<KV_FX_Constructor> description = GetParam().make();
        description->usesBackground.SetValue(usesBackground);
        Place(*description, mask);
        DrawFrame(usesBackground);
        UINT w = 0, h = 0;
        return d3d9_test::ReadBackBuffer(device(), w, h);
    }
};

// A grey mask as stored (opaque, its grey in red, green and blue): white
// columns 0 to 20 take the effect, grey ones 21 to 42 half of it, black
// ones 43 to 63 none of it, as under a clear mask; alpha alone would cover
// them all.
TEST_P(GreyMasks, CoverByTheRedTimesTheAlphaOfTheirMask)
{
    StoreGreenPattern();
    std::vector<D3DCOLOR> bands(64 * 64);
    for (UINT i = 0; i < bands.size(); ++i)
        bands[i] = i % 64 < 21 ? 0xFFFFFFFF : i % 64 < 43 ? 0xFF808080 : 0xFF000000;
    IDirect3DTexture9* mask = MakeTexture(64, 64, bands);
    IDirect3DTexture9* clear = MakeTexture(64, 64, std::vector<D3DCOLOR>(64 * 64, 0x00000000));
    const float grey = 128.0f / 255.0f;
    for (const int usesBackground : {0, 1}) {
        SCOPED_TRACE(usesBackground ? "MainFX" : "Main");
        // The scene as the object sees it: a reader's has been through the capture.
        const std::vector<D3DCOLOR> picture = Frame(clear, usesBackground);
        const std::vector<D3DCOLOR> everywhere = Frame(nullptr, usesBackground);
        const std::vector<D3DCOLOR> masked = Frame(mask, usesBackground);
        ASSERT_EQ(masked.size(), 64u * 64u);
        int changedUnderBlack = 0;
        for (UINT y = 0; y < 64; ++y) {
            for (UINT x = 0; x < 64; ++x) {
                if (x == 20 || x == 21 || x == 42 || x == 43)
                    continue;  // where the bands meet
                const size_t i = y * 64 + x;
                const D3DCOLOR expected = x < 21 ? everywhere[i] : x < 43 ? Mix(picture[i], everywhere[i], grey) : picture[i];
                ASSERT_LE(ChannelDistance(masked[i], expected), x < 21 || x > 42 ? 2 : 3)
                    << x << ", " << y << ": " << std::hex << masked[i] << " for " << expected;
                changedUnderBlack += x > 43 && ChannelDistance(everywhere[i], picture[i]) > 16;
            }
        }
        // Else the effect would look the same under any coverage there.
        EXPECT_GT(changedUnderBlack, 16);
    }
}

INSTANTIATE_TEST_SUITE_P(ScreenEffects, GreyMasks, testing::ValuesIn(kGreyMaskCases),
                         [](const testing::TestParamInfo<GreyMaskCase>& info) { return info.param.name; });
TEST_F(EffectPixels, TheKindsDrawingTheirOwnGeometryHaveTheirTechniques)
{
    KV_FireFX fire;
    KV_WaterfallFX waterfall;
    CarryEffect(waterfall, "waterfall.fx");
    KV_CloudFX cloud;
    CarryEffect(cloud, "cloud.fx");
    const std::pair<KV_FX_Constructor*, std::vector<const char*>> kinds[] = {
        {&fire, {"Main", "AsEffect"}}, {&waterfall, {"Noise", "ColorWaves"}}, {&cloud, {"Main", "MainFX"}}};
    for (const auto& [kind, techniques] : kinds) {
        ID3DXEffect* effect = Place(*kind, nullptr).Effect().effect.Get();
        ASSERT_NE(effect, nullptr) << typeid(*kind).name();
        for (const char* technique : techniques)
            EXPECT_EQ(effect->SetTechnique(technique), D3D_OK) << technique;
    }
}

// Turned by half a turn about the middle, a point shows the one opposite.
TEST_F(EffectPixels, RotationByHalfATurnSwapsTheQuadrantsInsideItsMask)
{
    ShowPicture(64, 64, render_test::QuadrantTexels());
    KV_RotationFX rotation;
    rotation.ellipseRatio.SetValue(1000);
    rotation.ellipseAngle.SetValue(40);
    rotation.speed.SetValue(200);
    rotation.centre.SetValue(D3DXVECTOR3(32, 32, 0));
    CarryEffect(rotation, "rotation.fx");
    KV_BrushObj& object = Place(rotation, MakeTexture(64, 64, Disc(24.0f)));
    RunClock(object.Effect(), 3.1415927f);
    DrawFrame(0);
    EXPECT_TRUE(ColoursNear(Pixel(20, 20), 0xFFFFFF, 8));
    EXPECT_TRUE(ColoursNear(Pixel(44, 20), kBlue, 8));
    EXPECT_TRUE(ColoursNear(Pixel(20, 44), 0x00FF00, 8));
    EXPECT_TRUE(ColoursNear(Pixel(44, 44), kRed, 8));
    for (const auto& [x, y, colour] : {std::tuple{2u, 2u, kRed}, {61u, 2u, 0x00FF00u}, {2u, 61u, kBlue}})
        EXPECT_EQ(Pixel(x, y), colour) << x << ", " << y;
}

// The grid kinds draw on their placement alone, wherever the draw before
// them left the world transform.
TEST_F(EffectPixels, EachGridKindChangesOnlyItsPlacement)
{
    struct Case {
        const char* name;
        Make make;
    };
    const Case cases[] = {
        {"bend", [] {
             auto bend = std::make_unique<KV_BendFX>();
             bend->bendForward.SetValue(400);
             bend->speed.SetValue(50);
             bend->centre.SetValue(D3DXVECTOR3(32, 32, 0));
             CarryEffect(*bend, "bend.fx");
             return std::unique_ptr<KV_FX_Constructor>(std::move(bend));
         }},
        {"waterfall", [] {
             auto waterfall = std::make_unique<KV_WaterfallFX>();
             waterfall->layerCount.SetValue(4);
             waterfall->threshold.SetValue(800);
             waterfall->baseColour.SetValue(0x00FFFF00);
             waterfall->speed.SetValue(50);
             waterfall->directionStrength.SetValue(20);
             waterfall->noiseAmplitude.SetValue(300);
             waterfall->noiseLink.SetKey({L"common_res.dll", 8});
             CarryEffect(*waterfall, "waterfall.fx");
             return std::unique_ptr<KV_FX_Constructor>(std::move(waterfall));
         }},
        {"fire", [] { return std::unique_ptr<KV_FX_Constructor>(std::make_unique<KV_FireFX>()); }},
        {"cloud", [] {
             auto cloud = std::make_unique<KV_CloudFX>();
             cloud->cloudLink.SetKey({L"common_res.dll", 8});
             cloud->cloudColour1.SetValue(0x00FF00FF);
             cloud->cloudColour2.SetValue(0x00FFFF00);
             cloud->cloudDensity.SetValue(10);
             cloud->speed.SetValue(100);
             CarryEffect(*cloud, "cloud.fx");
             return std::unique_ptr<KV_FX_Constructor>(std::move(cloud));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        objects.clear();
        ShowPicture(64, 64, render_test::QuadrantTexels());
        DrawFrame(0);
        UINT w = 0, h = 0;
        const std::vector<D3DCOLOR> plain = d3d9_test::ReadBackBuffer(device(), w, h);
        std::unique_ptr<KV_FX_Constructor> description = c.make();
        const D3DXVECTOR3 corners[] = {{16, 16, 0}, {16, 48, 0}, {48, 16, 0}, {48, 48, 0}};
        for (size_t k = 0; k < 4; ++k)
            description->placement.corners[k].SetValue(corners[k]);
        KV_BrushObj& object = Place(*description, nullptr);
        ASSERT_NE(object.Effect().effect.Get(), nullptr);
        RunClock(object.Effect(), 0.3f);
        objects.emplace_back(new WorldSpoiler);
        DrawFrame(0);
        const std::vector<D3DCOLOR> drawn = d3d9_test::ReadBackBuffer(device(), w, h);
        int changedInside = 0;
        for (UINT y = 0; y < 64; ++y) {
            for (UINT x = 0; x < 64; ++x) {
                const bool inside = x >= 16 && x < 48 && y >= 16 && y < 48;
                const bool margin = x >= 15 && x <= 48 && y >= 15 && y <= 48;
                if (inside) {
                    changedInside += !ColoursNear(drawn[y * 64 + x], plain[y * 64 + x], 4);
                } else if (!margin) {
                    ASSERT_EQ(drawn[y * 64 + x], plain[y * 64 + x]) << x << ", " << y;
                }
            }
        }
        EXPECT_GT(changedInside, 32);
    }
}

// The fire finds the mask under its grid through the layout: on a
// letterboxed picture the mask's lower edge stays where the picture has it.
TEST_F(EffectPixels, TheFireFindsItsMaskOnALetterboxedPicture)
{
    std::vector<D3DCOLOR> mask(64 * 64);
    for (UINT i = 0; i < mask.size(); ++i)
        mask[i] = i / 64 < 48 ? 0xFFFFFFFF : 0x00000000;
    ShowPicture(64, 32, std::vector<D3DCOLOR>(64 * 32, 0xFF000000));
    ASSERT_EQ(context.fitted.top, 16);
    KV_FireFX fire;
    const D3DXVECTOR3 corners[] = {{0, 0, 0}, {0, 32, 0}, {64, 0, 0}, {64, 32, 0}};
    for (size_t k = 0; k < 4; ++k)
        fire.placement.corners[k].SetValue(corners[k]);
    fire.fireDensity.SetValue(150);
    Place(fire, MakeTexture(64, 64, mask));
    DrawFrame(0);
    int litAbove = 0, litBelow = 0;
    for (UINT x = 0; x < 64; ++x) {
        for (UINT y = 34; y < 40; ++y)
            litAbove += Pixel(x, y) != 0;
        for (UINT y = 41; y < 48; ++y)
            litBelow += Pixel(x, y) != 0;
    }
    EXPECT_GT(litAbove, 64);
    EXPECT_EQ(litBelow, 0);
}

TEST_F(EffectPixels, ThePatternShowsInsideTheMask)
{
    StoreGreenPattern();
    ShowPicture(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF808080));
    KV_PatternBrush brush;
    brush.patternLink.SetKey(kPattern);
    Place(brush, LeftMask());
    DrawFrame(0);
    EXPECT_EQ(Pixel(8, 32), 0x00C000u);
    EXPECT_EQ(Pixel(56, 32), kGrey);
}

TEST_F(EffectPixels, TheWaterTakesTheModulesBumpPictureAndNoneWhenItsPictureHasNoFrame)
{
    KV_WaterFX water;
    auto& loaded = static_cast<KV_WaterFX&>(Place(water, nullptr).Effect());
    EXPECT_NE(loaded.bumpTexture.Get(), nullptr);
    KV_WaterFX missing;
    missing.bumpLink.SetKey({L"nowhere.png", 1});
    auto& empty = static_cast<KV_WaterFX&>(Place(missing, nullptr).Effect());
    EXPECT_EQ(empty.bumpTexture.Get(), nullptr);
    EXPECT_NE(empty.effect.Get(), nullptr);
}

// The module's pictures, and none for pictures without frames: the fire's
// pattern and noise, the waterfall's noise.
TEST_F(EffectPixels, PicturesWithoutFramesLeaveTheirTexturesEmpty)
{
    for (const bool found : {true, false}) {
        SCOPED_TRACE(found);
        KV_FireFX fire;
        KV_WaterfallFX waterfall;
        CarryEffect(waterfall, "waterfall.fx");
        waterfall.noiseLink.SetKey({L"common_res.dll", 8});
        if (!found) {
            fire.firePatternLink.SetKey({L"nowhere.png", 1});
            fire.fireNoiseLink.SetKey({L"nowhere.png", 2});
            waterfall.noiseLink.SetKey({L"nowhere.png", 3});
        }
        auto& loadedFire = static_cast<KV_FireFX&>(Place(fire, nullptr).Effect());
        auto& loadedWaterfall = static_cast<KV_WaterfallFX&>(Place(waterfall, nullptr).Effect());
        EXPECT_EQ(loadedFire.firePatternTexture.Get() != nullptr, found);
        EXPECT_EQ(loadedFire.fireNoiseTexture.Get() != nullptr, found);
        EXPECT_EQ(loadedWaterfall.noiseTexture.Get() != nullptr, found);
        EXPECT_NE(loadedFire.effect.Get(), nullptr);
        EXPECT_NE(loadedWaterfall.effect.Get(), nullptr);
    }
}

TEST_F(EffectPixels, TheBlendEffectHasItsFourTechniques)
{
    KV_LightFX_II blend;
    ID3DXEffect* effect = Place(blend, nullptr).Effect().effect.Get();
    ASSERT_NE(effect, nullptr);
    for (const char* technique : {"Blend_Normal", "Blend_Screen", "PS_ColorDodge", "Blend_Sum"})
        EXPECT_EQ(effect->SetTechnique(technique), D3D_OK) << technique;
}

// A document of another tool stores the module effect compiled: the
// module's own effect of that id stands in.
TEST_F(EffectPixels, AStoredEffectThatDoesNotRunGivesWayToTheModulesOwn)
{
    const BYTE compiled[] = {0x01, 0x09, 0xFF, 0xFE, 0, 0, 0, 0};
    KV_WavesFX waves;
    ResourceEntry entry(77, L"common_res.dll");
    entry.SetBytes(sizeof compiled, compiled);
    manager.Tables().entries[waves.effectLink.Key()].push_back(entry);
    ID3DXEffect* effect = Place(waves, nullptr).Effect().effect.Get();
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->SetTechnique("MainFX"), D3D_OK);
    EXPECT_EQ(manager.Tables().entries[waves.effectLink.Key()].size(), 1u);
}

}  // namespace
}  // namespace screenfx_test
