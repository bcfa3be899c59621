#include "sdl/sdl_video.h"

#include <SDL.h>

namespace platform {

bool EnsureSdlVideo() {
    static const bool started = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
    return started;
}

}  // namespace platform
