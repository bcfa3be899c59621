#include "window/sdl_window.h"

#include <SDL.h>

namespace platform::window {

void SdlWindowDeleter::operator()(SDL_Window* window) const {
    SDL_DestroyWindow(window);
}

uint32_t SdlWindowId(const SdlWindow& window) {
    return window ? SDL_GetWindowID(window.get()) : 0;
}

}  // namespace platform::window
