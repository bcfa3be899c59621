#include "gdi/canvas.h"

#include <algorithm>

namespace platform::gdi {

void Canvas::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == width_ && height == height_) return;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0);
    const int keptWidth = std::min(width, width_);
    for (int y = 0; y < std::min(height, height_); ++y) {
        std::copy_n(Row(y), keptWidth, pixels.begin() + static_cast<ptrdiff_t>(y) * width);
    }
    pixels_ = std::move(pixels);
    width_ = width;
    height_ = height;
}

}  // namespace platform::gdi
