// Update regions, WM_PAINT, BeginPaint and EndPaint, and the window canvas.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/window/recording_window.h"
#include "window/window_canvas.h"

namespace {

using namespace window_test;

class Painting : public ::testing::Test {
protected:
    Painting() {
        window_ = CreateTopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 200, 100});
        ValidateRect(window_, nullptr);
        Log().clear();
    }

    // The rectangle BeginPaint reports for the next WM_PAINT, or nothing.
    std::optional<RECT> NextPaint() {
        MSG message;
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) || message.message != WM_PAINT) return std::nullopt;
        PAINTSTRUCT paint;
        BeginPaint(message.hwnd, &paint);
        EndPaint(message.hwnd, &paint);
        return paint.rcPaint;
    }

    WindowTest windows_;
    HWND window_;
};

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(Painting, InvalidRectanglesAddUpAndAreClippedToTheClientArea) {
    const RECT first{10, 10, 20, 20};
    const RECT second{150, 50, 300, 300};
    InvalidateRect(window_, &first, FALSE);
    InvalidateRect(window_, &second, FALSE);
    const auto painted = NextPaint();
    ASSERT_TRUE(painted);
    EXPECT_TRUE(SameRect(*painted, RECT{10, 10, 200, 100}));
    EXPECT_FALSE(NextPaint());
    EXPECT_TRUE(Messages(WM_ERASEBKGND).empty());
}

TEST_F(Painting, EraseIsAskedOnceAndReportedWhenNotDone) {
    InvalidateRect(window_, nullptr, TRUE);
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window_, &paint);
    ASSERT_NE(dc, nullptr);
    const auto erase = Messages(WM_ERASEBKGND);
    ASSERT_EQ(erase.size(), 1u);
    EXPECT_EQ(erase[0].wParam, reinterpret_cast<WPARAM>(dc));
    EXPECT_TRUE(paint.fErase);  // the class has no brush, so nothing was erased
    EndPaint(window_, &paint);

    SetOverride([](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message != WM_ERASEBKGND) return false;
        *result = 1;
        return true;
    });
    InvalidateRect(window_, nullptr, TRUE);
    BeginPaint(window_, &paint);
    EXPECT_FALSE(paint.fErase);
    EndPaint(window_, &paint);
}

TEST_F(Painting, ValidateRectRemovesWhatItCovers) {
    const RECT band{0, 0, 200, 40};
    InvalidateRect(window_, nullptr, FALSE);
    ValidateRect(window_, &band);
    const auto painted = NextPaint();
    ASSERT_TRUE(painted);
    EXPECT_TRUE(SameRect(*painted, RECT{0, 40, 200, 100}));
    InvalidateRect(window_, &band, FALSE);
    ValidateRect(window_, &band);
    EXPECT_FALSE(NextPaint());
}

TEST_F(Painting, UpdateWindowPaintsAtOnceWindowAndChildren) {
    HWND child = CreateChild(window_, {10, 10, 50, 50});
    InvalidateRect(window_, nullptr, FALSE);
    Log().clear();
    ASSERT_TRUE(UpdateWindow(window_));
    const auto paints = Messages(WM_PAINT);
    ASSERT_EQ(paints.size(), 2u);
    EXPECT_EQ(paints[0].window, window_);
    EXPECT_EQ(paints[1].window, child);
    Log().clear();
    UpdateWindow(window_);  // nothing left to paint
    EXPECT_TRUE(Messages(WM_PAINT).empty());
}

TEST_F(Painting, ShowingAWindowInvalidatesItWithErase) {
    HWND hidden = CreateTopLevel(WS_POPUP, {0, 0, 30, 30});
    ShowWindow(hidden, SW_SHOW);
    SettleDisplay();
    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.hwnd, hidden);
    PAINTSTRUCT paint;
    BeginPaint(hidden, &paint);
    EXPECT_TRUE(SameRect(paint.rcPaint, RECT{0, 0, 30, 30}));
    EndPaint(hidden, &paint);
    EXPECT_EQ(Messages(WM_ERASEBKGND).size(), 1u);
}

TEST_F(Painting, CanvasHasTheClientSizeAndFollowsIt) {
    platform::gdi::Canvas* canvas = platform::WindowCanvas(window_);
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(canvas->Width(), 200);
    EXPECT_EQ(canvas->Height(), 100);
    SetWindowPos(window_, nullptr, 0, 0, 320, 240, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(canvas->Width(), 320);
    EXPECT_EQ(canvas->Height(), 240);
    // A new size needs a new picture.
    const auto painted = NextPaint();
    ASSERT_TRUE(painted);
    EXPECT_TRUE(SameRect(*painted, RECT{0, 0, 320, 240}));
    EXPECT_EQ(platform::WindowCanvas(nullptr), nullptr);
}

TEST_F(Painting, GetDcDrawsIntoTheWindowCanvas) {
    const HDC dc = GetDC(window_);
    ASSERT_NE(dc, nullptr);
    const RECT area{5, 5, 10, 10};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(ReleaseDC(window_, dc), 1);
    EXPECT_EQ(platform::WindowCanvas(window_)->Pixel(7, 7), 0x00FFFFFFu);
    EXPECT_EQ(platform::WindowCanvas(window_)->Pixel(4, 4), 0x00000000u);
    EXPECT_EQ(GetDC(nullptr), nullptr);
}

LRESULT CALLBACK PaintNothing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ClassBrush, DefWindowProcErasesWithItAndPaintingKeepsTheCanvas) {
    WindowTest windows;
    const HBRUSH brush = CreateSolidBrush(RGB(0x12, 0x34, 0x56));
    WNDCLASSW description{};
    description.lpfnWndProc = PaintNothing;
    description.hbrBackground = brush;
    description.lpszClassName = L"BrushWindow";
    ASSERT_NE(RegisterClassW(&description), 0);
    HWND window = CreateWindowExW(0, L"BrushWindow", L"", WS_POPUP | WS_VISIBLE, 0, 0, 30, 20, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    SettleDisplay();
    ASSERT_TRUE(UpdateWindow(window));
    const platform::gdi::Canvas* canvas = platform::WindowCanvas(window);
    EXPECT_EQ(canvas->Pixel(0, 0), 0x00123456u);
    EXPECT_EQ(canvas->Pixel(29, 19), 0x00123456u);

    // A paint without erasing leaves what was there.
    HDC dc = GetDC(window);
    const RECT corner{0, 0, 2, 2};
    FillRect(dc, &corner, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    ReleaseDC(window, dc);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_EQ(canvas->Pixel(1, 1), 0x00000000u);
    EXPECT_EQ(canvas->Pixel(2, 2), 0x00123456u);
    DestroyWindow(window);
    DeleteObject(brush);
}

}  // namespace
