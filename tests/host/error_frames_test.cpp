// A start-up error in a headless run shows up in the captured frames: the
// moving error box, and the run still ends by itself.
#include "host/host_fixture.h"

#include <png.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace host_test {
namespace {

const std::filesystem::path kFrames = std::filesystem::temp_directory_path() /
                                      ("saver-error-frames-" + std::to_string(getpid()));

// Read when the first frame is counted or captured.
const bool kCaptureSet = setenv("SAVER_CAPTURE_DIR", kFrames.c_str(), 1) == 0 &&
                         setenv("SAVER_CAPTURE_FRAMES", "3", 1) == 0;

struct Frame {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    std::vector<png_byte> rgb;

    uint32_t Pixel(png_uint_32 x, png_uint_32 y) const {
        const png_byte* p = rgb.data() + (size_t{y} * width + x) * 3;
        return uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    }
};

Frame ReadFrame(const std::filesystem::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Frame frame;
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

using ErrorFramesTest = HostTest;

TEST_F(ErrorFramesTest, TheErrorBoxIsCapturedAndTheRunEnds) {
    ASSERT_TRUE(kCaptureSet);
    std::filesystem::remove_all(kFrames);
    platform::sim::AdapterDescription adapter;
    adapter.bumpEnvMap = false;
    platform::sim::SetAdapters({adapter});
    auto saver = Start(kModeFullScreen);
    ASSERT_TRUE(saver->errorMode_);
    saver->RunMode();

    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_TRUE(std::filesystem::exists(kFrames / ("window0-frame0000" + std::to_string(frame) + ".png")));
    }
    EXPECT_FALSE(std::filesystem::exists(kFrames / "window0-frame00003.png"));
    const Frame last = ReadFrame(kFrames / "window0-frame00002.png");
    ASSERT_EQ(last.width, 1024u);
    ASSERT_EQ(last.height, 768u);
    // A white box of 300 x 150 near the middle, framed in black, on black.
    const ErrorBoxState& box = saver->monitors_[0].box;
    const auto left = static_cast<png_uint_32>(box.x), top = static_cast<png_uint_32>(box.y);
    EXPECT_EQ(last.Pixel(left + 6, top + 6), 0xFFFFFFu);
    EXPECT_EQ(last.Pixel(left, top + 6), 0u);
    EXPECT_EQ(last.Pixel(5, 5), 0u);
    std::filesystem::remove_all(kFrames);
}

}  // namespace
}  // namespace host_test
