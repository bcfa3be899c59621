// SDL starts on first use, so that a program can set its environment
// (SDL_VIDEODRIVER=offscreen) before it touches any window or display.
#pragma once

namespace platform {

// Initialises SDL's video subsystem once per process; false when it cannot
// start (then no window or display exists).
bool EnsureSdlVideo();

}  // namespace platform
