#include "garden_pictures.h"

#include <array>
#include <cmath>

#include "dds_painter.h"

namespace sample_garden {
namespace {

using sample_pictures::Clamp01;
using sample_pictures::Disc;
using sample_pictures::kClear;
using sample_pictures::PaintDds;
using sample_pictures::Rgba;

constexpr float kPi = 3.1415927f;

// In a picture twice as tall as wide, y runs from 0 to 2.
Rgba SunflowerPainter(float u, float v)
{
    const float y = v * 2.0f;
    const float dx = u - 0.5f, dy = y - 0.42f;
    const float r = std::hypot(dx, dy);
    const float angle = std::atan2(dy, dx);
    if (r < 0.15f) {
        const float seeds = 0.8f + 0.2f * std::sin(angle * 13.0f + r * 90.0f);
        return {0.35f * seeds, 0.2f * seeds, 0.08f, 1};
    }
    if (r < 0.15f + 0.17f * (0.6f + 0.4f * std::fabs(std::cos(angle * 7.0f))))
        return {1.0f, 0.78f - 0.25f * (r - 0.15f) * 4.0f, 0.1f, 1};
    const float stem = 0.5f + 0.03f * std::sin(y * 3.0f);
    if (y > 0.55f && std::fabs(u - stem) < 0.035f)
        return {0.25f, 0.5f, 0.15f, 1};
    // Two leaves on either side of the stem.
    for (const auto& [cu, cy, tilt] : {std::array<float, 3>{0.32f, 1.1f, 0.5f}, {0.68f, 1.4f, -0.5f}}) {
        const float lx = u - cu, ly = y - cy;
        const float along = lx * std::cos(tilt) - ly * std::sin(tilt), across = lx * std::sin(tilt) + ly * std::cos(tilt);
        if (Disc(along, across, 0, 0, 0.2f, 0.07f) < 1)
            return {0.2f + 0.1f * across * 10, 0.55f, 0.15f, 1};
    }
    return kClear;
}

Rgba SunRayPainter(float u, float v)
{
    const float across = 1.0f - std::fabs(v - 0.5f) * 2.0f;
    return {1.0f, 0.93f, 0.7f, std::pow(1.0f - u, 0.7f) * across};
}

Rgba SmokePainter(float u, float v)
{
    const float angle = std::atan2(v - 0.5f, u - 0.5f);
    const float rim = 0.42f + 0.05f * std::sin(angle * 5.0f) + 0.03f * std::sin(angle * 11.0f + 1.0f);
    const float d = std::hypot(u - 0.5f, v - 0.5f) / rim;
    const float grey = 0.85f + 0.1f * std::cos(angle * 3.0f) * d;
    return {grey, grey, grey, 0.8f * Clamp01(1.0f - d * d)};
}

Rgba ButterflyPainter(float u, float v, float open)
{
    // The body along the way it flies, the head to the right.
    if (Disc(u, v, 0.5f, 0.5f, 0.2f, 0.045f) < 1 || Disc(u, v, 0.72f, 0.5f, 0.05f, 0.05f) < 1)
        return {0.12f, 0.1f, 0.08f, 1};
    // Wings above and below the body, spread as far as they are open.
    const float spread = 0.05f + 0.4f * open;
    for (const float side : {-1.0f, 1.0f}) {
        for (const auto& [cu, size] : {std::array<float, 2>{0.56f, 1.0f}, {0.38f, 0.75f}}) {
            const float d = Disc(u, v, cu, 0.5f + side * spread * 0.55f * size, 0.17f * size, spread * 0.5f * size);
            if (d < 1) {
                const float dot = Disc(u, v, cu, 0.5f + side * spread * 0.7f * size, 0.04f, 0.04f) < 1 ? 0.0f : 1.0f;
                const float edge = d > 0.7f ? 0.15f : 1.0f;
                return {0.98f * edge * dot, 0.55f * edge * dot, 0.1f * edge * dot, 1};
            }
        }
    }
    return kClear;
}

// y runs from 0 to 1.5 down the picture; the wheel turns about (0.5, 0.5).
Rgba PinwheelPainter(float u, float v, float turn)
{
    const float y = v * 1.5f;
    const float dx = u - 0.5f, dy = y - 0.5f;
    const float r = std::hypot(dx, dy);
    if (r < 0.05f)
        return {0.95f, 0.95f, 0.9f, 1};
    constexpr Rgba kBlades[] = {{0.9f, 0.2f, 0.2f, 1}, {0.98f, 0.8f, 0.15f, 1}, {0.2f, 0.45f, 0.9f, 1},
                                {0.25f, 0.75f, 0.3f, 1}};
    const float angle = std::atan2(dy, dx) - turn;
    const float sector = std::fmod(angle + 4 * kPi, kPi / 2) / (kPi / 2);
    // Each blade widens from the hub and curls back at its tip.
    if (r < 0.45f && sector < 0.25f + 0.6f * r) {
        const int blade = static_cast<int>(std::floor((angle + 4 * kPi) / (kPi / 2))) % 4;
        const Rgba c = kBlades[blade];
        const float shade = 0.75f + 0.25f * sector;
        return {c.r * shade, c.g * shade, c.b * shade, 1};
    }
    if (y > 0.5f && std::fabs(u - 0.5f) < 0.03f)
        return {0.55f, 0.4f, 0.25f, 1};
    return kClear;
}

Rgba BeePainter(float u, float v, bool wingsUp)
{
    const float wingV = wingsUp ? 0.25f : 0.33f;
    for (const float side : {-1.0f, 1.0f})
        if (Disc(u, v, 0.48f, 0.5f + side * (0.5f - wingV), 0.14f, 0.12f) < 1 && Disc(u, v, 0.5f, 0.5f, 0.3f, 0.14f) >= 1)
            return {0.9f, 0.95f, 1.0f, 0.6f};
    if (Disc(u, v, 0.78f, 0.5f, 0.09f, 0.09f) < 1)
        return {0.1f, 0.08f, 0.05f, 1};
    if (Disc(u, v, 0.48f, 0.5f, 0.3f, 0.16f) < 1) {
        const bool stripe = std::sin(u * 40.0f) > 0.3f;
        return stripe ? Rgba{0.1f, 0.08f, 0.05f, 1} : Rgba{0.98f, 0.78f, 0.1f, 1};
    }
    return kClear;
}

}  // namespace

std::vector<BYTE> Sunflower() { return PaintDds(128, 256, SunflowerPainter); }
std::vector<BYTE> SunRay() { return PaintDds(128, 32, SunRayPainter); }
std::vector<BYTE> SmokePuff() { return PaintDds(64, 64, SmokePainter); }

std::vector<BYTE> ButterflyFrame(int frame, int frames)
{
    const float open = std::fabs(std::cos(kPi * static_cast<float>(frame) / static_cast<float>(frames)));
    return PaintDds(64, 64, [open](float u, float v) { return ButterflyPainter(u, v, open); });
}

std::vector<BYTE> PinwheelFrame(int frame, int frames)
{
    const float turn = 2 * kPi * static_cast<float>(frame) / static_cast<float>(frames);
    return PaintDds(64, 96, [turn](float u, float v) { return PinwheelPainter(u, v, turn); });
}

std::vector<BYTE> BeeFrame(int frame)
{
    return PaintDds(32, 32, [frame](float u, float v) { return BeePainter(u, v, frame == 0); });
}

}  // namespace sample_garden
