#include "sdl/sdl_video.h"

#include "sdl/sdl_subsystems.h"

#include <SDL.h>

#include <cstdlib>
#include <iostream>

namespace platform {
namespace {

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != 0) return true;
    }
    return false;
}

}  // namespace

bool EnsureSdlVideo() {
    static const bool started = [] {
        // Ctrl+C and SIGTERM end the program as they would any other.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        // Without a display there is nothing for the desktop drivers to
        // find: go straight to the headless one instead of letting them try
        // (and complain) first.
        const char* chosen = std::getenv("SDL_VIDEODRIVER");
        if ((chosen == nullptr || *chosen == 0) && !HasDisplay()) SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
        const std::lock_guard lock(SdlSubsystemMutex());
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0) return true;
        std::cerr << "SDL: cannot start the video driver: " << SDL_GetError() << "\n";
        return false;
    }();
    return started;
}

}  // namespace platform
