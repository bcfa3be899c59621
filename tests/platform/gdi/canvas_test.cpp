#include <gtest/gtest.h>

#include "platform/gdi/canvas.h"

namespace {

TEST(Canvas, ResizingKeepsTheOverlapAndClearsTheRest) {
    platform::gdi::Canvas canvas;
    canvas.Resize(3, 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) canvas.Row(y)[x] = static_cast<uint32_t>(10 * y + x + 1);
    }
    canvas.Resize(2, 3);
    ASSERT_EQ(canvas.Width(), 2);
    ASSERT_EQ(canvas.Height(), 3);
    EXPECT_EQ(canvas.Pixels(), (std::vector<uint32_t>{1, 2, 11, 12, 0, 0}));
    canvas.Resize(-4, 5);
    EXPECT_EQ(canvas.Width(), 0);
    EXPECT_TRUE(canvas.Pixels().empty());
}

}  // namespace
