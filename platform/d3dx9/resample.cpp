#include "d3dx9/resample.h"

#include <d3dx9.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

namespace platform::d3dx9 {
namespace {

constexpr DWORD kFilterMask = 0xFF;

struct Tap {
    UINT index;
    float weight;
};

using AxisTaps = std::vector<std::vector<Tap>>;

UINT EdgeIndex(int64_t i, UINT size, bool mirror) {
    int64_t n = size;
    if (!mirror) return UINT(((i % n) + n) % n);
    int64_t period = ((i % (2 * n)) + 2 * n) % (2 * n);
    return UINT(period < n ? period : 2 * n - 1 - period);
}

// The source pixels each destination pixel of one axis reads, and how much.
AxisTaps TapsOf(UINT source, UINT destination, DWORD kind, bool mirror) {
    AxisTaps taps(destination);
    double scale = double(source) / destination;
    for (UINT d = 0; d < destination; ++d) {
        double centre = (d + 0.5) * scale - 0.5;  // in source pixel centres
        std::vector<Tap>& out = taps[d];
        if (kind == D3DX_FILTER_POINT || (kind == D3DX_FILTER_BOX && scale <= 1)) {
            out.push_back({std::min(UINT((d + 0.5) * scale), source - 1), 1.f});
        } else if (kind == D3DX_FILTER_BOX) {
            double from = d * scale, to = (d + 1) * scale;
            for (auto i = int64_t(std::floor(from)); i < int64_t(std::ceil(to)); ++i) {
                double covered = std::min<double>(to, i + 1) - std::max<double>(from, i);
                if (covered > 0) out.push_back({EdgeIndex(i, source, mirror), float(covered / scale)});
            }
        } else {
            // LINEAR and magnifying TRIANGLE: a tent one source pixel wide;
            // minifying TRIANGLE: one destination pixel wide.
            double radius = (kind == D3DX_FILTER_TRIANGLE && scale > 1) ? scale : 1.0;
            double total = 0;
            for (auto i = int64_t(std::floor(centre - radius)) + 1; i < centre + radius; ++i) {
                double weight = 1 - std::abs(i - centre) / radius;
                if (weight <= 0) continue;
                out.push_back({EdgeIndex(i, source, mirror), float(weight)});
                total += weight;
            }
            for (Tap& tap : out) tap.weight = float(tap.weight / total);
        }
    }
    return taps;
}

uint8_t Store(float value, uint8_t) { return uint8_t(std::lrint(std::clamp(value, 0.f, 255.f))); }
float Store(float value, float) { return value; }

template <typename Sample>
Image<Sample> PlaceUnscaled(const Image<Sample>& source, UINT width, UINT height) {
    Image<Sample> result(width, height);
    UINT columns = std::min(width, source.width);
    for (UINT y = 0; y < std::min(height, source.height); ++y)
        std::copy_n(source.Pixel(0, y), size_t{columns} * 4, result.Pixel(0, y));
    return result;
}

template <typename Sample>
Image<Sample> Scale(const Image<Sample>& source, UINT width, UINT height, DWORD filter) {
    DWORD kind = filter & kFilterMask;
    if (kind == D3DX_FILTER_NONE) return PlaceUnscaled(source, width, height);
    if (width == source.width && height == source.height) return source;

    // Rows first, into floats; then columns.
    AxisTaps columnsTaps = TapsOf(source.width, width, kind, filter & D3DX_FILTER_MIRROR_U);
    AxisTaps rowsTaps = TapsOf(source.height, height, kind, filter & D3DX_FILTER_MIRROR_V);
    std::vector<float> rows(size_t{source.height} * width * 4);
    for (UINT y = 0; y < source.height; ++y) {
        float* out = rows.data() + size_t{y} * width * 4;
        for (UINT x = 0; x < width; ++x, out += 4) {
            for (const Tap& tap : columnsTaps[x]) {
                const Sample* in = source.Pixel(tap.index, y);
                for (int c = 0; c < 4; ++c) out[c] += tap.weight * float(in[c]);
            }
        }
    }
    Image<Sample> result(width, height);
    std::vector<float> sum(size_t{width} * 4);
    for (UINT y = 0; y < height; ++y) {
        std::fill(sum.begin(), sum.end(), 0.f);
        for (const Tap& tap : rowsTaps[y]) {
            const float* in = rows.data() + size_t{tap.index} * width * 4;
            for (size_t i = 0; i < sum.size(); ++i) sum[i] += tap.weight * in[i];
        }
        Sample* out = result.Pixel(0, y);
        for (size_t i = 0; i < sum.size(); ++i) out[i] = Store(sum[i], Sample{});
    }
    return result;
}

}  // namespace

bool IsValidFilter(DWORD filter) {
    DWORD kind = filter & kFilterMask;
    return kind >= D3DX_FILTER_NONE && kind <= D3DX_FILTER_BOX;
}

DWORD FilterOrDefault(DWORD filter, DWORD fallback) { return filter == D3DX_DEFAULT ? fallback : filter; }

Pixels Resample(const Pixels& source, UINT width, UINT height, DWORD filter) {
    return std::visit([&](const auto& image) -> Pixels { return Scale(image, width, height, filter); }, source);
}

Pixels NextMipLevel(const Pixels& level, DWORD filter) {
    return Resample(level, std::max(WidthOf(level) / 2, 1u), std::max(HeightOf(level) / 2, 1u), filter);
}

}  // namespace platform::d3dx9
