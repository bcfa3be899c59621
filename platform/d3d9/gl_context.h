// One device's GL context on its window. Making it current is cheap when
// it already is, so every device method that touches GL can just ask.
#pragma once

#include <memory>

#include <windows.h>

struct SDL_Window;

namespace platform::d3d9 {

class GlContext {
public:
    // nullptr when the window has no SDL window or GL 3.3 core with
    // clip control cannot be had on it.
    static std::unique_ptr<GlContext> Create(HWND window);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    // False when the window is gone.
    bool MakeCurrent();
    // The window's drawable size in pixels and the area of the device
    // window inside it (a child window shows in part of its top-level one).
    bool PresentArea(int& drawableWidth, int& drawableHeight, RECT& area) const;
    void SetSwapInterval(int interval);
    void Swap();

private:
    GlContext(HWND window, SDL_Window* sdlWindow, void* context);
    bool WindowAlive() const;

    HWND window_;
    SDL_Window* sdlWindow_;
    void* context_;
};

}  // namespace platform::d3d9
