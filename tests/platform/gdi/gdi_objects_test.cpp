#include "platform/gdi/canvas_fixture.h"

namespace gdi_test {
namespace {

TEST(GdiObjects, StockObjectsAreFixedAndSurviveDeletion) {
    const HGDIOBJ black = GetStockObject(BLACK_BRUSH);
    ASSERT_NE(black, nullptr);
    EXPECT_EQ(GetStockObject(BLACK_BRUSH), black);
    EXPECT_NE(GetStockObject(WHITE_BRUSH), black);
    EXPECT_NE(GetStockObject(DEFAULT_GUI_FONT), nullptr);
    EXPECT_EQ(GetStockObject(12345), nullptr);
    EXPECT_TRUE(DeleteObject(black));
    EXPECT_EQ(GetStockObject(BLACK_BRUSH), black);
}

TEST(GdiObjects, SystemColorsAreTheDefaultAppearance) {
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), RGB(153, 180, 209));
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(31), 0u);
    EXPECT_NE(GetSysColorBrush(COLOR_WINDOW), nullptr);
    EXPECT_EQ(GetSysColorBrush(99), nullptr);
}

TEST(GdiObjects, ACreatedBrushIsGoneOnceDeleted) {
    const HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    const HBRUSH other = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_NE(brush, nullptr);
    EXPECT_NE(brush, other);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    EXPECT_TRUE(DeleteObject(other));
    EXPECT_FALSE(DeleteObject(nullptr));
}

using DeviceContextTest = CanvasTest;

TEST_F(DeviceContextTest, SettersReturnThePreviousState) {
    EXPECT_EQ(SetTextColor(dc, RGB(10, 20, 30)), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc, RGB(0, 0, 0)), RGB(10, 20, 30));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
    EXPECT_EQ(SetBkMode(dc, 7), 0);

    const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    const HGDIOBJ systemFont = SelectObject(dc, font);
    EXPECT_EQ(systemFont, GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(SelectObject(dc, systemFont), font);
    const HBRUSH brush = CreateSolidBrush(RGB(5, 5, 5));
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_FALSE(DeleteObject(brush));  // still selected
    EXPECT_EQ(SelectObject(dc, GetStockObject(WHITE_BRUSH)), brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_EQ(SelectObject(dc, brush), nullptr);
}

TEST_F(DeviceContextTest, AClosedContextRefusesEverything) {
    platform::gdi::Canvas other;
    other.Resize(4, 4);
    const HDC closed = platform::gdi::OpenDeviceContext(other);
    platform::gdi::CloseDeviceContext(closed);
    const RECT rect{0, 0, 4, 4};
    EXPECT_EQ(FillRect(closed, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))), 0);
    EXPECT_EQ(SetTextColor(closed, 0), CLR_INVALID);
    EXPECT_EQ(SetBkMode(closed, OPAQUE), 0);
    EXPECT_EQ(ExcludeClipRect(closed, 0, 0, 1, 1), ERROR);
    EXPECT_EQ(SelectObject(closed, GetStockObject(BLACK_BRUSH)), nullptr);
    RECT text = rect;
    EXPECT_EQ(DrawTextW(closed, L"x", -1, &text, 0), 0);
    EXPECT_EQ(other.Pixel(0, 0), kBlack);
}

}  // namespace
}  // namespace gdi_test
