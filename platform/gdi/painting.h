// Pixel operations on a device context's canvas, kept inside its clip
// region and the canvas.
#pragma once

#include <cstdint>

#include <windef.h>

#include "gdi/device_context.h"

namespace platform::gdi {

// COLORREF is 0x00BBGGRR; the canvas holds 0x00RRGGBB.
uint32_t CanvasColor(COLORREF color);

// The parts of rect that drawing may touch.
std::vector<RECT> DrawableParts(const DeviceContext& context, const RECT& rect);

void FillClipped(DeviceContext& context, const RECT& rect, COLORREF color);

// Mixes color into the pixel by coverage (0 to 255); x and y must be drawable.
void BlendPixel(Canvas& canvas, int x, int y, uint32_t color, uint8_t coverage);

}  // namespace platform::gdi
