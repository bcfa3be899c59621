#include "d3dx9/normal_map.h"

#include <cmath>

namespace platform::d3dx9 {
namespace {

float UnitOf(uint8_t sample) { return float(sample) * (1.f / 255.f); }
float UnitOf(float sample) { return sample; }

template <typename Sample>
std::vector<float> HeightsOf(const Image<Sample>& image, DWORD channel) {
    std::vector<float> heights(size_t{image.width} * image.height);
    for (size_t i = 0; i < heights.size(); ++i) {
        const Sample* p = image.samples.data() + i * 4;
        float b = UnitOf(p[0]), g = UnitOf(p[1]), r = UnitOf(p[2]), a = UnitOf(p[3]);
        float sum = 0;
        int count = 0;
        auto add = [&](DWORD bit, float value) {
            if (channel & bit) {
                sum += value;
                ++count;
            }
        };
        add(D3DX_CHANNEL_RED, r);
        add(D3DX_CHANNEL_GREEN, g);
        add(D3DX_CHANNEL_BLUE, b);
        add(D3DX_CHANNEL_ALPHA, a);
        add(D3DX_CHANNEL_LUMINANCE, 0.2126f * r + 0.7152f * g + 0.0722f * b);
        heights[i] = count ? sum / float(count) : 0.f;
    }
    return heights;
}

UINT Neighbour(UINT i, int step, UINT size, bool mirror) {
    int64_t n = size, j = int64_t{i} + step;
    if (j >= 0 && j < n) return UINT(j);
    if (!mirror) return UINT((j + n) % n);
    return j < 0 ? std::min<UINT>(1, size - 1) : UINT(std::max<int64_t>(n - 2, 0));
}

}  // namespace

ImageF ComputeNormals(const Pixels& source, DWORD flags, DWORD channel, float amplitude, bool signedOutput) {
    std::vector<float> heights = std::visit([&](const auto& image) { return HeightsOf(image, channel); }, source);
    UINT width = WidthOf(source), height = HeightOf(source);
    bool mirrorU = flags & D3DX_NORMALMAP_MIRROR_U, mirrorV = flags & D3DX_NORMALMAP_MIRROR_V;
    float sign = (flags & D3DX_NORMALMAP_INVERTSIGN) ? -1.f : 1.f;
    auto at = [&](UINT x, UINT y) { return heights[size_t{y} * width + x]; };

    ImageF normals(width, height);
    for (UINT y = 0; y < height; ++y) {
        for (UINT x = 0; x < width; ++x) {
            float dx = at(Neighbour(x, 1, width, mirrorU), y) - at(Neighbour(x, -1, width, mirrorU), y);
            float dy = at(x, Neighbour(y, 1, height, mirrorV)) - at(x, Neighbour(y, -1, height, mirrorV));
            float n[3] = {-sign * dx * amplitude, -sign * dy * amplitude, 1.f};
            float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            float* out = normals.Pixel(x, y);
            for (int c = 0; c < 3; ++c) {
                float v = n[c] / length;
                out[2 - c] = signedOutput ? v : (v + 1.f) * 0.5f;
            }
            out[3] = 1.f;
        }
    }
    return normals;
}

}  // namespace platform::d3dx9
