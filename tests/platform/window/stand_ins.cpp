// TEMPORARY: the clock and canvas of other areas, until they are merged.
#include <chrono>
#include <thread>

#include "gdi/canvas.h"
#include "kernel/clock.h"

namespace platform {
namespace {
TimeSource* g_source = nullptr;
}
void SetTimeSource(TimeSource* source) { g_source = source; }
int64_t MonotonicNanoseconds() {
    if (g_source) return g_source->NowNanoseconds();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
}
void SleepNanoseconds(int64_t duration) {
    if (g_source) g_source->SleepNanoseconds(duration);
    else std::this_thread::sleep_for(std::chrono::nanoseconds(duration));
}
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
