#include "d3d9/frame_capture.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <mutex>

#include <png.h>

namespace platform::d3d9 {
namespace {

std::optional<std::filesystem::path> CaptureDirectory() {
    const char* text = std::getenv("SAVER_CAPTURE_DIR");
    if (!text || *text == 0) return std::nullopt;
    std::error_code error;
    std::filesystem::create_directories(text, error);
    return std::filesystem::path(text);
}

UINT NextFrameOfUnit(UINT unit) {
    static std::mutex mutex;
    static std::map<UINT, UINT> frames;
    std::lock_guard lock(mutex);
    return frames[unit]++;
}

}  // namespace

FrameCapture::FrameCapture(UINT unit) : unit_(unit), directory_(CaptureDirectory()) {}

void FrameCapture::Write(const std::vector<uint8_t>& bgra, int width, int height) {
    if (!directory_) return;
    char name[64];
    std::snprintf(name, sizeof name, "unit%u-frame%05u.png", unit_, NextFrameOfUnit(unit_));
    if (!WritePng(*directory_ / name, bgra, width, height)) {
        std::cerr << "SAVER_CAPTURE_DIR: cannot write " << (*directory_ / name).string() << "\n";
    }
}

bool WritePng(const std::filesystem::path& path, const std::vector<uint8_t>& bgra, int width, int height) {
    std::vector<uint8_t> bgr(static_cast<size_t>(width) * height * 3);
    for (size_t pixel = 0; pixel < bgr.size() / 3; ++pixel) {
        bgr[pixel * 3 + 0] = bgra[pixel * 4 + 0];
        bgr[pixel * 3 + 1] = bgra[pixel * 4 + 1];
        bgr[pixel * 3 + 2] = bgra[pixel * 4 + 2];
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_BGR;
    const bool written = png_image_write_to_file(&image, path.c_str(), 0, bgr.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return written;
}

}  // namespace platform::d3d9
