// A canvas with a device context open on it, and ways to read it back.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/gdi/canvas.h"

namespace gdi_test {

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;

class CanvasTest : public testing::Test {
protected:
    void SetUp() override {
        canvas.Resize(kWidth, kHeight);
        dc = platform::gdi::OpenDeviceContext(canvas);
    }
    void TearDown() override { platform::gdi::CloseDeviceContext(dc); }

    // Every pixel of the canvas inside rect has color, every other one not.
    // Returns the number of pixels that break this.
    int Mismatches(const RECT& rect, uint32_t color) const {
        int wrong = 0;
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                const bool inside = x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
                wrong += inside != (canvas.Pixel(x, y) == color);
            }
        }
        return wrong;
    }

    // The smallest rectangle holding every pixel of area other than background.
    RECT InkBounds(uint32_t background, RECT area = {0, 0, kWidth, kHeight}) const {
        RECT bounds{area.right, area.bottom, area.left, area.top};
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                if (canvas.Pixel(x, y) == background) continue;
                bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                          std::max<LONG>(bounds.right, x + 1), std::max<LONG>(bounds.bottom, y + 1)};
            }
        }
        return bounds;
    }

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 200;
    platform::gdi::Canvas canvas;
    HDC dc = nullptr;
};

}  // namespace gdi_test
