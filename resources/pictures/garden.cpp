// The cottage garden: a summer sky with the sun high on the left, a row of
// trees, a cottage with a chimney on the right, a mown lawn and a flower
// border along the front.
#include <cmath>

#include "noise.h"
#include "pictures.h"

namespace pictures {
namespace {

constexpr float kAspect = 16.0f / 9.0f;
constexpr float kTreeLine = 0.5f;  // where the lawn meets the trees

Color Sky(float u, float v) {
    Color sky = Mix(Rgb(0x5F9BD6), Rgb(0xDCEEF8), Clamp01(v / kTreeLine));
    const float cloud = SmoothStep(0.58f, 0.8f, Fbm(u * 4.0f, v * 9.0f, 5, 41));
    sky = Mix(sky, Rgb(0xFAFBFC), 0.8f * cloud);
    // The sun at (0.12, 0.12), which the rays of the slide fan out from.
    const float distance = std::hypot((u - 0.12f) * kAspect, v - 0.12f);
    sky = Add(sky, Scale(Rgb(0xFFE9B0), 0.6f * std::exp(-distance * 9.0f)));
    return Mix(sky, Rgb(0xFFFBEA), SmoothStep(0.045f, 0.04f, distance));
}

// Round crowns of trees along the back of the garden.
Color Trees(Color behind, float u, float v) {
    const float top = kTreeLine - 0.1f - 0.06f * std::fabs(std::sin(u * 23.0f)) - 0.05f * Fbm(u * 6.0f, 0.2f, 4, 43);
    if (v < top) return behind;
    const float shade = 0.75f + 0.35f * Fbm(u * 40.0f, v * 40.0f, 4, 47);
    return Scale(Mix(Rgb(0x3F6B35), Rgb(0x25452A), Clamp01((v - top) / 0.12f)), shade);
}

// The cottage: cream walls, a red roof, a chimney whose top is at
// (0.805, 0.19), a window and a door.
Color Cottage(Color behind, float u, float v) {
    const bool chimney = u > 0.79f && u < 0.82f && v > 0.19f && v < 0.3f;
    if (chimney) return Scale(Rgb(0x8A4A3A), 0.9f + 0.1f * std::sin(v * 300.0f));
    const float roofHalf = (v - 0.22f) * 1.2f;
    const bool roof = v > 0.22f && v < 0.34f && std::fabs(u - 0.76f) < roofHalf;
    if (roof) return Scale(Rgb(0xA8452E), 0.85f + 0.15f * std::fabs(std::sin(u * 180.0f)));
    const bool wall = u > 0.66f && u < 0.86f && v >= 0.34f && v < 0.56f;
    if (!wall) return behind;
    const bool window = u > 0.69f && u < 0.74f && v > 0.38f && v < 0.45f;
    if (window) return Mix(Rgb(0x9BC3DA), Rgb(0x3C5870), std::fabs(u - 0.715f) * 20.0f);
    const bool door = u > 0.79f && u < 0.83f && v > 0.44f;
    if (door) return Rgb(0x4E6B3C);
    return Scale(Rgb(0xEBDCB8), 0.92f + 0.08f * ValueNoise(u * 200.0f, v * 200.0f, 53));
}

Color Lawn(float u, float v) {
    const float depth = (v - kTreeLine) / (1.0f - kTreeLine);
    // Mowing stripes that widen towards the viewer.
    const float stripe = std::sin((u - 0.5f) / (0.25f + depth) * 30.0f) > 0.0f ? 1.0f : 0.9f;
    const float grain = 0.92f + 0.16f * ValueNoise(u * 400.0f, v * 150.0f, 59);
    return Scale(Mix(Rgb(0x7DAF4A), Rgb(0x4F8A30), depth), stripe * grain);
}

// Flowers of five colours dotted over dark leaves along the front.
Color Border(Color lawn, float u, float v) {
    const float edge = 0.84f + 0.02f * std::sin(u * 17.0f);
    if (v < edge) return lawn;
    Color color = Scale(Rgb(0x2F5A28), 0.8f + 0.3f * Fbm(u * 60.0f, v * 30.0f, 3, 61));
    constexpr uint32_t kFlowers[] = {0xE8423C, 0xF2C230, 0xF4F0E8, 0xB04FC8, 0xF08A2A};
    const float cellU = u * 90.0f, cellV = v * 28.0f;
    const int cx = static_cast<int>(std::floor(cellU)), cy = static_cast<int>(std::floor(cellV));
    const float fx = cellU - static_cast<float>(cx) - 0.5f, fy = cellV - static_cast<float>(cy) - 0.5f;
    if (Hash(cx, cy, 67) > 0.35f && fx * fx + fy * fy * 3.0f < 0.09f)
        color = Rgb(kFlowers[static_cast<int>(Hash(cx, cy, 71) * 5.0f) % 5]);
    return color;
}

}  // namespace

Color CottageGarden(float u, float v) {
    if (v >= kTreeLine) return Border(Lawn(u, v), u, v);
    return Cottage(Trees(Sky(u, v), u, v), u, v);
}

}  // namespace pictures
