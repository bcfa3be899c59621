#include "gdi/painting.h"

#include <algorithm>

namespace platform::gdi {

uint32_t CanvasColor(COLORREF color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}

std::vector<RECT> DrawableParts(const DeviceContext& context, const RECT& rect) {
    const RECT onCanvas = Intersection(rect, {0, 0, context.canvas.Width(), context.canvas.Height()});
    return context.clip.Intersect(onCanvas);
}

void FillClipped(DeviceContext& context, const RECT& rect, COLORREF color) {
    const uint32_t pixel = CanvasColor(color);
    for (const RECT& part : DrawableParts(context, rect)) {
        for (LONG y = part.top; y < part.bottom; ++y) {
            uint32_t* row = context.canvas.Row(y);
            std::fill(row + part.left, row + part.right, pixel);
        }
    }
}

void BlendPixel(Canvas& canvas, int x, int y, uint32_t color, uint8_t coverage) {
    uint32_t& pixel = canvas.Row(y)[x];
    uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t over = (color >> shift) & 0xFFu;
        const uint32_t under = (pixel >> shift) & 0xFFu;
        mixed |= ((over * coverage + under * (255u - coverage) + 127u) / 255u) << shift;
    }
    pixel = mixed;
}

}  // namespace platform::gdi
