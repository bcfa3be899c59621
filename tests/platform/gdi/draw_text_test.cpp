#include "platform/gdi/canvas_fixture.h"

namespace gdi_test {
namespace {

constexpr const wchar_t* kMessage = L"There was an unspecified problem with this screen saver.";

class DrawTextTest : public CanvasTest {
protected:
    void SetUp() override {
        CanvasTest::SetUp();
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
    }

    RECT Measure(const wchar_t* text, RECT rect, UINT format) {
        DrawTextW(dc, text, -1, &rect, format | DT_CALCRECT);
        return rect;
    }

    int LineHeight() { return Measure(L"x", {0, 0, 100, 100}, DT_SINGLELINE).bottom; }
};

TEST_F(DrawTextTest, CalcRectKeepsTheCornerAndGivesWidthAndHeight) {
    const int lineHeight = LineHeight();
    EXPECT_GE(lineHeight, 12);
    const RECT one = Measure(L"Hello", {10, 20, 300, 25}, DT_SINGLELINE);
    EXPECT_EQ(one.left, 10);
    EXPECT_EQ(one.top, 20);
    EXPECT_EQ(one.bottom, 20 + lineHeight);
    EXPECT_GT(one.right - one.left, 20);
    const RECT longer = Measure(L"Hello, world", {10, 20, 300, 25}, DT_SINGLELINE);
    EXPECT_GT(longer.right, one.right);

    RECT wrapped{10, 20, 210, 25};
    const int height = DrawTextW(dc, kMessage, -1, &wrapped, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    EXPECT_EQ(height, wrapped.bottom - wrapped.top);
    EXPECT_GE(height, 2 * lineHeight);
    EXPECT_EQ(height % lineHeight, 0);
    EXPECT_LE(wrapped.right, 210);
    EXPECT_EQ(Mismatches({0, 0, kWidth, kHeight}, kBlack), 0);  // measuring draws nothing

    // A count stops the text early.
    RECT counted{10, 20, 300, 25};
    DrawTextW(dc, L"Hello, world", 5, &counted, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(counted.right, one.right);
}

TEST_F(DrawTextTest, CentredWrappedTextLandsWhereCalcRectSaidItWould) {
    const RECT box{20, 20, 220, 180};
    RECT measured = box;
    const int textHeight = DrawTextW(dc, kMessage, -1, &measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    const int textWidth = measured.right - measured.left;
    RECT target = box;
    target.top += (box.bottom - box.top - textHeight) / 2;
    EXPECT_EQ(DrawTextW(dc, kMessage, -1, &target, DT_WORDBREAK | DT_CENTER), textHeight);

    const RECT ink = InkBounds(kBlack);
    const LONG expectedLeft = box.left + (box.right - box.left - textWidth) / 2;
    EXPECT_GE(ink.left, expectedLeft - 1);
    EXPECT_LE(ink.right, expectedLeft + textWidth + 1);
    EXPECT_GE(ink.top, target.top);
    EXPECT_LE(ink.bottom, target.top + textHeight);
    // The lines really are there: ink from the first to the last, centred.
    EXPECT_GT(ink.bottom - ink.top, textHeight - LineHeight());
    EXPECT_LE(std::abs((ink.left - box.left) - (box.right - ink.right)), 3);
}

TEST_F(DrawTextTest, ASingleLineCentresVerticallyAndReportsItsBottom) {
    const RECT box{0, 40, 200, 140};
    const int lineHeight = LineHeight();
    RECT target = box;
    const int bottom = DrawTextW(dc, L"Middle", -1, &target, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    const int top = box.top + (100 - lineHeight) / 2;
    EXPECT_EQ(bottom, top - box.top + lineHeight);
    const RECT ink = InkBounds(kBlack);
    EXPECT_GE(ink.top, top);
    EXPECT_LE(ink.bottom, top + lineHeight);
    EXPECT_GT(ink.top, box.top + 30);
}

TEST_F(DrawTextTest, TextStaysInsideItsRectangleAndTheClipRegion) {
    RECT narrow{30, 30, 60, 100};
    DrawTextW(dc, L"Unbreakablewordthatistoolong", -1, &narrow, DT_WORDBREAK);
    RECT ink = InkBounds(kBlack);
    EXPECT_GE(ink.left, 30);
    EXPECT_LE(ink.right, 60);
    EXPECT_GT(ink.right, 55);

    canvas.Resize(0, 0);
    canvas.Resize(kWidth, kHeight);
    ExcludeClipRect(dc, 0, 0, 100, kHeight);
    RECT wide{0, 0, kWidth, kHeight};
    DrawTextW(dc, L"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", -1, &wide, DT_SINGLELINE);
    ink = InkBounds(kBlack);
    EXPECT_GE(ink.left, 100);
    EXPECT_GT(ink.right, 150);
}

TEST_F(DrawTextTest, OpaqueModePaintsTheLineCellInTheBackgroundColour) {
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, RGB(0, 0, 0));
    const RECT cell = Measure(L"Cell", {10, 10, 300, 300}, DT_SINGLELINE);
    RECT target{10, 10, 300, 300};
    DrawTextW(dc, L"Cell", -1, &target, DT_SINGLELINE);
    EXPECT_EQ(InkBounds(kBlack).left, cell.left);
    EXPECT_EQ(InkBounds(kBlack).right, cell.right);
    EXPECT_EQ(InkBounds(kBlack).bottom, cell.bottom);
    EXPECT_EQ(canvas.Pixel(cell.left, cell.top), kWhite);
    EXPECT_EQ(canvas.Pixel(cell.right - 1, cell.bottom - 1), kWhite);
}

TEST_F(DrawTextTest, AFontOfItsOwnMeasuresDifferently) {
    const RECT system = Measure(L"Sample text", {0, 0, 300, 100}, DT_SINGLELINE);
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    const RECT gui = Measure(L"Sample text", {0, 0, 300, 100}, DT_SINGLELINE);
    SelectObject(dc, previous);
    EXPECT_LT(gui.bottom, system.bottom);
    EXPECT_LT(gui.right, system.right);
}

TEST_F(DrawTextTest, APrefixUnderlinesAndDtNoPrefixShowsTheAmpersand) {
    RECT plain{0, 0, 100, 40};
    DrawTextW(dc, L"xx", -1, &plain, DT_SINGLELINE);
    const RECT plainInk = InkBounds(kBlack);
    canvas.Resize(0, 0);
    canvas.Resize(kWidth, kHeight);
    RECT prefixed{0, 0, 100, 40};
    DrawTextW(dc, L"&xx", -1, &prefixed, DT_SINGLELINE);
    const RECT underlinedInk = InkBounds(kBlack);
    EXPECT_EQ(underlinedInk.left, plainInk.left);
    EXPECT_GT(underlinedInk.bottom, plainInk.bottom);

    EXPECT_GT(Measure(L"&xx", {0, 0, 100, 40}, DT_SINGLELINE | DT_NOPREFIX).right,
              Measure(L"&xx", {0, 0, 100, 40}, DT_SINGLELINE).right);
}

}  // namespace
}  // namespace gdi_test
