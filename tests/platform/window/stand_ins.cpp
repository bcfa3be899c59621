// TEMPORARY: the canvas of the GDI area, until it is merged.
#include "gdi/canvas.h"

namespace platform {
namespace gdi {
void Canvas::Resize(int width, int height) {
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * height, 0);
}
HDC OpenDeviceContext(Canvas& canvas) { return reinterpret_cast<HDC>(&canvas); }
void CloseDeviceContext(HDC) {}
}  // namespace gdi
}  // namespace platform
