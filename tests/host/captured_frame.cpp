#include "host/captured_frame.h"

#include <numeric>

namespace host_test {

uint32_t CapturedFrame::Pixel(png_uint_32 x, png_uint_32 y) const {
    const png_byte* p = rgb.data() + (size_t{y} * width + x) * 3;
    return uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
}

double CapturedFrame::MeanBrightness() const {
    if (rgb.empty()) return 0;
    return static_cast<double>(std::accumulate(rgb.begin(), rgb.end(), uint64_t{0})) / static_cast<double>(rgb.size());
}

CapturedFrame ReadCapturedFrame(const std::filesystem::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    CapturedFrame frame;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) return frame;
    image.format = PNG_FORMAT_RGB;
    frame.rgb.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, frame.rgb.data(), 0, nullptr) != 0) {
        frame.width = image.width;
        frame.height = image.height;
    }
    png_image_free(&image);
    return frame;
}

}  // namespace host_test
