// GDI painting of a window procedure, between BeginPaint and EndPaint, read
// back from the window's canvas.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/window/recording_window.h"
#include "window/window_canvas.h"

namespace {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kBlue = 0x204060;

TEST(WindowPaint, AWindowsPaintLandsInItsCanvas) {
    window_test::WindowTest windows;
    const RECT box{40, 30, 200, 90};
    window_test::SetOverride([&box](HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message != WM_PAINT) return false;
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const HBRUSH blue = CreateSolidBrush(RGB(0x20, 0x40, 0x60));
        FillRect(dc, &box, blue);
        DeleteObject(blue);
        ExcludeClipRect(dc, box.left, box.top, box.right, box.bottom);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(window, &paint);
        *result = 0;
        return true;
    });
    const HWND window = window_test::CreateTopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 240, 120});
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);

    const platform::gdi::Canvas* canvas = platform::WindowCanvas(window);
    ASSERT_NE(canvas, nullptr);
    ASSERT_EQ(canvas->Width(), 240);
    ASSERT_EQ(canvas->Height(), 120);
    int wrong = 0;
    for (int y = 0; y < canvas->Height(); ++y) {
        for (int x = 0; x < canvas->Width(); ++x) {
            const bool inBox = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
            wrong += canvas->Pixel(x, y) != (inBox ? kBlue : kBlack);
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
