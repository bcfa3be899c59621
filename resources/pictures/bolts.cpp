// The discharge bolt's pictures: a jagged bolt along the middle of each
// half (two variants, top and bottom), laid out for the bolt's segments:
// the start cap up to u 0.195 and the end cap from 0.805 taper off, and the
// middle that every segment shows starts and ends on the half's centre
// line, so that segments join. White at the core, a tinted halo around it.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "noise.h"
#include "pictures.h"

namespace pictures {
namespace {

constexpr float kStartCapEnd = 0.195f;
constexpr float kEndCapStart = 0.805f;
// A picture of 512 x 128: one unit across is eight units of a half's height.
constexpr float kAcrossPerHeight = 8.0f;

struct BoltStyle {
    int middleKinks;
    float wander;     // of the half's height
    float core;       // core and halo widths, of the half's height
    float halo;
    float haloStrength;
    Color tint;
    uint32_t seed;
};

// The bolt's height in the half at u: straight lines between kinks whose
// places are fixed and whose offsets come from the hash; 0 where the caps
// meet the middle.
struct BoltPath {
    std::vector<float> u, offset;

    BoltPath(const BoltStyle& style, int variant) {
        const auto kink = [&](float at, float wander, int index) {
            u.push_back(at);
            offset.push_back((Hash(index, variant, style.seed) * 2.0f - 1.0f) * wander);
        };
        kink(0.0f, style.wander * 0.5f, 0);
        kink(0.09f, style.wander * 0.6f, 1);
        u.push_back(kStartCapEnd);
        offset.push_back(0.0f);
        for (int k = 1; k < style.middleKinks; ++k)
            kink(kStartCapEnd + (kEndCapStart - kStartCapEnd) * static_cast<float>(k) / style.middleKinks,
                 style.wander, 2 + k);
        u.push_back(kEndCapStart);
        offset.push_back(0.0f);
        kink(0.91f, style.wander * 0.6f, 90);
        kink(1.0f, style.wander * 0.5f, 91);
    }

    // The height and the slope (in heights per height) at u.
    std::pair<float, float> At(float at) const {
        const auto next = std::upper_bound(u.begin(), u.end(), at);
        const size_t j = std::clamp<size_t>(static_cast<size_t>(next - u.begin()), 1, u.size() - 1);
        const float slope = (offset[j] - offset[j - 1]) / (u[j] - u[j - 1]);
        return {offset[j - 1] + slope * (at - u[j - 1]), slope / kAcrossPerHeight};
    }
};

// The two variants' paths of a style, top and bottom.
using BoltPaths = std::array<BoltPath, 2>;

Color PaintBolt(const BoltStyle& style, const BoltPaths& paths, float u, float v) {
    const BoltPath& path = paths[v < 0.5f ? 0 : 1];
    const float t = Fraction(v * 2.0f) - 0.5f;
    const auto [height, slope] = path.At(u);
    const float distance = std::fabs(t - height) / std::sqrt(1.0f + slope * slope);
    const float taper = SmoothStep(0.01f, 0.15f, u) * (1.0f - SmoothStep(0.85f, 0.99f, u));
    const float core = std::exp(-std::pow(distance / style.core, 2.0f));
    const float halo = style.haloStrength * std::exp(-std::pow(distance / style.halo, 2.0f));
    const float alpha = Clamp01((core + halo) * taper);
    const Color colour = Mix(style.tint, Rgb(0xFFFFFF), Clamp01(core / (core + halo + 1e-6f)));
    return {colour.r, colour.g, colour.b, alpha};
}

constexpr BoltStyle kBright{7, 0.22f, 0.035f, 0.14f, 0.55f, {0.72f, 0.86f, 1.0f}, 951u};
constexpr BoltStyle kThin{11, 0.22f, 0.02f, 0.07f, 0.4f, {0.86f, 0.74f, 1.0f}, 981u};

}  // namespace

Color BrightBolt(float u, float v) {
    static const BoltPaths paths{BoltPath(kBright, 0), BoltPath(kBright, 1)};
    return PaintBolt(kBright, paths, u, v);
}

Color ThinBolt(float u, float v) {
    static const BoltPaths paths{BoltPath(kThin, 0), BoltPath(kThin, 1)};
    return PaintBolt(kThin, paths, u, v);
}

}  // namespace pictures
