// Writing 8-bit RGB pictures as PNG files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

// False, with the file removed, when it cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace pictures
