#include "dds_painter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sample_pictures {
namespace {

void PutDword(std::vector<BYTE>& bytes, DWORD value)
{
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<BYTE>(value >> shift));
}

BYTE Byte(float x) { return static_cast<BYTE>(std::lround(Clamp01(x) * 255.0f)); }

}  // namespace

float Clamp01(float x) { return std::clamp(x, 0.0f, 1.0f); }

float Disc(float u, float v, float cu, float cv, float ru, float rv)
{
    const float du = (u - cu) / ru, dv = (v - cv) / rv;
    return du * du + dv * dv;
}

std::vector<BYTE> A8R8G8B8Dds(int width, int height, const std::vector<DWORD>& pixels)
{
    std::vector<BYTE> bytes = {'D', 'D', 'S', ' '};
    const DWORD header[31] = {124, 0x100F, static_cast<DWORD>(height), static_cast<DWORD>(width),
                              static_cast<DWORD>(width * 4)};
    for (DWORD value : header)
        PutDword(bytes, value);
    // The pixel format sits at words 18 to 25 of the header; the caps follow.
    const DWORD format[8] = {32, 0x41, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    std::memcpy(bytes.data() + 4 + 18 * 4, format, sizeof format);
    const DWORD caps = 0x1000;
    std::memcpy(bytes.data() + 4 + 26 * 4, &caps, sizeof caps);
    for (DWORD pixel : pixels)
        PutDword(bytes, pixel);
    return bytes;
}

std::vector<BYTE> PaintDds(int width, int height, const std::function<Rgba(float u, float v)>& painter)
{
    constexpr int kSamples = 4;
    std::vector<DWORD> pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgba sum{0, 0, 0, 0};
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const float u = (static_cast<float>(x) + (static_cast<float>(sx) + 0.5f) / kSamples) / width;
                    const float v = (static_cast<float>(y) + (static_cast<float>(sy) + 0.5f) / kSamples) / height;
                    const Rgba c = painter(u, v);
                    // Colours weighted by coverage, so that edges do not darken.
                    sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
                }
            }
            const float coverage = sum.a > 0 ? sum.a : 1.0f;
            pixels.push_back(static_cast<DWORD>(Byte(sum.a / (kSamples * kSamples))) << 24 |
                             static_cast<DWORD>(Byte(sum.r / coverage)) << 16 |
                             static_cast<DWORD>(Byte(sum.g / coverage)) << 8 | Byte(sum.b / coverage));
        }
    }
    return A8R8G8B8Dds(width, height, pixels);
}

}  // namespace sample_pictures
