// FillRect and FrameRect.
#include <windows.h>

#include "gdi/gdi_objects.h"
#include "gdi/painting.h"

using platform::gdi::BrushColor;
using platform::gdi::FillClipped;
using platform::gdi::LookUpDeviceContext;

extern "C" int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    auto* context = LookUpDeviceContext(dc);
    const auto color = BrushColor(brush);
    if (!context || !rect || !color) return 0;
    FillClipped(*context, *rect, *color);
    return 1;
}

// A one-pixel border just inside the rectangle.
extern "C" int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    auto* context = LookUpDeviceContext(dc);
    const auto color = BrushColor(brush);
    if (!context || !rect || !color) return 0;
    const RECT& r = *rect;
    if (r.right <= r.left || r.bottom <= r.top) return 1;
    FillClipped(*context, {r.left, r.top, r.right, r.top + 1}, *color);
    FillClipped(*context, {r.left, r.bottom - 1, r.right, r.bottom}, *color);
    FillClipped(*context, {r.left, r.top + 1, r.left + 1, r.bottom - 1}, *color);
    FillClipped(*context, {r.right - 1, r.top + 1, r.right, r.bottom - 1}, *color);
    return 1;
}
