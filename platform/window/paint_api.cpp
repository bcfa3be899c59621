// BeginPaint, EndPaint and the other painting calls, and the window canvas.
#include <windows.h>

#include "window/gl_presenter.h"
#include "window/painting.h"
#include "window/window_canvas.h"

namespace platform {

gdi::Canvas* WindowCanvas(HWND handle) {
    window::Window* window = window::LookUpWindow(handle);
    return window ? &window->canvas : nullptr;
}

void RecordWindowSurfaces() { window::GlPresenter::RecordSurfaces(); }

SurfacePixels WindowSurface(HWND handle) {
    const window::Window* window = window::LookUpWindow(handle);
    if (!window || !window->presenter) return {};
    const window::GlPresenter& presenter = *window->presenter;
    return {presenter.surfaceWidth(), presenter.surfaceHeight(), presenter.surface()};
}

}  // namespace platform

using namespace platform::window;

extern "C" {

BOOL WINAPI InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
    Window* window = LookUpWindow(handle);
    if (!window) return FALSE;
    InvalidateWindow(*window, rect, erase != FALSE);
    return TRUE;
}

BOOL WINAPI ValidateRect(HWND handle, const RECT* rect) {
    Window* window = LookUpWindow(handle);
    if (!window) return FALSE;
    if (!rect) window->update = UpdateRegion{};
    else if (window->update.pending) ValidateArea(window->update, *rect);
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND handle) {
    if (!LookUpWindow(handle)) return FALSE;
    for (HWND candidate : AllWindows()) {
        const Window* window = LookUpWindow(candidate);
        if (window && IsSelfOrDescendant(handle, candidate) && window->update.pending && ShownOnScreen(*window))
            SendMessageW(candidate, WM_PAINT, 0, 0);
    }
    return TRUE;
}

HDC WINAPI BeginPaint(HWND handle, LPPAINTSTRUCT paint) {
    Window* window = LookUpWindow(handle);
    if (!window || !paint) return nullptr;
    const UpdateRegion update = window->update;
    window->update = UpdateRegion{};
    *paint = PAINTSTRUCT{};
    paint->hdc = platform::gdi::OpenDeviceContext(window->canvas);
    paint->rcPaint = update.pending ? update.bounds : RECT{};
    if (update.erase)
        paint->fErase = SendMessageW(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(paint->hdc), 0) == 0;
    return paint->hdc;
}

BOOL WINAPI EndPaint(HWND handle, const PAINTSTRUCT* paint) {
    if (!paint) return FALSE;
    platform::gdi::CloseDeviceContext(paint->hdc);
    Window* window = LookUpWindow(handle);
    if (!window) return FALSE;
    ShowPaintedFrame(*window);
    return TRUE;
}

HDC WINAPI GetDC(HWND handle) {
    Window* window = LookUpWindow(handle);
    return window ? platform::gdi::OpenDeviceContext(window->canvas) : nullptr;
}

int WINAPI ReleaseDC(HWND handle, HDC dc) {
    platform::gdi::CloseDeviceContext(dc);
    Window* window = LookUpWindow(handle);
    if (!window) return 0;
    PresentWindow(*window);
    return 1;
}

}  // extern "C"
