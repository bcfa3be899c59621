// A preview inside a window of another program, as a screensaver manager
// on an X11 display asks for one: a child X window of ours fills that
// window, with the visual of the layer's GL windows, and SDL takes it as a
// window made outside SDL. Calls that meet one of these windows after the
// other program destroyed it (taking ours with it) do no harm.
#pragma once

#include <cstdint>
#include <memory>

union SDL_Event;
struct SDL_Window;

namespace platform {

class ForeignEmbedding {
public:
    // Nothing when the video driver is not X11 or no window has the id.
    static std::unique_ptr<ForeignEmbedding> Create(uintptr_t foreignId);
    ~ForeignEmbedding();
    ForeignEmbedding(const ForeignEmbedding&) = delete;
    ForeignEmbedding& operator=(const ForeignEmbedding&) = delete;

    // Made by Create; the caller destroys it before this object.
    SDL_Window* sdlWindow() const { return sdlWindow_; }
    // The foreign window's place on the screen and its size.
    int x() const { return x_; }
    int y() const { return y_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    ForeignEmbedding() = default;

    void* display_ = nullptr;  // SDL's connection
    unsigned long child_ = 0;
    unsigned long colormap_ = 0;
    SDL_Window* sdlWindow_ = nullptr;
    int x_ = 0, y_ = 0, width_ = 0, height_ = 0;
};

// The id of a foreign window that the event reports destroyed, or 0.
uintptr_t ForeignWindowDestroyed(const SDL_Event& event);

}  // namespace platform
