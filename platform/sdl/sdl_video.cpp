#include "sdl/sdl_video.h"

#include <SDL.h>

namespace platform {

bool EnsureSdlVideo() {
    static const bool started = [] {
        // Ctrl+C and SIGTERM end the program as they would any other.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        return SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
    }();
    return started;
}

}  // namespace platform
