// The pictures with transparency that layers draw over the scene: the
// glyph strip and the glass ball's highlights and stand.
#include <algorithm>
#include <cmath>

#include "noise.h"
#include "pictures.h"

namespace pictures {
namespace {

constexpr int kGlyphs = 16;
constexpr int kDotColumns = 5, kDotRows = 7;

Color White(float alpha) { return {1.0f, 1.0f, 1.0f, Clamp01(alpha)}; }

float Gaussian(float dx, float dy, float spread) { return std::exp(-(dx * dx + dy * dy) / (2.0f * spread * spread)); }

}  // namespace

Color GlyphStrip(float u, float v) {
    const int glyph = std::min(static_cast<int>(v * kGlyphs), kGlyphs - 1);
    const float x = (u - 0.15f) / 0.7f * kDotColumns;
    const float y = (Fraction(v * kGlyphs) - 0.1f) / 0.8f * kDotRows;
    if (x < 0.0f || y < 0.0f || x >= kDotColumns || y >= kDotRows) return White(0.0f);
    const int column = static_cast<int>(x), row = static_cast<int>(y);
    // Each glyph a different pattern of dots, mirrored about its middle
    // column half the time, so that it reads as a sign.
    const int mirrored = glyph % 2 == 0 ? std::min(column, kDotColumns - 1 - column) : column;
    if (Hash(mirrored, row, 17u + static_cast<uint32_t>(glyph)) < 0.55f) return White(0.0f);
    const float dx = Fraction(x) - 0.5f, dy = Fraction(y) - 0.5f;
    return White(1.0f - SmoothStep(0.32f, 0.5f, std::max(std::fabs(dx), std::fabs(dy))));
}

Color BallHighlight(float u, float v) {
    const float spot = 0.85f * Gaussian(u - 0.34f, v - 0.28f, 0.07f);
    const float r = std::hypot(u - 0.5f, v - 0.5f);
    const float rim = 0.35f * SmoothStep(0.40f, 0.485f, r) * (1.0f - SmoothStep(0.485f, 0.496f, r));
    return White(spot + rim);
}

Color BallGlint(float u, float v) {
    const float dx = u - 0.68f, dy = v - 0.72f;
    const float star = Gaussian(dx, dy, 0.018f) +
                       0.5f * (std::exp(-std::fabs(dx) / 0.006f) * std::exp(-std::fabs(dy) / 0.09f) +
                               std::exp(-std::fabs(dy) / 0.006f) * std::exp(-std::fabs(dx) / 0.09f));
    return {0.85f, 0.93f, 1.0f, Clamp01(star)};
}

Color BallStand(float u, float v) {
    // A bronze foot, wider at the bottom, with a cradle cut out for the ball.
    const float halfWidth = 0.28f + 0.2f * v;
    const float side = SmoothStep(halfWidth, halfWidth - 0.01f, std::fabs(u - 0.5f));
    const float cradle = SmoothStep(0.62f, 0.64f, std::hypot((u - 0.5f) * 2.0f, v + 0.35f));
    const float bottom = SmoothStep(1.0f, 0.97f, v);
    const float light = 0.55f + 0.45f * std::cos((u - 0.42f) * 5.0f) - 0.25f * v;
    const Color bronze = Scale(Rgb(0x9C6B30), std::max(light, 0.2f));
    const Color grain = Scale(bronze, 0.85f + 0.3f * Fbm(u * 18.0f, v * 6.0f, 3, 41u));
    return {grain.r, grain.g, grain.b, side * cradle * bottom};
}

}  // namespace pictures
