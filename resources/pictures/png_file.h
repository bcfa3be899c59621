// Writing 8-bit RGB and RGBA pictures as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

// Rows of RGB, or RGBA for channels 4. False, with the file removed, when
// it cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb, int channels = 3);

}  // namespace pictures
