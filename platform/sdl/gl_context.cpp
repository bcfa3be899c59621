#include "sdl/gl_context.h"

#include <SDL.h>

#include "sdl/renderer_heap.h"

namespace platform {

RestoreCurrentGlContext::RestoreCurrentGlContext()
    : window_(SDL_GL_GetCurrentWindow()), context_(SDL_GL_GetCurrentContext()) {}

RestoreCurrentGlContext::~RestoreCurrentGlContext() { SDL_GL_MakeCurrent(window_, context_); }

bool KeepGlLibraryLoaded() {
    static const bool loaded = SDL_GL_LoadLibrary(nullptr) == 0;
    return loaded;
}

void* CreateCoreGlContext(SDL_Window* window) {
    KeepFreedHeapForNextFrames();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
    return SDL_GL_CreateContext(window);
}

}  // namespace platform
