// A frame the platform layer captured to a PNG file.
#pragma once

#include <png.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace host_test {

struct CapturedFrame {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    std::vector<png_byte> rgb;

    // 0xRRGGBB.
    uint32_t Pixel(png_uint_32 x, png_uint_32 y) const;
    // Of all three channels of every pixel, 0 to 255.
    double MeanBrightness() const;
};

// An empty frame when the file cannot be read.
CapturedFrame ReadCapturedFrame(const std::filesystem::path& path);

}  // namespace host_test
