// One device's GL context on its window. The calling thread asks about
// the window; the thread that runs the device's GL work makes the context
// current there, without the window's surface where GL allows, so that the
// surface is current only while a frame is shown (under the window's
// surface lock) and other contexts on the window can show theirs between.
#pragma once

#include <memory>
#include <mutex>

#include <windows.h>

struct SDL_Window;

namespace platform::d3d9 {

class GlContext {
public:
    // nullptr when the window has no SDL window or GL 3.3 core with
    // clip control cannot be had on it. Current on the calling thread on
    // return.
    static std::unique_ptr<GlContext> Create(HWND window);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    // The calling thread's questions (the window table is its own).
    bool WindowAlive() const;
    // The window's drawable size in pixels and the area of the device
    // window inside it (a child window shows in part of its top-level one).
    bool PresentArea(int& drawableWidth, int& drawableHeight, RECT& area) const;
    SDL_Window* sdlWindow() const { return sdlWindow_; }

    // The executing thread's: false once the window is gone.
    bool MakeCurrent();
    // Not current on this thread any more.
    void Release();
    // The window goes: the context is never current again.
    void LetGo();
    // The window's surface current, blit copies the frame onto it, then
    // it is swapped.
    template <typename Blit>
    void Show(int swapInterval, Blit blit) {
        const std::lock_guard lock(*surfaceLock_);
        if (!BindSurface(swapInterval)) return;
        blit();
        SwapAndUnbind();
    }

private:
    GlContext(HWND window, SDL_Window* sdlWindow, void* context);
    bool BindSurface(int swapInterval);
    void SwapAndUnbind();

    bool Current() const;
    // EGL: current without the window's surface (SDL offers no way).
    bool BindWithoutSurface();

    HWND window_;
    SDL_Window* sdlWindow_;
    void* context_;
    std::shared_ptr<std::mutex> surfaceLock_;
    void* eglDisplay_ = nullptr;  // an EGL context's display: current without the surface between frames
    bool gone_ = false;
    int swapInterval_ = -1;     // as last set on the surface
};

}  // namespace platform::d3d9
