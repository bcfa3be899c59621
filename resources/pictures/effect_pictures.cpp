// The pictures the flame layer and the fire, cloud and waterfall effects
// sample: flame shapes, a tileable noise and a tileable bump map.
#include <array>
#include <cmath>
#include <numbers>

#include "noise.h"
#include "pictures.h"

namespace pictures {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// How far up the flames reach at u, from 0.45 to 1 of the height, in
// tongues that repeat across the picture.
float TongueHeight(float u) {
    const float big = std::pow(std::fabs(std::cos(kPi * 5.0f * u)), 3.0f);
    const float small = std::pow(std::fabs(std::cos(kPi * 8.0f * u + 0.9f)), 4.0f);
    return 0.45f + 0.4f * big + 0.15f * small;
}

// 0 at a flame's edge to 1 at its base (the bottom), below 0 outside it.
float FlameDepth(float u, float v) {
    const float edge = 1.0f - TongueHeight(u);
    return (v - edge) / (1.0f - edge);
}

}  // namespace

Color FlamePattern(float u, float v) {
    const float depth = FlameDepth(u, v) + 0.12f * (PeriodicFbm(u * 8.0f, v * 4.0f, 3, 8, 61) - 0.5f);
    if (depth <= 0.0f) return {0.0f, 0.0f, 0.0f, 0.0f};
    const Color tip = Rgb(0xD8380C), middle = Rgb(0xFF8C1A), base = Rgb(0xFFF0A0);
    Color colour = depth < 0.5f ? Mix(tip, middle, depth * 2.0f) : Mix(middle, base, (depth - 0.5f) * 2.0f);
    colour.a = SmoothStep(0.0f, 0.3f, depth);
    return colour;
}

Color FirePattern(float u, float v) {
    const float depth = FlameDepth(u, v);
    const float shade = SmoothStep(0.0f, 0.35f, depth) * (0.35f + 0.65f * Clamp01(depth));
    return {shade, shade, shade};
}

Color TileableNoise(float u, float v) {
    const float n = PeriodicFbm(u * 8.0f, v * 8.0f, 5, 8, 67);
    const float stretched = Clamp01((n - 0.5f) * 1.8f + 0.5f);
    return {stretched, stretched, stretched};
}

Color DistortionBump(float u, float v) {
    struct Wave {
        float kx, ky, phase;
    };
    // Whole periods across the picture keep it tileable.
    constexpr std::array<Wave, 3> kAcross = {{{24, 5, 0.0f}, {-9, 31, 1.7f}, {17, -13, 3.1f}}};
    constexpr std::array<Wave, 3> kDown = {{{7, 27, 0.4f}, {29, -6, 2.2f}, {-14, 19, 5.0f}}};
    auto sum = [&](const std::array<Wave, 3>& waves) {
        float total = 0.0f;
        for (const Wave& wave : waves) total += std::sin(2.0f * kPi * (wave.kx * u + wave.ky * v) + wave.phase);
        return total / static_cast<float>(waves.size());
    };
    // Signed offsets around 0.5 in red and green.
    return {0.5f + 0.5f * sum(kAcross), 0.5f + 0.5f * sum(kDown), 0.5f};
}

}  // namespace pictures
