// Owns the SDL window behind a top-level window.
#pragma once

#include <cstdint>
#include <memory>

struct SDL_Window;

namespace platform::window {

struct SdlWindowDeleter {
    void operator()(SDL_Window* window) const;
};
using SdlWindow = std::unique_ptr<SDL_Window, SdlWindowDeleter>;

uint32_t SdlWindowId(const SdlWindow& window);

}  // namespace platform::window
