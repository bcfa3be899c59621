#include "d3dx9/resample.h"

#include <d3dx9.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <type_traits>

namespace platform::d3dx9 {
namespace {

constexpr DWORD kFilterMask = 0xFF;

struct Tap {
    UINT index;        // of the source pixel read
    float weight;
    int64_t position;  // before wrapping or mirroring: consecutive within a pixel's taps
};

// The taps of destination pixel d are taps[first[d]] to taps[first[d + 1]].
struct AxisTaps {
    std::vector<Tap> taps;
    std::vector<size_t> first;

    std::span<const Tap> Of(UINT d) const { return {taps.data() + first[d], taps.data() + first[d + 1]}; }
    size_t MostTaps() const {
        size_t most = 0;
        for (size_t d = 0; d + 1 < first.size(); ++d) most = std::max(most, first[d + 1] - first[d]);
        return most;
    }
};

UINT EdgeIndex(int64_t i, UINT size, bool mirror) {
    int64_t n = size;
    if (!mirror) return UINT(((i % n) + n) % n);
    int64_t period = ((i % (2 * n)) + 2 * n) % (2 * n);
    return UINT(period < n ? period : 2 * n - 1 - period);
}

// The source pixels each destination pixel of one axis reads, and how much.
AxisTaps TapsOf(UINT source, UINT destination, DWORD kind, bool mirror) {
    AxisTaps axis;
    double scale = double(source) / destination;
    std::vector<Tap> out;
    for (UINT d = 0; d < destination; ++d) {
        double centre = (d + 0.5) * scale - 0.5;  // in source pixel centres
        out.clear();
        if (kind == D3DX_FILTER_POINT || (kind == D3DX_FILTER_BOX && scale <= 1)) {
            UINT nearest = std::min(UINT((d + 0.5) * scale), source - 1);
            out.push_back({nearest, 1.f, nearest});
        } else if (kind == D3DX_FILTER_BOX) {
            double from = d * scale, to = (d + 1) * scale;
            for (auto i = int64_t(std::floor(from)); i < int64_t(std::ceil(to)); ++i) {
                double covered = std::min<double>(to, i + 1) - std::max<double>(from, i);
                if (covered > 0) out.push_back({EdgeIndex(i, source, mirror), float(covered / scale), i});
            }
        } else {
            // LINEAR and magnifying TRIANGLE: a tent one source pixel wide;
            // minifying TRIANGLE: one destination pixel wide.
            double radius = (kind == D3DX_FILTER_TRIANGLE && scale > 1) ? scale : 1.0;
            double total = 0;
            for (auto i = int64_t(std::floor(centre - radius)) + 1; i < centre + radius; ++i) {
                double weight = 1 - std::abs(i - centre) / radius;
                if (weight <= 0) continue;
                out.push_back({EdgeIndex(i, source, mirror), float(weight), i});
                total += weight;
            }
            for (Tap& tap : out) tap.weight = float(tap.weight / total);
        }
        axis.first.push_back(axis.taps.size());
        axis.taps.insert(axis.taps.end(), out.begin(), out.end());
    }
    axis.first.push_back(axis.taps.size());
    return axis;
}

// Rounds half up; the weights are non-negative, so is the value.
uint8_t Store(float value, uint8_t) { return uint8_t(std::min(value, 255.f) + 0.5f); }
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

    // Each output row sums source rows already scaled along x. Those are
    // made once each, as the rows' taps move down, into a ring of as many
    // rows as one output row reads.
    AxisTaps columnsTaps = TapsOf(source.width, width, kind, filter & D3DX_FILTER_MIRROR_U);
    AxisTaps rowsTaps = TapsOf(source.height, height, kind, filter & D3DX_FILTER_MIRROR_V);
    const size_t rowFloats = size_t{width} * 4, ringRows = rowsTaps.MostTaps();
    std::vector<float> ring(ringRows * rowFloats);
    std::vector<int64_t> ringPosition(ringRows, -1 - int64_t{source.height} * 4);
    auto scaledRow = [&](const Tap& tap) {
        size_t slot = size_t(((tap.position % int64_t(ringRows)) + int64_t(ringRows)) % int64_t(ringRows));
        float* out = ring.data() + slot * rowFloats;
        if (ringPosition[slot] == tap.position) return out;
        ringPosition[slot] = tap.position;
        const Sample* row = source.Pixel(0, tap.index);
        for (UINT x = 0; x < width; ++x) {
            float sum[4] = {};
            for (const Tap& column : columnsTaps.Of(x)) {
                const Sample* in = row + size_t{column.index} * 4;
                for (int c = 0; c < 4; ++c) sum[c] += column.weight * float(in[c]);
            }
            std::copy_n(sum, 4, out + size_t{x} * 4);
        }
        return out;
    };

    Image<Sample> result(width, height, Unfilled{});
    std::vector<float> sum(rowFloats);
    for (UINT y = 0; y < height; ++y) {
        std::fill(sum.begin(), sum.end(), 0.f);
        for (const Tap& tap : rowsTaps.Of(y)) {
            const float* in = scaledRow(tap);
            for (size_t i = 0; i < rowFloats; ++i) sum[i] += tap.weight * in[i];
        }
        Sample* out = result.Pixel(0, y);
        for (size_t i = 0; i < rowFloats; ++i) out[i] = Store(sum[i], Sample{});
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
