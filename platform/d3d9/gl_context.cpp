#include "d3d9/gl_context.h"

#include <string_view>

#include <SDL.h>
#include <epoxy/egl.h>
#include <epoxy/gl.h>

#include "sdl/gl_context.h"
#include "sdl/sdl_video.h"
#include "sdl/window_surface.h"
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

// SDL's X11 driver makes GLX contexts unless told otherwise; its other
// drivers make EGL ones.
bool SdlUsesEgl() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return !driver || std::string_view(driver) != "x11" || SDL_GetHintBoolean(SDL_HINT_VIDEO_X11_FORCE_EGL, SDL_FALSE);
}

}  // namespace

std::unique_ptr<GlContext> GlContext::Create(HWND window) {
    if (!EnsureSdlVideo()) return nullptr;
    SDL_Window* sdlWindow = SdlWindowOf(window);
    if (!sdlWindow) return nullptr;
    std::shared_ptr<std::mutex> surfaceLock = WindowSurfaceLock(sdlWindow);
    const std::lock_guard lock(*surfaceLock);
    void* context = CreateCoreGlContext(sdlWindow);  // makes it current
    if (!context) return nullptr;
    std::unique_ptr<GlContext> created(new GlContext(window, sdlWindow, context));
    created->surfaceLock_ = std::move(surfaceLock);
    if (!HasClipControl()) return nullptr;
    glClipControl(GL_UPPER_LEFT, GL_ZERO_TO_ONE);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Every draw goes to framebuffer objects: the window's surface is
    // needed only to show a frame. GLX lets other contexts use a window
    // that is current elsewhere; EGL does not.
    if (SdlUsesEgl() && eglGetCurrentContext() == static_cast<EGLContext>(context)) {
        created->eglDisplay_ = eglGetCurrentDisplay();
        created->BindWithoutSurface();
    }
    return created;
}

GlContext::GlContext(HWND window, SDL_Window* sdlWindow, void* context)
    : window_(window), sdlWindow_(sdlWindow), context_(context) {}

GlContext::~GlContext() {
    Release();
    SDL_GL_DeleteContext(context_);
}

bool GlContext::WindowAlive() const { return SdlWindowOf(window_) == sdlWindow_; }

bool GlContext::Current() const {
    if (eglDisplay_) return eglGetCurrentContext() == static_cast<EGLContext>(context_);
    return SDL_GL_GetCurrentContext() == context_;
}

bool GlContext::BindWithoutSurface() {
    SDL_GL_MakeCurrent(nullptr, nullptr);  // SDL forgets what this thread had current
    eglBindAPI(EGL_OPENGL_API);
    return eglMakeCurrent(static_cast<EGLDisplay>(eglDisplay_), EGL_NO_SURFACE, EGL_NO_SURFACE,
                          static_cast<EGLContext>(context_)) == EGL_TRUE;
}

bool GlContext::MakeCurrent() {
    if (gone_) return false;
    if (Current()) return true;
    if (eglDisplay_) return BindWithoutSurface();
    return SDL_GL_MakeCurrent(sdlWindow_, context_) == 0;
}

void GlContext::Release() {
    if (!Current()) return;
    SDL_GL_MakeCurrent(nullptr, nullptr);
    if (eglDisplay_) eglMakeCurrent(static_cast<EGLDisplay>(eglDisplay_), EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

void GlContext::LetGo() {
    Release();
    gone_ = true;
}

bool GlContext::BindSurface(int swapInterval) {
    if (gone_) return false;
    if (eglDisplay_ || !Current()) {
        SDL_GL_MakeCurrent(nullptr, nullptr);  // so that SDL binds the surface, not just remembers it
        if (SDL_GL_MakeCurrent(sdlWindow_, context_) != 0) {
            MakeCurrent();
            return false;
        }
    }
    if (swapInterval != swapInterval_) {
        SDL_GL_SetSwapInterval(swapInterval);
        swapInterval_ = swapInterval;
    }
    return true;
}

void GlContext::SwapAndUnbind() {
    SDL_GL_SwapWindow(sdlWindow_);
    if (eglDisplay_) BindWithoutSurface();
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

}  // namespace platform::d3d9
