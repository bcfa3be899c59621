#include "star_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void Put32(std::vector<BYTE>& bytes, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

// An uncompressed A8R8G8B8 "DDS" file of side x side texels painted by
// alpha(u, v), white throughout.
template <class Alpha>
std::vector<BYTE> WhiteDds(UINT side, Alpha alpha)
{
    std::vector<BYTE> bytes = {'D', 'D', 'S', ' '};
    const DWORD header[31] = {124, 0x1 | 0x2 | 0x4 | 0x8 | 0x1000, side, side, side * 4, 0, 1,
                              0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,
                              32,  0x1 | 0x40, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000,
                              0x1000, 0, 0};
    for (DWORD value : header)
        Put32(bytes, value);
    for (UINT y = 0; y < side; ++y) {
        for (UINT x = 0; x < side; ++x) {
            const float u = (x + 0.5f) / side * 2 - 1, v = (y + 0.5f) / side * 2 - 1;
            const float a = std::clamp(alpha(u, v), 0.0f, 1.0f);
            Put32(bytes, (static_cast<DWORD>(std::lround(a * 255)) << 24) | 0xFFFFFF);
        }
    }
    return bytes;
}

} // namespace

std::vector<BYTE> StarPicture()
{
    return WhiteDds(64, [](float u, float v) {
        const float r = std::sqrt(u * u + v * v);
        const float rays = std::exp(-std::fabs(u) * 14) + std::exp(-std::fabs(v) * 14);
        return (rays * (1 - r) + std::exp(-r * r * 40)) * (r < 1 ? 1.0f : 0.0f);
    });
}

std::vector<BYTE> GlowPicture()
{
    return WhiteDds(64, [](float u, float v) {
        const float r2 = u * u + v * v;
        return r2 < 1 ? (1 - r2) * (1 - r2) : 0.0f;
    });
}

std::vector<BYTE> SparkPicture()
{
    return WhiteDds(32, [](float u, float v) {
        const float r2 = u * u + v * v;
        return r2 < 1 ? std::exp(-r2 * 12) + 0.35f * (1 - r2) : 0.0f;
    });
}

std::vector<BYTE> BoltPicture()
{
    return WhiteDds(32, [](float, float v) { return std::exp(-v * v * 6) - 0.0025f; });
}
