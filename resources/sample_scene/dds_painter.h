// Pictures the sample scene stores in its document, painted pixel by pixel:
// uncompressed 32-bit DDS files, so that they keep their alpha.
#pragma once

#include <functional>
#include <vector>

#include <windows.h>

namespace sample_pictures {

struct Rgba {
    float r, g, b, a;
};

inline constexpr Rgba kClear{0, 0, 0, 0};

float Clamp01(float x);
// How far (u, v) lies from the centre of an ellipse, squared: below 1 inside.
float Disc(float u, float v, float cu, float cv, float ru, float rv);

// "DDS ", the 124-byte header of an uncompressed A8R8G8B8 picture, then the
// rows top first; each pixel the mean of 4 x 4 samples of painter(u, v),
// u and v running from 0 to 1 across and down.
std::vector<BYTE> PaintDds(int width, int height, const std::function<Rgba(float u, float v)>& painter);
// The same file of pixels given as 0xAARRGGBB, rows top first.
std::vector<BYTE> A8R8G8B8Dds(int width, int height, const std::vector<DWORD>& pixels);

}  // namespace sample_pictures
