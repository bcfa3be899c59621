// The pictures made of repeating figures.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "noise.h"
#include "pictures.h"

namespace pictures {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;

struct Polar {
    float radius;
    float angle;
};

// The picture's centre at 0, its edges at -1 and 1.
Polar Centred(float u, float v) {
    const float x = u * 2.0f - 1.0f;
    const float y = v * 2.0f - 1.0f;
    return {std::hypot(x, y), std::atan2(y, x)};
}

// A ribbon lit as a round thread: 1 along its middle, 0 at its edges.
float Roundness(float distance, float halfWidth) {
    const float t = std::min(distance / halfWidth, 1.0f);
    return std::sqrt(1.0f - t * t);
}

}  // namespace

Color WovenEmblem(float u, float v) {
    const Polar p = Centred(u, v);
    Color color = Mix(Rgb(0x000000), Rgb(0x14203A), 0.7f * std::exp(-p.radius * p.radius * 3.0f));

    struct Ribbon {
        float depth;
        float distance;
        Color tint;
    };
    constexpr std::array<uint32_t, 3> kTints = {0xE8B04A, 0x3FB8AF, 0xD9576B};
    constexpr float kHalfWidth = 0.055f;
    std::array<Ribbon, 3> ribbons{};
    for (std::size_t i = 0; i < ribbons.size(); ++i) {
        const float phase = static_cast<float>(i) * 2.0f * kPi / 3.0f;
        const float centre = 0.6f + 0.09f * std::sin(5.0f * p.angle + phase);
        ribbons[i] = {std::cos(5.0f * p.angle + phase), std::fabs(p.radius - centre), Rgb(kTints[i])};
    }
    // The ribbon nearest the viewer at this angle lies over the others.
    std::sort(ribbons.begin(), ribbons.end(), [](const Ribbon& a, const Ribbon& b) { return a.depth < b.depth; });
    for (const Ribbon& ribbon : ribbons) {
        const float cover = SmoothStep(kHalfWidth, kHalfWidth - 0.008f, ribbon.distance);
        const float round = Roundness(ribbon.distance, kHalfWidth);
        const Color lit = Add(Scale(ribbon.tint, 0.3f + 0.8f * round), Scale(Rgb(0xFFFFFF), 0.35f * std::pow(round, 12.0f)));
        color = Mix(color, lit, cover);
    }

    const float star = 0.2f * (0.5f + 0.5f * std::pow(std::fabs(std::cos(4.0f * p.angle)), 3.0f));
    const Color core = Mix(Rgb(0xFFF4D6), Rgb(0xE8B04A), Clamp01(p.radius / 0.2f));
    return Mix(color, core, SmoothStep(star, star - 0.01f, p.radius));
}

Color WaterRipples(float u, float v) {
    constexpr float kSize = 512.0f;
    struct Wave {
        float kx, ky, phase;
    };
    constexpr std::array<Wave, 3> kWaves = {{{0.055f, 0.021f, 0.0f}, {-0.017f, 0.049f, 1.3f}, {0.034f, -0.038f, 2.1f}}};
    float level = 0.0f;
    for (const Wave& wave : kWaves) level += std::sin(wave.kx * u * kSize + wave.ky * v * kSize + wave.phase);
    level /= static_cast<float>(kWaves.size());
    // Coarse steps keep the file small; the texture is filtered when drawn.
    const float step = std::round((level + 1.0f) * 7.5f) / 15.0f;
    return Mix(Rgb(0x144678), Rgb(0x3C8CF0), step);
}

Color DarkWeave(float u, float v) {
    constexpr float kThreads = 16.0f;  // whole threads per tile, so that tiles join
    const float x = u * kThreads;
    const float y = v * kThreads;
    const bool warpOnTop = (static_cast<int>(std::floor(x)) + static_cast<int>(std::floor(y))) % 2 == 0;
    const float across = std::sin(kPi * Fraction(x));
    const float along = std::sin(kPi * Fraction(y));
    const float shade = warpOnTop ? across * (0.7f + 0.3f * along) : along * (0.7f + 0.3f * across);
    const Color thread = Scale(warpOnTop ? Rgb(0x232A3B) : Rgb(0x2E3442), 0.6f + 0.6f * shade);
    return Mix(Rgb(0x0B0D12), thread, SmoothStep(0.0f, 0.3f, shade));
}

Color RoseWindow(float u, float v) {
    const Polar p = Centred(u, v);
    const Color stone = Mix(Rgb(0x4F4A45), Rgb(0x7A736B), ValueNoise(u * 90.0f, v * 90.0f, 41));
    if (p.radius > 0.92f) return Scale(stone, p.radius > 0.97f ? 0.6f : 1.0f);

    constexpr int kSegments = 12;
    constexpr float kSegmentAngle = 2.0f * kPi / kSegments;
    const float turned = p.angle + kPi + kSegmentAngle / 2.0f;
    const int segment = static_cast<int>(std::floor(turned / kSegmentAngle)) % kSegments;
    const float across = (Fraction(turned / kSegmentAngle) - 0.5f) * kSegmentAngle;  // angle from the segment's middle

    constexpr std::array<uint32_t, 4> kGlass = {0x1E4FA8, 0xB3213A, 0x1F8A5B, 0xE0A030};
    const float petal = 0.55f + 0.12f * std::cos(across * kSegments);
    Color glass;
    float lead;  // distance to the nearest lead line, in picture units
    if (p.radius < 0.2f) {
        glass = Mix(Rgb(0xFFE9A8), Rgb(0xE9B949), p.radius / 0.2f);
        lead = 0.2f - p.radius;
    } else if (p.radius < petal) {
        glass = Rgb(kGlass[static_cast<std::size_t>(segment % 2)]);
        lead = std::min({p.radius - 0.2f, petal - p.radius, (kSegmentAngle / 2.0f - std::fabs(across)) * p.radius});
    } else {
        glass = Rgb(kGlass[static_cast<std::size_t>(2 + segment % 2)]);
        lead = std::min({p.radius - petal, 0.92f - p.radius, (kSegmentAngle / 2.0f - std::fabs(across)) * p.radius});
    }
    glass = Scale(glass, 0.7f + 0.5f * Fbm(u * 24.0f, v * 24.0f, 3, 43) + 0.3f * std::exp(-p.radius * 3.0f));
    return Mix(Rgb(0x15120F), glass, SmoothStep(0.004f, 0.012f, lead));
}

Color TileMosaic(float u, float v) {
    constexpr float kColumns = 8.0f;
    constexpr float kRows = 6.0f;
    const float x = u * kColumns;
    const float y = v * kRows;
    const int column = static_cast<int>(std::floor(x));
    const int row = static_cast<int>(std::floor(y));
    // Rounded squares in their cells, with grout between.
    const float dx = std::fabs(Fraction(x) - 0.5f);
    const float dy = std::fabs(Fraction(y) - 0.5f);
    const float corner = std::hypot(std::max(dx - 0.3f, 0.0f), std::max(dy - 0.3f, 0.0f));
    const float inside = SmoothStep(0.12f, 0.08f, std::max({dx - 0.3f, dy - 0.3f, corner}));
    // Tiles near the middle glow like a sun; the others are sky.
    const float fromCentre = std::hypot((static_cast<float>(column) + 0.5f - kColumns / 2.0f) / kColumns,
                                        (static_cast<float>(row) + 0.5f - kRows / 2.0f) / kRows);
    const Color sky = Mix(Rgb(0x2C6FB5), Rgb(0x86C5E8), Hash(column, row, 51));
    const Color sun = Mix(Rgb(0xF2C14E), Rgb(0xE3663B), Hash(column, row, 53));
    const Color tile = fromCentre < 0.25f ? sun : sky;
    const float glaze = 0.85f + 0.25f * (1.0f - dx - dy);
    return Mix(Rgb(0x3B3631), Scale(tile, glaze), inside);
}

}  // namespace pictures
