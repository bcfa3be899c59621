// MonitorFromRect, MonitorFromPoint and GetMonitorInfoW over the current
// layout.
#include <windows.h>

#include <algorithm>
#include <cstdint>

#include "display/display_layout.h"
#include "display/fixed_text.h"

using platform::display::CurrentDisplayLayout;
using platform::display::DisplayLayout;

namespace {

// 64-bit so that points at the ends of the LONG range cannot overflow.
struct Area {
    int64_t left, top, right, bottom;
};

Area AreaOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

int64_t Overlap(const Area& a, const Area& b) {
    const int64_t width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int64_t height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

double SquaredGap(const Area& a, const Area& b) {
    const auto dx = static_cast<double>(std::max<int64_t>({0, b.left - a.right, a.left - b.right}));
    const auto dy = static_cast<double>(std::max<int64_t>({0, b.top - a.bottom, a.top - b.bottom}));
    return dx * dx + dy * dy;
}

// The monitor sharing the most of area; else what flags ask for.
HMONITOR MonitorFromArea(const DisplayLayout& layout, const Area& area, DWORD flags) {
    HMONITOR best = nullptr;
    int64_t bestOverlap = 0;
    for (const auto& device : layout.devices) {
        const int64_t overlap = device.monitor ? Overlap(area, AreaOf(device.description.rect)) : 0;
        if (overlap > bestOverlap) {
            best = device.monitor;
            bestOverlap = overlap;
        }
    }
    if (best) return best;
    if (flags == MONITOR_DEFAULTTOPRIMARY) {
        const auto* primary = layout.Primary();
        return primary ? primary->monitor : nullptr;
    }
    if (flags != MONITOR_DEFAULTTONEAREST) return nullptr;
    double bestGap = 0;
    for (const auto& device : layout.devices) {
        if (!device.monitor) continue;
        const double gap = SquaredGap(area, AreaOf(device.description.rect));
        if (!best || gap < bestGap) {
            best = device.monitor;
            bestGap = gap;
        }
    }
    return best;
}

Area PointArea(int64_t x, int64_t y) { return {x, y, x + 1, y + 1}; }

}  // namespace

extern "C" HMONITOR WINAPI MonitorFromRect(LPCRECT rect, DWORD flags) {
    if (!rect) return nullptr;
    // An empty rectangle stands for its corner.
    const bool empty = rect->right <= rect->left || rect->bottom <= rect->top;
    return MonitorFromArea(*CurrentDisplayLayout(), empty ? PointArea(rect->left, rect->top) : AreaOf(*rect),
                           flags);
}

extern "C" HMONITOR WINAPI MonitorFromPoint(POINT point, DWORD flags) {
    return MonitorFromArea(*CurrentDisplayLayout(), PointArea(point.x, point.y), flags);
}

extern "C" BOOL WINAPI GetMonitorInfoW(HMONITOR monitor, LPMONITORINFO info) {
    if (!info || (info->cbSize != sizeof(MONITORINFO) && info->cbSize != sizeof(MONITORINFOEXW))) {
        return FALSE;
    }
    const auto layout = CurrentDisplayLayout();
    const auto* device = layout->FindByMonitor(monitor);
    if (!device) return FALSE;
    info->rcMonitor = device->description.rect;
    info->rcWork = device->description.rect;
    info->dwFlags = device->description.primary ? MONITORINFOF_PRIMARY : 0u;
    if (info->cbSize == sizeof(MONITORINFOEXW)) {
        platform::display::CopyToField(static_cast<MONITORINFOEXW*>(info)->szDevice, device->name);
    }
    return TRUE;
}
