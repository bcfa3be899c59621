// The CPU pixels behind a window's GDI painting, and the device contexts
// that draw into them. Windows own one canvas each and show it on screen
// at EndPaint; GDI calls draw through a device context.
#pragma once

#include <cstdint>
#include <vector>

#include <windef.h>

namespace platform::gdi {

// Pixels as 0x00RRGGBB, rows top first.
class Canvas {
public:
    void Resize(int width, int height);  // keeps the overlapping pixels
    int Width() const { return width_; }
    int Height() const { return height_; }
    uint32_t Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    uint32_t* Row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

// A device context drawing into canvas (clip = the whole canvas, default
// font, black text, opaque background mode) until closed.
HDC OpenDeviceContext(Canvas& canvas);
void CloseDeviceContext(HDC dc);

}  // namespace platform::gdi
