// `saver /s` headless on two simulated monitors plays the sample scene: the
// frames each unit writes show its splash, then the first slide's picture,
// which fades through black into the next one.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "host/captured_frame.h"

namespace host_test {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> FramesOfUnit(const fs::path& folder, int unit) {
    std::vector<fs::path> frames;
    const std::string prefix = "unit" + std::to_string(unit) + "-";
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(prefix)) frames.push_back(entry.path());
    }
    std::sort(frames.begin(), frames.end());
    return frames;
}

// The frame loop sleeps 30 ms before every frame, so that many frames span
// at least this much of the show, however slow the machine: the first
// slide's three-second hold and one-second fade out, and the second
// slide's one-second fade in, with room to spare.
constexpr int kFrames = 220;
static_assert((kFrames - 2) * 0.030 > 3 + 1 + 1 + 1);
// Only a bound for a machine that stalls: the run ends on the frames.
constexpr int kSecondsAtMost = 240;

TEST(SampleRun, EachMonitorShowsTheSplashThenPicturesThatFadeThroughBlack) {
    const fs::path folder = fs::temp_directory_path() / ("saver-sample-run-" + std::to_string(getpid()));
    fs::remove_all(folder);
    const std::string command = "SAVER_CAPTURE_DIR='" + folder.string() + "' SAVER_CAPTURE_FRAMES=" +
                                std::to_string(kFrames) + " SAVER_RUN_SECONDS=" + std::to_string(kSecondsAtMost) +
                                " SAVER_MONITORS=640x480,800x600+640+0 '" SAVER_PROGRAM "' /s";
    ASSERT_EQ(std::system(command.c_str()), 0);

    for (int unit = 0; unit < 2; ++unit) {
        const std::vector<fs::path> frames = FramesOfUnit(folder, unit);
        ASSERT_EQ(frames.size(), static_cast<size_t>(kFrames)) << "unit " << unit << ": the time bound ended the run";
        const CapturedFrame splash = ReadCapturedFrame(frames[0]);
        ASSERT_GT(splash.width, 0u);
        EXPECT_NE(splash.Pixel(splash.width / 2, splash.height / 2), 0u) << unit;
        EXPECT_EQ(splash.Pixel(2, 2), 0u) << unit;

        // From the third frame on, the show: bright, dark, bright again. The
        // fade is darker than 40% of the picture for more than a second, so a
        // slow frame rate on a loaded machine still catches it.
        std::vector<double> brightness;
        for (size_t i = 2; i < frames.size(); ++i) brightness.push_back(ReadCapturedFrame(frames[i]).MeanBrightness());
        const auto darkest = std::min_element(brightness.begin(), brightness.end());
        const double before = *std::max_element(brightness.begin(), darkest + 1);
        const double after = *std::max_element(darkest, brightness.end());
        EXPECT_GT(before, 40) << unit;
        EXPECT_LT(*darkest, before * 0.4) << unit;
        EXPECT_GT(after, before * 0.5) << unit;
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace host_test
