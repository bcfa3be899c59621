#include "window/gl_presenter.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include "sdl/gl_context.h"
#include "sdl/window_surface.h"

#include <algorithm>

namespace platform::window {
namespace {

// Makes a context current for a scope and gives the previous one back, so
// that a Direct3D device's context on the same thread is left as it was.
class CurrentContextScope {
public:
    CurrentContextScope(SDL_Window* window, SDL_GLContext context) : ok_(SDL_GL_MakeCurrent(window, context) == 0) {}
    bool ok() const { return ok_; }

private:
    RestoreCurrentGlContext restore_;
    bool ok_;
};

bool recordingSurfaces = false;

}  // namespace

void GlPresenter::RecordSurfaces() { recordingSurfaces = true; }

std::unique_ptr<GlPresenter> GlPresenter::Create(SDL_Window* window) {
    std::shared_ptr<std::mutex> surfaceLock = WindowSurfaceLock(window);
    const std::lock_guard lock(*surfaceLock);
    const RestoreCurrentGlContext restore;
    SDL_GLContext context = CreateCoreGlContext(window);
    if (!context) return nullptr;
    SDL_GL_SetSwapInterval(0);  // painting never waits for the display
    return std::unique_ptr<GlPresenter>(new GlPresenter(window, context, std::move(surfaceLock)));
}

GlPresenter::GlPresenter(SDL_Window* window, void* context, std::shared_ptr<std::mutex> surfaceLock)
    : window_(window), context_(context), surfaceLock_(std::move(surfaceLock)) {}

GlPresenter::~GlPresenter() {
    const std::lock_guard lock(*surfaceLock_);
    {
        CurrentContextScope scope(window_, context_);
        if (scope.ok()) {
            glDeleteFramebuffers(1, &framebuffer_);
            glDeleteTextures(1, &texture_);
        }
    }
    SDL_GL_DeleteContext(context_);
}

void GlPresenter::Show(const uint32_t* pixels, int width, int height) {
    if (width <= 0 || height <= 0) return;
    const std::lock_guard lock(*surfaceLock_);
    CurrentContextScope scope(window_, context_);
    if (!scope.ok()) return;
    if (texture_ == 0) {
        glGenTextures(1, &texture_);
        glGenFramebuffers(1, &framebuffer_);
    }
    glBindTexture(GL_TEXTURE_2D, texture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    if (width != textureWidth_ || height != textureHeight_) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_BGRA,
                     GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        textureWidth_ = width;
        textureHeight_ = height;
    } else {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_BGRA,
                        GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture_, 0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);

    int drawableWidth = 0, drawableHeight = 0;
    SDL_GL_GetDrawableSize(window_, &drawableWidth, &drawableHeight);
    glDisable(GL_SCISSOR_TEST);
    // The canvas's rows run top first, GL's bottom first: the blit flips.
    glBlitFramebuffer(0, 0, width, height, 0, drawableHeight, drawableWidth, 0,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    if (recordingSurfaces) {
        // GL's rows run bottom first: turn them over into the canvas's
        // order, without the surface's alpha.
        std::vector<uint32_t> rows(static_cast<size_t>(drawableWidth) * drawableHeight);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, drawableWidth, drawableHeight, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, rows.data());
        surface_.resize(rows.size());
        for (int y = 0; y < drawableHeight; ++y) {
            const auto row = rows.begin() + static_cast<std::ptrdiff_t>(drawableHeight - 1 - y) * drawableWidth;
            std::transform(row, row + drawableWidth, surface_.begin() + static_cast<std::ptrdiff_t>(y) * drawableWidth,
                           [](uint32_t pixel) { return pixel & 0x00FFFFFF; });
        }
        surfaceWidth_ = drawableWidth;
        surfaceHeight_ = drawableHeight;
    }
    SDL_GL_SwapWindow(window_);
}

}  // namespace platform::window
