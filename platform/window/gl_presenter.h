// Shows a window's GDI pixels through a GL context of the window's own,
// so that painting works with or without a Direct3D device on the window
// (error mode paints after the devices are gone).
#pragma once

#include <cstdint>
#include <memory>

struct SDL_Window;

namespace platform::window {

class GlPresenter {
public:
    // nullptr when the window cannot have a GL context.
    static std::unique_ptr<GlPresenter> Create(SDL_Window* window);
    ~GlPresenter();
    GlPresenter(const GlPresenter&) = delete;
    GlPresenter& operator=(const GlPresenter&) = delete;

    // pixels: 0x00RRGGBB, rows top first, drawn over the whole window.
    void Show(const uint32_t* pixels, int width, int height);

private:
    GlPresenter(SDL_Window* window, void* context);

    SDL_Window* window_;
    void* context_;
    uint32_t texture_ = 0;
    uint32_t framebuffer_ = 0;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
};

}  // namespace platform::window
