#include "window/painting.h"

#include "gdi/clip_region.h"
#include "window/frame_capture.h"
#include "window/run_limit.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace platform::window {
namespace {

using gdi::Intersection;
using gdi::IsEmpty;

RECT Union(const RECT& a, const RECT& b) {
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

bool Covers(const RECT& outer, const RECT& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
           outer.bottom >= inner.bottom;
}

}  // namespace

// The update region is kept as a bounding rectangle: a validated rectangle
// removes what it covers when the rest is still a rectangle.
void ValidateArea(UpdateRegion& update, const RECT& validated) {
    RECT& bounds = update.bounds;
    const RECT overlap = Intersection(bounds, validated);
    if (IsEmpty(overlap)) return;
    if (Covers(validated, bounds)) {
        update = UpdateRegion{};
        return;
    }
    const bool fullWidth = overlap.left == bounds.left && overlap.right == bounds.right;
    const bool fullHeight = overlap.top == bounds.top && overlap.bottom == bounds.bottom;
    if (fullWidth && overlap.top == bounds.top) bounds.top = overlap.bottom;
    else if (fullWidth && overlap.bottom == bounds.bottom) bounds.bottom = overlap.top;
    else if (fullHeight && overlap.left == bounds.left) bounds.left = overlap.right;
    else if (fullHeight && overlap.right == bounds.right) bounds.right = overlap.left;
}

bool ShownOnScreen(const Window& window) {
    for (const Window* current = &window; current;
         current = current->IsChild() ? LookUpWindow(current->parent) : nullptr) {
        if (!current->IsVisible()) return false;
    }
    return true;
}

namespace {

void CopyCanvas(const gdi::Canvas& source, std::vector<uint32_t>& target, int targetWidth, int targetHeight,
                POINT offset) {
    for (int y = 0; y < source.Height(); ++y) {
        const int targetY = offset.y + y;
        if (targetY < 0 || targetY >= targetHeight) continue;
        const int firstX = std::max(0, -static_cast<int>(offset.x));
        const int lastX = std::min(source.Width(), targetWidth - static_cast<int>(offset.x));
        if (firstX >= lastX) continue;
        const uint32_t* row = source.Pixels().data() + static_cast<size_t>(y) * source.Width();
        std::copy(row + firstX, row + lastX,
                  target.begin() + static_cast<std::ptrdiff_t>(targetY) * targetWidth + offset.x + firstX);
    }
}

// Children drawn over their parent, each at its client origin.
void ComposeChildren(const Window& parent, POINT topOrigin, std::vector<uint32_t>& pixels, int width,
                     int height) {
    for (HWND handle : ChildWindows(parent.handle)) {
        const Window* child = LookUpWindow(handle);
        if (!child || !child->IsVisible()) continue;
        const POINT origin = ClientOriginOnScreen(*child);
        CopyCanvas(child->canvas, pixels, width, height, POINT{origin.x - topOrigin.x, origin.y - topOrigin.y});
        ComposeChildren(*child, topOrigin, pixels, width, height);
    }
}

}  // namespace

HWND WindowNeedingPaint(const MessageFilter& filter) {
    for (HWND handle : AllWindows()) {
        const Window* window = LookUpWindow(handle);
        if (window->update.pending && ShownOnScreen(*window) && filter.Accepts(handle, WM_PAINT))
            return handle;
    }
    return nullptr;
}

void InvalidateWindow(Window& window, const RECT* rect, bool erase) {
    const RECT client = ClientRectInWindow(window);
    const RECT area = rect ? Intersection(*rect, client) : client;
    if (IsEmpty(area)) return;
    UpdateRegion& update = window.update;
    update.bounds = update.pending ? Union(update.bounds, area) : area;
    update.pending = true;
    update.erase = update.erase || erase;
}

void InvalidateTree(Window& window) {
    InvalidateWindow(window, nullptr, true);
    for (HWND handle : ChildWindows(window.handle))
        if (Window* child = LookUpWindow(handle)) InvalidateTree(*child);
}

void InvalidateAreaUnder(const Window& child) {
    Window* parent = LookUpWindow(child.parent);
    if (!child.IsChild() || !parent) return;
    InvalidateWindow(*parent, &child.rect, true);
}

namespace {

// The top-level window's canvas with the canvases of the visible windows
// inside it.
std::vector<uint32_t> ComposedPixels(const Window& top) {
    std::vector<uint32_t> pixels = top.canvas.Pixels();
    if (!ChildWindows(top.handle).empty()) {
        ComposeChildren(top, ClientOriginOnScreen(top), pixels, top.canvas.Width(), top.canvas.Height());
    }
    return pixels;
}

void CaptureFrame(const Window& top, const std::vector<uint32_t>& pixels) {
    const std::vector<HWND> windows = TopLevelWindows();
    const auto index = static_cast<UINT>(std::find(windows.begin(), windows.end(), top.handle) - windows.begin());
    FrameCapture capture("window", index);
    if (!capture.enabled()) return;
    // 0x00RRGGBB in memory is B, G, R and a fourth byte.
    std::vector<uint8_t> bgra(pixels.size() * 4);
    std::memcpy(bgra.data(), pixels.data(), bgra.size());
    capture.Write(bgra, top.canvas.Width(), top.canvas.Height());
}

}  // namespace

void PresentWindow(Window& window) {
    Window& top = TopLevelAncestor(window);
    if (!top.sdlWindow || !ShownOnScreen(top)) return;
    if (!top.presenter && !top.presenterUnavailable) {
        top.presenter = GlPresenter::Create(top.sdlWindow.get());
        top.presenterUnavailable = !top.presenter;
    }
    if (!top.presenter) return;
    const std::vector<uint32_t> pixels = ComposedPixels(top);
    top.presenter->Show(pixels.data(), top.canvas.Width(), top.canvas.Height());
}

void ShowPaintedFrame(Window& window) {
    PresentWindow(window);
    Window& top = TopLevelAncestor(window);
    if (!ShownOnScreen(top)) return;
    CaptureFrame(top, ComposedPixels(top));
    NoteWindowPainted(top.handle);
}

}  // namespace platform::window

