#include "window/frame_capture.h"

#include "window/run_limit.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <mutex>
#include <utility>

#include <png.h>

namespace platform::window {
namespace {

std::optional<std::filesystem::path> CaptureDirectory() {
    const char* text = std::getenv("SAVER_CAPTURE_DIR");
    if (!text || *text == 0) return std::nullopt;
    std::error_code error;
    std::filesystem::create_directories(text, error);
    return std::filesystem::path(text);
}

uint64_t NextFrameOf(const std::string& kind, UINT index) {
    static std::mutex mutex;
    static std::map<std::pair<std::string, UINT>, uint64_t> frames;
    std::lock_guard lock(mutex);
    return frames[{kind, index}]++;
}

// One line for a folder that cannot be written, not one per frame.
void ReportUnwritable(const std::filesystem::path& path) {
    static std::once_flag reported;
    std::call_once(reported, [&] { std::cerr << "SAVER_CAPTURE_DIR: cannot write " << path.string() << "\n"; });
}

}  // namespace

FrameCapture::FrameCapture(std::string kind, UINT index)
    : kind_(std::move(kind)), index_(index), directory_(CaptureDirectory()) {}

void FrameCapture::Write(const std::vector<uint8_t>& bgra, int width, int height) {
    if (!directory_) return;
    const uint64_t frame = NextFrameOf(kind_, index_);
    if (const auto limit = CaptureFrameLimit(); limit && frame >= *limit) return;
    char name[96];
    std::snprintf(name, sizeof name, "%s%u-frame%05llu.png", kind_.c_str(), index_,
                  static_cast<unsigned long long>(frame));
    if (!WritePng(*directory_ / name, bgra, width, height)) ReportUnwritable(*directory_ / name);
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

}  // namespace platform::window
