#include <gtest/gtest.h>

#include <string>

#include "platform/display/monitor_layout_text.h"

namespace {

using platform::display::ParseMonitorLayout;

struct ParseCase {
    const char* text;
    std::vector<RECT> rects;  // empty: malformed
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }

class MonitorLayoutTextTest : public testing::TestWithParam<ParseCase> {};

TEST_P(MonitorLayoutTextTest, GivesTheRectanglesOrRefuses) {
    const ParseCase& c = GetParam();
    const auto devices = ParseMonitorLayout(c.text);
    if (c.rects.empty()) {
        EXPECT_FALSE(devices.has_value());
        return;
    }
    ASSERT_TRUE(devices.has_value());
    ASSERT_EQ(devices->size(), c.rects.size());
    for (size_t i = 0; i < c.rects.size(); ++i) {
        const RECT& got = (*devices)[i].rect;
        const RECT& want = c.rects[i];
        EXPECT_EQ(std::tie(got.left, got.top, got.right, got.bottom),
                  std::tie(want.left, want.top, want.right, want.bottom))
            << "monitor " << i;
        EXPECT_EQ((*devices)[i].primary, i == 0);
        EXPECT_TRUE((*devices)[i].attachedToDesktop);
        EXPECT_FALSE((*devices)[i].adapterString.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MonitorLayoutTextTest,
    testing::Values(
        ParseCase{"1920x1080", {{0, 0, 1920, 1080}}},
        ParseCase{"1920x1080,1280x1024+1920+0", {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}}},
        ParseCase{"1920x1080,1280x1024", {{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}}},
        ParseCase{"800x600,1024x768-1024-100,640x480",
                  {{0, 0, 800, 600}, {-1024, -100, 0, 668}, {0, -100, 640, 380}}},
        ParseCase{" 800x600 , 1024X768+800+0 ", {{0, 0, 800, 600}, {800, 0, 1824, 768}}},
        ParseCase{"1x1+0+0", {{0, 0, 1, 1}}},
        ParseCase{"", {}}, ParseCase{"abc", {}}, ParseCase{"1920", {}}, ParseCase{"1920x", {}},
        ParseCase{"x1080", {}}, ParseCase{"0x600", {}}, ParseCase{"800x0", {}},
        ParseCase{"-800x600", {}}, ParseCase{"99999x1080", {}}, ParseCase{"1920x1080+5", {}},
        ParseCase{"1920x1080+5+", {}}, ParseCase{"1920x1080+1+1+1", {}},
        ParseCase{"1920x1080 +0+0", {}}, ParseCase{"1920x1080+0+999999999999", {}},
        ParseCase{"1920x1080,", {}}, ParseCase{",1920x1080", {}}, ParseCase{"1920x1080;800x600", {}},
        ParseCase{"1920x1080,,800x600", {}}));

TEST(MonitorLayoutText, RefusesMoreMonitorsThanALayoutCanHave) {
    std::string text = "640x480";
    for (int i = 1; i < 32; ++i) text += ",640x480";
    EXPECT_TRUE(ParseMonitorLayout(text).has_value());
    EXPECT_FALSE(ParseMonitorLayout(text + ",640x480").has_value());
}

}  // namespace
