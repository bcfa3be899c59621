// A start-up error in a headless run shows up in the captured frames: the
// moving error box, and the run still ends by itself.
#include "host/captured_frame.h"
#include "host/host_fixture.h"

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
    const CapturedFrame last = ReadCapturedFrame(kFrames / "window0-frame00002.png");
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
