#include "sprite_pictures.h"

#include <algorithm>
#include <cmath>

#include "dds_painter.h"

namespace sample_sprites {
namespace {

using sample_pictures::Clamp01;
using sample_pictures::Disc;
using sample_pictures::PaintDds;
using sample_pictures::Rgba;

Rgba FishPainter(float u, float v)
{
    // Body facing right, tail on the left, one dark eye.
    if (Disc(u, v, 0.78f, 0.45f, 0.03f, 0.07f) < 1)
        return {0.05f, 0.05f, 0.1f, 1};
    if (Disc(u, v, 0.58f, 0.5f, 0.36f, 0.34f) < 1) {
        const float stripe = std::fabs(std::sin(u * 18.0f)) > 0.85f ? 0.7f : 1.0f;
        return {1.0f * stripe, 0.55f * stripe, 0.1f, 1};
    }
    const float tail = 0.3f - u;
    if (u < 0.3f && std::fabs(v - 0.5f) < tail * 1.4f + 0.02f)
        return {0.95f, 0.4f, 0.1f, 1};
    return {0, 0, 0, 0};
}

Rgba RaindropPainter(float u, float v)
{
    // A falling streak, brightest at its lower end.
    const float across = 1.0f - std::fabs(u - 0.5f) * 2.0f;
    return {0.85f, 0.92f, 1.0f, Clamp01(across * 1.5f) * (0.3f + 0.7f * v)};
}

Rgba RayPainter(float u, float v)
{
    const float across = 1.0f - std::fabs(u - 0.5f) * 2.0f;
    return {1.0f, 0.95f, 0.75f, across * across * (0.25f + 0.35f * (1.0f - v))};
}

Rgba SparklePainter(float u, float v)
{
    const float du = std::fabs(u - 0.5f) * 2.0f, dv = std::fabs(v - 0.5f) * 2.0f;
    const float star = Clamp01(1.0f - du * dv * 12.0f - (du + dv) * 0.6f);
    return {1.0f, 1.0f, 0.9f, star};
}

Rgba GrassPainter(float u, float v)
{
    // Tapered to a point at the top, darker at the root.
    const float half = 0.5f * v;
    if (std::fabs(u - 0.5f) > half)
        return {0, 0, 0, 0};
    return {0.2f + 0.2f * (1 - v), 0.45f + 0.35f * (1 - v), 0.12f, 1};
}

Rgba FlowerPainter(float u, float v)
{
    if (Disc(u, v, 0.5f, 0.22f, 0.12f, 0.06f) < 1)
        return {1.0f, 0.85f, 0.2f, 1};
    for (int petal = 0; petal < 5; ++petal) {
        const float angle = petal * 1.2566371f;
        if (Disc(u, v, 0.5f + 0.26f * std::cos(angle), 0.22f + 0.13f * std::sin(angle), 0.17f, 0.085f) < 1)
            return {0.85f, 0.25f, 0.55f, 1};
    }
    if (std::fabs(u - 0.5f) < 0.05f && v > 0.3f)
        return {0.2f, 0.55f, 0.2f, 1};
    return {0, 0, 0, 0};
}

Rgba LeafPainter(float u, float v)
{
    // A maple-ish leaf: a disc with a notched rim and a vein.
    const float angle = std::atan2(v - 0.5f, u - 0.5f);
    const float radius = 0.36f + 0.08f * std::cos(angle * 5.0f);
    const float du = u - 0.5f, dv = v - 0.5f;
    if (du * du + dv * dv > radius * radius)
        return {0, 0, 0, 0};
    if (std::fabs(du) < 0.02f)
        return {0.55f, 0.25f, 0.05f, 1};
    return {0.9f, 0.45f - 0.3f * v, 0.08f, 1};
}

Rgba DischargePainter(float u, float v)
{
    // Frame f of four: a zig-zag bolt whose kinks move from frame to frame,
    // fading out towards the frame's ends.
    const float frame = std::floor(u * 4.0f);
    const float x = u * 4.0f - frame;
    const float phase = frame * 1.7f;
    const float ends = std::sin(x * 3.1415927f);
    const float path = 0.5f + 0.28f * std::sin(x * 11.0f + phase) * ends;
    const float distance = std::fabs(v - path);
    const float core = Clamp01(1.0f - distance * 22.0f);
    const float glow = Clamp01(1.0f - distance * 6.0f) * 0.45f;
    return {0.7f + 0.3f * core, 0.8f + 0.2f * core, 1.0f, std::max(core, glow) * Clamp01(ends * 3.0f)};
}

Rgba OrbPainter(float u, float v, float radius)
{
    const float d = std::sqrt(Disc(u, v, 0.5f, 0.5f, radius, radius));
    return {1.0f, 0.75f, 0.35f, Clamp01(1.0f - d)};
}

Rgba HaloPainter(float u, float v)
{
    const float d = std::sqrt(Disc(u, v, 0.5f, 0.5f, 0.5f, 0.5f));
    return {0.6f, 0.9f, 1.0f, Clamp01(1.0f - std::fabs(d - 0.7f) * 6.0f)};
}

// Cool to hot from left to right: deep red through orange to a pale
// yellow, faint where it is coolest.
Rgba FireGradientPainter(float u, float)
{
    const float r = Clamp01(u * 2.2f), g = Clamp01(u * 1.3f - 0.3f), b = 0.55f * Clamp01(u * 2.5f - 1.6f);
    return {0.25f + 0.75f * r, g, b, Clamp01(u * 5.0f)};
}

// Waves of whole numbers of periods across the picture: it tiles.
Rgba FireNoisePainter(float u, float v)
{
    constexpr float kTurn = 6.2831853f;
    const struct {
        float fu, fv, phase, weight;
    } waves[] = {{1, 2, 0.3f, 0.3f}, {3, -1, 1.7f, 0.22f}, {-2, 5, 4.1f, 0.16f}, {7, 4, 2.2f, 0.12f},
                 {-9, 6, 0.9f, 0.1f}, {5, -11, 5.3f, 0.1f}};
    float n = 0.5f;
    for (const auto& w : waves)
        n += 0.5f * w.weight * std::sin(kTurn * (w.fu * u + w.fv * v) + w.phase);
    return {Clamp01(n), Clamp01(n), Clamp01(n), 1.0f};
}

}  // namespace

std::vector<BYTE> Fish() { return PaintDds(64, 32, FishPainter); }
std::vector<BYTE> Raindrop() { return PaintDds(4, 32, RaindropPainter); }
std::vector<BYTE> Ray() { return PaintDds(32, 64, RayPainter); }
std::vector<BYTE> Sparkle() { return PaintDds(32, 32, SparklePainter); }
std::vector<BYTE> GrassBlade() { return PaintDds(16, 64, GrassPainter); }
std::vector<BYTE> Flower() { return PaintDds(32, 64, FlowerPainter); }
std::vector<BYTE> Leaf() { return PaintDds(64, 64, LeafPainter); }
std::vector<BYTE> DischargeStrip() { return PaintDds(256, 64, DischargePainter); }

std::vector<BYTE> OrbFrame(int frame, int frames)
{
    const float radius = 0.25f + 0.2f * static_cast<float>(frame) / static_cast<float>(std::max(frames - 1, 1));
    return PaintDds(32, 32, [radius](float u, float v) { return OrbPainter(u, v, radius); });
}

std::vector<BYTE> Halo() { return PaintDds(32, 32, HaloPainter); }
std::vector<BYTE> FireGradient() { return PaintDds(256, 4, FireGradientPainter); }
std::vector<BYTE> FireNoise() { return PaintDds(128, 128, FireNoisePainter); }

}  // namespace sample_sprites
