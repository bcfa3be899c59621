#include "noise.h"

#include <cmath>

namespace pictures {

float Hash(int x, int y, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u ^ static_cast<uint32_t>(x) * 0x85EBCA77u ^ static_cast<uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<float>(h >> 8) / 16777216.0f;
}

namespace {

int Wrapped(int i, int period) { return period > 0 ? ((i % period) + period) % period : i; }

}  // namespace

float PeriodicNoise(float x, float y, int period, uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    auto fade = [](float t) { return t * t * (3.0f - 2.0f * t); };
    auto at = [&](int i, int j) { return Hash(Wrapped(i, period), Wrapped(j, period), seed); };
    const float tx = fade(x - fx);
    const float ty = fade(y - fy);
    const float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
    const float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

float ValueNoise(float x, float y, uint32_t seed) { return PeriodicNoise(x, y, 0, seed); }

float PeriodicFbm(float x, float y, int octaves, int period, uint32_t seed) {
    float sum = 0.0f;
    float amplitude = 0.5f;
    float total = 0.0f;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += amplitude * PeriodicNoise(x, y, period, seed + static_cast<uint32_t>(octave));
        total += amplitude;
        x *= 2.0f;
        y *= 2.0f;
        period *= 2;
        amplitude *= 0.5f;
    }
    return sum / total;
}

float Fbm(float x, float y, int octaves, uint32_t seed) { return PeriodicFbm(x, y, octaves, 0, seed); }

}  // namespace pictures
