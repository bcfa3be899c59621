#include <cstdint>

#include <gtest/gtest.h>

#include "host/run_mode.h"

namespace {

struct RunModeCase {
    const wchar_t* commandLine;
    SaverMode mode;
    uintptr_t parent;
};

class RunModeTest : public ::testing::TestWithParam<RunModeCase> {};

TEST_P(RunModeTest, ReadsModeAndParentWindow) {
    const RunModeCase& c = GetParam();
    const RunModeRequest request = ReadRunMode(c.commandLine);
    EXPECT_EQ(request.mode, c.mode);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(request.parent), c.parent);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, RunModeTest,
    ::testing::Values(
        RunModeCase{L"\"C:\\My Savers\\moire.scr\" /s", kModeFullScreen, 0},
        RunModeCase{L"\"C:\\My Savers\\moire-1.scr\" /t", kModeTest, 0},
        RunModeCase{L"moire.scr -S", kModeFullScreen, 0},
        RunModeCase{L"moire.scr /x", kModeFullScreen, 0},
        RunModeCase{L"moire.scr /T", kModeTest, 0},
        RunModeCase{L"moire.scr /P:1234", kModePreview, 1234},
        RunModeCase{L"moire.scr /p 1234", kModePreview, 1234},
        RunModeCase{L"moire.scr -p", kModePreview, 0},
        RunModeCase{L"moire.scr /c", kModeSettings, 0},
        RunModeCase{L"moire.scr /c:4321", kModeSettings, 4321},
        RunModeCase{L"moire.scr /a 55", kModePassword, 55},
        RunModeCase{L"moire.scr /r", kModeEndAtOnce, 0},
        RunModeCase{L"moire.scr /N", kModeShowNothing, 0},
        RunModeCase{L"moire.scr /", kModeFullScreen, 0},
        RunModeCase{L"moire.scr", kModeSettings, 0},
        RunModeCase{L"moire.scr ", kModeSettings, 0},
        RunModeCase{L"", kModeSettings, 0},
        // The name alone, or an unclosed quote: nothing beyond the line is read.
        RunModeCase{L"moire.scr\0/s", kModeSettings, 0},
        RunModeCase{L"\"moire /s\0/s", kModeSettings, 0},
        RunModeCase{L"\"moire.scr\"", kModeSettings, 0}));

}  // namespace
