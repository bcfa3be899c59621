// The paint of an error box on a black monitor window: a window-coloured,
// black-framed box with the message centred in it, then everything around
// it filled black through the clip region.
#include "platform/gdi/canvas_fixture.h"

namespace gdi_test {
namespace {

using ErrorBoxPaintTest = CanvasTest;

TEST_F(ErrorBoxPaintTest, TheBoxKeepsItsTextAndTheRestTurnsBlack) {
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));  // the previous frame

    const RECT box{10, 25, 310, 175};
    const HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
    FrameRect(dc, &box, black);
    const wchar_t* text = L"Could not create the Direct3D device.";
    RECT measured = box;
    const int height = DrawTextW(dc, text, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    RECT target = box;
    target.top += (box.bottom - box.top - height) / 2;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextW(dc, text, -1, &target, DT_WORDBREAK | DT_CENTER);
    ExcludeClipRect(dc, box.left, box.top, box.right, box.bottom);
    FillRect(dc, &all, black);

    // Outside the box: black. Its frame: black. Inside: white with dark text in the measured place.
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool inBox = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            const bool frame = inBox && (x == box.left || x == box.right - 1 || y == box.top || y == box.bottom - 1);
            if (!inBox || frame) wrong += canvas.Pixel(x, y) != kBlack;
        }
    }
    EXPECT_EQ(wrong, 0);
    const RECT interior{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    const RECT ink = InkBounds(kWhite, interior);
    const LONG textLeft = box.left + (box.right - box.left - (measured.right - measured.left)) / 2;
    ASSERT_LT(ink.left, ink.right);
    EXPECT_GE(ink.left, textLeft - 1);
    EXPECT_LE(ink.right, textLeft + (measured.right - measured.left) + 1);
    EXPECT_GE(ink.top, target.top);
    EXPECT_LE(ink.bottom, target.top + height);
}

}  // namespace
}  // namespace gdi_test
