// The pictures of places: layers of sky, land and water.
#include <algorithm>
#include <array>
#include <cmath>

#include "noise.h"
#include "pictures.h"

namespace pictures {
namespace {

// A ridge line: how far down the picture a layer of land begins at u.
float Ridge(float u, float base, float height, float frequency, uint32_t seed) {
    return base - height * Fbm(u * frequency, 0.5f, 5, seed);
}

// A round light of the given radius (in picture heights), with its glow.
Color Sun(Color sky, float dx, float dy, float radius, Color light) {
    const float distance = std::hypot(dx, dy);
    const Color glowing = Add(sky, Scale(light, 0.55f * std::exp(-distance / radius * 0.9f)));
    return Mix(glowing, Rgb(0xFFF6E0), SmoothStep(radius, radius * 0.92f, distance));
}

constexpr float kHorizon = 0.58f;  // the lake's shore line

// Sky and mountains above the lake's shore.
Color MountainView(float u, float v) {
    const Color sky = Mix(Rgb(0x2F63A0), Rgb(0xCFE3F0), Clamp01(v / kHorizon));
    const float cloudiness = SmoothStep(0.55f, 0.78f, Fbm(u * 5.0f, v * 13.0f, 5, 11)) * Clamp01(1.2f - v / kHorizon);
    Color color = Mix(sky, Rgb(0xF4F6F8), 0.85f * cloudiness);

    auto mountains = [](float x) {
        return kHorizon - 0.04f - 0.4f * SmoothStep(0.3f, 0.75f, Fbm(x * 2.5f, 0.5f, 6, 5));
    };
    const float peak = mountains(u);
    if (v > peak) {
        const float depth = Clamp01((v - peak) / (kHorizon - peak + 1e-4f));
        // Slopes that fall to the right face away from the light; the
        // coarse shape decides, so that the shading follows whole faces.
        auto coarse = [](float x) { return Fbm(x * 2.5f, 0.5f, 3, 5); };
        const float slope = coarse(u + 0.004f) - coarse(u - 0.004f);
        const float light = 0.86f + 0.14f * std::tanh(slope * 60.0f);
        const float grain = 0.9f + 0.2f * ValueNoise(u * 80.0f, v * 80.0f, 9);
        const Color rock = Scale(Mix(Rgb(0x5B6573), Rgb(0x2F3F32), depth), light * grain);
        const float snowLine = kHorizon - 0.28f + 0.06f * ValueNoise(u * 30.0f, 3.0f, 7);
        // Rock shows through in gullies that run down the faces.
        const float patches = SmoothStep(0.2f, 0.4f, Fbm(u * 90.0f, v * 12.0f, 2, 8));
        const float snow = SmoothStep(snowLine + 0.03f, snowLine - 0.03f, v) * patches;
        color = Mix(rock, Scale(Rgb(0xEEF2F6), light), snow);
    }
    const float hills = Ridge(u, kHorizon, 0.07f, 7.0f, 13);
    if (v > hills) color = Mix(Rgb(0x1F3324), Rgb(0x2C4A30), ValueNoise(u * 300.0f, v * 300.0f, 17));
    return color;
}

constexpr float kHarbourShore = 0.66f;

// Night sky with scattered stars and a pale moon, dark hills, and the
// harbour town's lit windows along the shore.
Color HarbourView(float u, float v) {
    constexpr float kAspect = 16.0f / 9.0f;
    Color color = Mix(Rgb(0x03061A), Rgb(0x2A3160), std::pow(Clamp01(v / kHarbourShore), 2.2f));
    // One star in a few hundred cells, a point of light at its centre.
    const float cellsAcross = 420.0f, x = u * cellsAcross, y = v * cellsAcross / kAspect;
    const int cx = static_cast<int>(x), cy = static_cast<int>(y);
    if (Hash(cx, cy, 41) > 0.985f) {
        const float dx = x - static_cast<float>(cx) - 0.5f, dy = y - static_cast<float>(cy) - 0.5f;
        const float brightness = 0.4f + 0.6f * Hash(cx, cy, 43);
        color = Add(color, Scale(Rgb(0xDCE4FF), brightness * std::exp(-(dx * dx + dy * dy) * 18.0f)));
    }
    color = Sun(color, (u - 0.16f) * kAspect, v - 0.17f, 0.035f, Rgb(0x8090B8));
    const float far = Ridge(u, kHarbourShore - 0.05f, 0.3f, 1.8f, 47);
    if (v > far) color = Mix(Rgb(0x0E1426), Rgb(0x141B30), ValueNoise(u * 200.0f, v * 200.0f, 53));
    const float near = Ridge(u + 0.3f, kHarbourShore, 0.14f, 3.5f, 49);
    if (v > near) color = Rgb(0x070A12);
    // Windows of the houses along the shore, where the town stands.
    const float town = SmoothStep(0.45f, 0.6f, ValueNoise(u * 7.0f, 0.5f, 57));
    if (v > kHarbourShore - 0.035f && v > near) {
        const int column = static_cast<int>(u * 420.0f), row = static_cast<int>((v - kHarbourShore) * 1100.0f);
        if (Hash(column, row, 59) > 1.0f - 0.2f * town)
            color = Mix(Rgb(0xFFB85A), Rgb(0xFFE6A8), Hash(column, row, 61));
    }
    return color;
}

}  // namespace

Color NightHarbour(float u, float v) {
    if (v < kHarbourShore) return HarbourView(u, v);
    // The water mirrors the night; its ripples stretch the town's lights
    // into streaks and break them up.
    const float nearness = (v - kHarbourShore) / (1.0f - kHarbourShore);
    const float waver = 0.006f * (0.3f + nearness) * (ValueNoise(u * 9.0f, v * 300.0f, 67) - 0.5f);
    const Color mirrored = HarbourView(u + waver, kHarbourShore - (v - kHarbourShore) * 0.1f);
    const float ripples = SmoothStep(0.35f, 0.65f, ValueNoise(u * 60.0f, v * 500.0f, 71));
    const Color water = Mix(Scale(mirrored, 0.35f + 0.5f * ripples), Rgb(0x04070F), 0.3f + 0.55f * nearness);
    return Mix(Rgb(0x05070E), water, SmoothStep(0.0f, 0.004f, v - kHarbourShore));
}

Color DawnHills(float u, float v) {
    constexpr float kAspect = 4.0f / 3.0f;
    Color color = Mix(Rgb(0x1C2A5A), Rgb(0xF2B880), std::pow(Clamp01(v / 0.72f), 1.6f));
    color = Sun(color, (u - 0.68f) * kAspect, v - 0.5f, 0.05f, Rgb(0xFFC890));
    constexpr std::array<uint32_t, 4> kLayers = {0x8A7FA8, 0x6A7396, 0x456A55, 0x2C4A32};
    for (std::size_t layer = 0; layer < kLayers.size(); ++layer) {
        const float k = static_cast<float>(layer);
        const float ridge = Ridge(u + 0.37f * k, 0.66f + 0.08f * k, 0.16f, 1.5f + k, 23 + static_cast<uint32_t>(layer));
        if (v > ridge) color = Scale(Rgb(kLayers[layer]), 1.0f - 0.3f * (v - ridge));
    }
    return color;
}

Color MountainLake(float u, float v) {
    if (v < kHorizon) return MountainView(u, v);
    // The water mirrors the view, wavering more towards the viewer.
    const float nearness = (v - kHorizon) / (1.0f - kHorizon);
    const float waver = 0.012f * nearness * (ValueNoise(u * 6.0f, v * 260.0f, 31) - 0.5f);
    const Color mirrored = MountainView(u + waver, std::max(2.0f * kHorizon - v, 0.0f));
    const Color water = Mix(mirrored, Rgb(0x163346), 0.3f + 0.45f * nearness);
    return Mix(Rgb(0x141D14), water, SmoothStep(0.0f, 0.006f, v - kHorizon));
}

Color DesertDunes(float u, float v) {
    constexpr float kAspect = 2.0f;
    constexpr float kSkyEnd = 0.6f;
    const Color horizon = Rgb(0xF6C177);
    Color color = Mix(Rgb(0x4B3D7A), horizon, std::pow(Clamp01(v / kSkyEnd), 1.4f));
    color = Sun(color, (u - 0.24f) * kAspect, v - 0.44f, 0.07f, Rgb(0xFFB870));
    for (int layer = 0; layer < 3; ++layer) {
        const float k = static_cast<float>(layer);
        auto crest = [&](float x) {
            return 0.5f + 0.13f * k + 0.05f * std::sin(x * (5.0f + 3.0f * k) + k) +
                   0.04f * Fbm(x * 4.0f, k, 4, 61 + static_cast<uint32_t>(layer));
        };
        const float top = crest(u);
        if (v < top) continue;
        // The side facing the sun is lit, the far side in shadow.
        const float slope = crest(u + 0.003f) - crest(u - 0.003f);
        Color sand = Mix(Rgb(0xB4612F), Rgb(0xF0B86E), 0.5f + 0.5f * std::tanh(-slope * 80.0f));
        sand = Scale(sand, 1.0f - 0.35f * (v - top));
        const float ripples = 0.94f + 0.06f * std::sin(v * 260.0f + u * 40.0f + 8.0f * std::sin(u * 10.0f));
        color = Mix(Scale(sand, ripples), horizon, (2.0f - k) * 0.22f);
    }
    return color;
}

Color BirchForest(float u, float v) {
    Color color = Mix(Rgb(0xE2ECD6), Rgb(0x5E7F4A), std::pow(v, 1.3f));
    constexpr int kTrunks = 14;
    // Far trunks first, so that near ones cover them.
    std::array<int, kTrunks> order{};
    for (int i = 0; i < kTrunks; ++i) order[static_cast<std::size_t>(i)] = i;
    std::sort(order.begin(), order.end(), [](int a, int b) { return Hash(a, 2, 3) < Hash(b, 2, 3); });
    for (int trunk : order) {
        const float nearness = Hash(trunk, 2, 3);
        const float halfWidth = 0.008f + 0.03f * nearness;
        const float across = (u - Hash(trunk, 0, 3)) / halfWidth;
        if (std::fabs(across) >= 1.0f) continue;
        const float light = 0.6f + 0.35f * std::sqrt(1.0f - across * across) - 0.15f * across;
        const float markNoise = ValueNoise(across * 1.5f + static_cast<float>(trunk) * 13.0f, v * 0.9f / halfWidth, 21);
        const bool marked = markNoise > 0.7f;
        const Color bark = Scale(marked ? Rgb(0x2B2A28) : Rgb(0xECE8DE), light);
        const float edge = SmoothStep(1.0f, 0.85f, std::fabs(across));
        color = Mix(color, Mix(bark, color, (1.0f - nearness) * 0.55f), edge);
    }
    const float leaves = 0.1f + 0.07f * Fbm(u * 8.0f, 0.3f, 4, 71);
    if (v < leaves) color = Mix(Rgb(0x7FA84E), Rgb(0xC9DB7F), Fbm(u * 40.0f, v * 40.0f, 4, 73));
    const float ground = 0.86f + 0.02f * std::sin(u * 9.0f);
    if (v > ground) color = Mix(Rgb(0x3E5C2A), Rgb(0x7A9A3E), ValueNoise(u * 220.0f, v * 50.0f, 79));
    return color;
}

}  // namespace pictures
