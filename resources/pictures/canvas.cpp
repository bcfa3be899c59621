#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace pictures {

Color Mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

Color Scale(Color c, float factor) { return {c.r * factor, c.g * factor, c.b * factor, c.a}; }

Color Add(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b, a.a}; }

float Clamp01(float x) { return std::clamp(x, 0.0f, 1.0f); }

float SmoothStep(float edge0, float edge1, float x) {
    const float t = Clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

float Fraction(float x) { return x - std::floor(x); }

namespace {

uint8_t Byte(float channel) { return static_cast<uint8_t>(std::lround(Clamp01(channel) * 255.0f)); }

}  // namespace

std::vector<uint8_t> Paint(int width, int height, int samples, Painter painter, int channels) {
    std::vector<uint8_t> rgb;
    const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    rgb.reserve(pixels * static_cast<std::size_t>(channels));
    const float weight = 1.0f / static_cast<float>(samples * samples);
    // Sample s of pixel p along an axis of the given length, from 0 to 1.
    auto position = [samples](int pixel, int sample, int length) {
        const float within = (static_cast<float>(sample) + 0.5f) / static_cast<float>(samples);
        return (static_cast<float>(pixel) + within) / static_cast<float>(length);
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Color sum{0, 0, 0};
            float alpha = 0.0f;
            for (int sy = 0; sy < samples; ++sy) {
                for (int sx = 0; sx < samples; ++sx) {
                    const Color sample = painter(position(x, sx, width), position(y, sy, height));
                    sum = Add(sum, sample);
                    alpha += sample.a;
                }
            }
            rgb.push_back(Byte(sum.r * weight));
            rgb.push_back(Byte(sum.g * weight));
            rgb.push_back(Byte(sum.b * weight));
            if (channels == 4) rgb.push_back(Byte(alpha * weight));
        }
    }
    return rgb;
}

}  // namespace pictures
