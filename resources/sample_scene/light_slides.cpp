// Slides whose background layers draw whole-scene effects.
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "effects/lights/fake_lake_2d.h"
#include "effects/lights/fake_undervater.h"
#include "effects/lights/flame_light.h"
#include "effects/lights/glass_ball_light.h"
#include "effects/lights/matrix_code_light.h"
#include "effects/lights/water_ring_light.h"
#include "effects/screenfx/expand_fx.h"
#include "masks.h"
#include "resources/resource.h"
#include "sample_slides.h"
#include "scene/resources/kv_docresmanager.h"
#include "slide_setup.h"

namespace {

constexpr SlideTiming kEffectTiming{2, 8, 2};
constexpr CameraSetup kStill{false, 100, 50};

template <class Layer>
Layer& AddEffectSlide(SampleScene& scene, const CameraSetup& camera = kStill) {
    auto layer = std::make_unique<Layer>();
    Layer& added = *layer;
    AddSlide(scene, kEffectTiming, camera, std::move(layer));
    return added;
}

void PutLe(std::vector<BYTE>& bytes, DWORD value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// The water's ripples as an uncompressed 24-bit bitmap: the red and green
// channels are the offsets the bump stage reads.
std::vector<BYTE> RippleNormalMap() {
    constexpr int kSide = 64;
    constexpr float kTurn = 2.0f * std::numbers::pi_v<float> / kSide;
    std::vector<BYTE> bytes;
    const DWORD pixelBytes = kSide * kSide * 3;
    bytes.push_back('B');
    bytes.push_back('M');
    PutLe(bytes, 54 + pixelBytes, 4);
    PutLe(bytes, 0, 4);
    PutLe(bytes, 54, 4);
    PutLe(bytes, 40, 4);
    PutLe(bytes, kSide, 4);
    PutLe(bytes, kSide, 4);
    PutLe(bytes, 1, 2);
    PutLe(bytes, 24, 2);
    for (int i = 0; i < 6; ++i) PutLe(bytes, 0, 4);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const float du = 0.5f + 0.5f * std::sin(kTurn * (2 * x + y));
            const float dv = 0.5f + 0.5f * std::sin(kTurn * (3 * y - x));
            bytes.push_back(0);
            bytes.push_back(static_cast<BYTE>(dv * 255.0f));
            bytes.push_back(static_cast<BYTE>(du * 255.0f));
        }
    }
    return bytes;
}

}  // namespace

void AddGlassBallSlide(SampleScene& scene) {
    auto& ball = AddEffectSlide<KV_GlassBallLight>(scene);
    ball.pictureLink.SetKey(KV_FileLink3::FromResource(IDR_PICTURE_MOUNTAIN_LAKE, L"").Key());
    ball.gradientTop.SetValue(0x402010);     // dark blue
    ball.gradientBottom.SetValue(0xC09060);  // pale blue
    ball.lensStrength.SetValue(40);
}

void AddGlyphColumnsSlide(SampleScene& scene) {
    auto& glyphs = AddEffectSlide<KV_MatrixCodeLight>(scene);
    glyphs.pictureLink.SetKey(KV_FileLink3::FromResource(IDR_PICTURE_BIRCH_FOREST, L"").Key());
    glyphs.glyphColour.SetValue(0x40FF40);  // green
    glyphs.highlightColour.SetValue(0xE0FFE0);
    glyphs.backgroundMode.SetValue(1);      // over black, brighter where the picture is
    glyphs.density.SetValue(40);
    glyphs.glints.SetValue(1);
}

void AddLakeSlide(SampleScene& scene) {
    // The default picture, hills, above the water.
    auto& lake = AddEffectSlide<FakeLake2D>(scene);
    const std::vector<BYTE> normals = RippleNormalMap();
    EmbeddedFile& stored = scene.manager.Tables().guidImages[lake.normalMapKey];
    stored.Assign(L"lake_ripples.bmp", static_cast<DWORD>(normals.size()), normals.data());
}

void AddWaterRingsSlide(SampleScene& scene) {
    auto& rings = AddEffectSlide<KV_WaterRingLight>(scene);
    rings.pictureLink.SetKey(KV_FileLink3::FromResource(IDR_PICTURE_ROSE_WINDOW, L"").Key());
    rings.dropsPerSecond.SetValue(90);  // a drop every two thirds of a second
    rings.dropSize.SetValue(100);
    rings.refractionDepth.SetValue(80);
}

// The default picture, hills, with the sun swelling and shrinking: the
// layer distorts it with the rest of the frame.
void AddFlameSlide(SampleScene& scene) {
    auto flames = std::make_unique<KV_FlameLight>();
    flames->flameDrop.SetValue(20);  // the flames rise from the nearer hills, below the sun
    KV_SlideContainer& slide = AddSlide(scene, kEffectTiming, kStill, std::move(flames));
    auto sun = std::make_unique<KV_ExpandFX>();
    sun->centre.SetValue(D3DXVECTOR3(696, 384, 0));
    sun->expandAmount.SetValue(30);
    sun->contractAmount.SetValue(10);
    sun->expandMode.SetValue(1);
    StoreMask(scene.manager, sun->maskKey, [](float u, float v) { return SoftEllipse(u, v, 0.68f, 0.5f, 0.08f, 0.1f); });
    slide.drawnDescriptions.push_back(std::move(sun));
}

void AddUnderwaterSlide(SampleScene& scene) {
    auto& water = AddEffectSlide<FakeUndervater>(scene);
    water.pictureLink.SetKey(KV_FileLink3::FromResource(IDR_PICTURE_TILE_MOSAIC, L"").Key());
    water.effect.wobbleAmplitude.SetValue(120);
}
