#include "platform/gdi/canvas_fixture.h"

namespace gdi_test {
namespace {

using FillRectTest = CanvasTest;

HBRUSH Stock(int object) { return static_cast<HBRUSH>(GetStockObject(object)); }

TEST_F(FillRectTest, FillsExactlyTheRectangleWithTheBrushColour) {
    const HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    const RECT rect{10, 20, 50, 30};
    EXPECT_EQ(FillRect(dc, &rect, brush), 1);
    EXPECT_EQ(Mismatches(rect, 0x123456), 0);
    DeleteObject(brush);
}

TEST_F(FillRectTest, SystemColourBrushesAndIndicesPlusOneGiveTheSystemColour) {
    const RECT a{0, 0, 10, 10};
    const RECT b{10, 0, 20, 10};
    FillRect(dc, &a, GetSysColorBrush(COLOR_WINDOW));
    FillRect(dc, &b, reinterpret_cast<HBRUSH>(static_cast<uintptr_t>(COLOR_WINDOW + 1)));
    EXPECT_EQ(Mismatches({0, 0, 20, 10}, kWhite), 0);
}

TEST_F(FillRectTest, StaysOnTheCanvasAndRefusesBadArguments) {
    const RECT huge{-50, -50, kWidth + 50, kHeight + 50};
    EXPECT_EQ(FillRect(dc, &huge, Stock(WHITE_BRUSH)), 1);
    EXPECT_EQ(Mismatches({0, 0, kWidth, kHeight}, kWhite), 0);
    EXPECT_EQ(FillRect(dc, nullptr, Stock(BLACK_BRUSH)), 0);
    EXPECT_EQ(FillRect(dc, &huge, reinterpret_cast<HBRUSH>(uintptr_t{0xDEAD0})), 0);
    EXPECT_EQ(FillRect(dc, &huge, static_cast<HBRUSH>(GetStockObject(DEFAULT_GUI_FONT))), 0);
    const RECT inverted{40, 40, 10, 10};
    EXPECT_EQ(FillRect(dc, &inverted, Stock(BLACK_BRUSH)), 1);
    EXPECT_EQ(Mismatches({0, 0, kWidth, kHeight}, kWhite), 0);
}

TEST_F(FillRectTest, FrameRectDrawsTheOnePixelBorderInside) {
    const RECT rect{5, 6, 15, 12};
    EXPECT_EQ(FrameRect(dc, &rect, Stock(WHITE_BRUSH)), 1);
    int framed = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool inside = x >= 5 && x < 15 && y >= 6 && y < 12;
            const bool border = inside && (x == 5 || x == 14 || y == 6 || y == 11);
            EXPECT_EQ(canvas.Pixel(x, y), border ? kWhite : kBlack) << x << "," << y;
            framed += border;
        }
    }
    EXPECT_EQ(framed, 2 * 10 + 2 * 4);
}

TEST_F(FillRectTest, AnExcludedRectangleIsLeftAlone) {
    EXPECT_EQ(ExcludeClipRect(dc, 100, 50, 200, 150), COMPLEXREGION);
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, Stock(WHITE_BRUSH));
    EXPECT_EQ(Mismatches({100, 50, 200, 150}, kBlack), 0);
    // Excluding the corner of an excluded box and the rest of the canvas.
    EXPECT_EQ(ExcludeClipRect(dc, 150, 100, 250, 160), COMPLEXREGION);
    EXPECT_EQ(ExcludeClipRect(dc, 0, 0, kWidth, kHeight), NULLREGION);
    FillRect(dc, &all, Stock(BLACK_BRUSH));
    EXPECT_EQ(Mismatches({100, 50, 200, 150}, kBlack), 0);
}

TEST_F(FillRectTest, ExcludingAnEdgeStripLeavesASimpleRegion) {
    EXPECT_EQ(ExcludeClipRect(dc, 0, 0, kWidth, 10), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(dc, 40, 40, 30, 30), COMPLEXREGION);  // corners in either order
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, Stock(WHITE_BRUSH));
    EXPECT_EQ(canvas.Pixel(5, 5), kBlack);
    EXPECT_EQ(canvas.Pixel(35, 35), kBlack);
    EXPECT_EQ(canvas.Pixel(29, 35), kWhite);
    EXPECT_EQ(canvas.Pixel(5, 10), kWhite);
}

}  // namespace
}  // namespace gdi_test
