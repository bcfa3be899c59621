#include "window/sdl_window.h"

#include <SDL.h>

#include "sdl/window_surface.h"

namespace platform::window {

void SdlWindowDeleter::operator()(SDL_Window* window) const {
    WindowSurfaceGoing(window);
    SDL_DestroyWindow(window);
}

uint32_t SdlWindowId(const SdlWindow& window) {
    return window ? SDL_GetWindowID(window.get()) : 0;
}

}  // namespace platform::window
