#include "d3d9/gl_context.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include "sdl/gl_context.h"
#include "sdl/sdl_video.h"
#include "window/window_table.h"

namespace platform::d3d9 {
namespace {

SDL_Window* SdlWindowOf(HWND handle) {
    window::Window* found = window::LookUpWindow(handle);
    if (!found) return nullptr;
    return window::TopLevelAncestor(*found).sdlWindow.get();
}

bool HasClipControl() {
    return epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control");
}

}  // namespace

std::unique_ptr<GlContext> GlContext::Create(HWND window) {
    if (!EnsureSdlVideo()) return nullptr;
    SDL_Window* sdlWindow = SdlWindowOf(window);
    if (!sdlWindow) return nullptr;
    void* context = CreateCoreGlContext(sdlWindow);  // makes it current
    if (!context) return nullptr;
    std::unique_ptr<GlContext> created(new GlContext(window, sdlWindow, context));
    if (!HasClipControl()) return nullptr;
    glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    return created;
}

GlContext::GlContext(HWND window, SDL_Window* sdlWindow, void* context)
    : window_(window), sdlWindow_(sdlWindow), context_(context) {}

GlContext::~GlContext() {
    if (SDL_GL_GetCurrentContext() == context_) SDL_GL_MakeCurrent(nullptr, nullptr);
    SDL_GL_DeleteContext(context_);
}

bool GlContext::WindowAlive() const { return SdlWindowOf(window_) == sdlWindow_; }

bool GlContext::MakeCurrent() {
    if (SDL_GL_GetCurrentContext() == context_ && SDL_GL_GetCurrentWindow() == sdlWindow_) return true;
    if (!WindowAlive()) return false;
    return SDL_GL_MakeCurrent(sdlWindow_, context_) == 0;
}

bool GlContext::PresentArea(int& drawableWidth, int& drawableHeight, RECT& area) const {
    window::Window* device = window::LookUpWindow(window_);
    if (!device) return false;
    window::Window& top = window::TopLevelAncestor(*device);
    SDL_GL_GetDrawableSize(sdlWindow_, &drawableWidth, &drawableHeight);
    const POINT deviceOrigin = window::ClientOriginOnScreen(*device);
    const POINT topOrigin = window::ClientOriginOnScreen(top);
    const RECT client = window::ClientRectInWindow(*device);
    area.left = deviceOrigin.x - topOrigin.x;
    area.top = deviceOrigin.y - topOrigin.y;
    area.right = area.left + client.right;
    area.bottom = area.top + client.bottom;
    if (device == &top) area = {0, 0, drawableWidth, drawableHeight};
    return drawableWidth > 0 && drawableHeight > 0;
}

void GlContext::SetSwapInterval(int interval) { SDL_GL_SetSwapInterval(interval); }

void GlContext::Swap() { SDL_GL_SwapWindow(sdlWindow_); }

}  // namespace platform::d3d9
