#include "scene/model/noise.h"

#include "scene/model/float_convert.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace {

// Integer hash in 32-bit wrap-around arithmetic, mapped to [-1, 1].
double LatticeValue(uint32_t k)
{
    const uint32_t m = k ^ (k << 13);
    const uint32_t h = (m * (m * m * 15731u + 789221u) - 771171059u) & 0x7FFFFFFFu;
    return 1.0 - h / 1073741824.0;
}

} // namespace

double ValueNoise1D(double x)
{
    const int32_t n = SaturatingTruncate<int32_t>(x);
    const double f = x - n;
    const double w = (1.0 - std::cos(f * std::numbers::pi)) / 2.0;
    const uint32_t k = static_cast<uint32_t>(n);
    return LatticeValue(k) * (1.0 - w) + LatticeValue(k + 1u) * w;
}

double NoiseOctaves(double x, double scale, double persistence, int count)
{
    double sum = 0.0;
    double weight = 1.0;
    double frequency = 1.0;
    for (int i = 0; i < count; ++i) {
        sum += weight * ValueNoise1D(frequency * x / scale);
        weight *= persistence;
        frequency *= 2.0;
    }
    return sum;
}
