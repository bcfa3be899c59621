// Shows a window's GDI pixels through a GL context of the window's own,
// so that painting works with or without a Direct3D device on the window
// (error mode paints after the devices are gone).
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

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

    // Tests only: keep what the surface holds before each swap.
    static void RecordSurfaces();
    const std::vector<uint32_t>& surface() const { return surface_; }
    int surfaceWidth() const { return surfaceWidth_; }
    int surfaceHeight() const { return surfaceHeight_; }

private:
    GlPresenter(SDL_Window* window, void* context, std::shared_ptr<std::mutex> surfaceLock);

    SDL_Window* window_;
    void* context_;
    std::shared_ptr<std::mutex> surfaceLock_;  // held while the window's surface is current
    uint32_t texture_ = 0;
    uint32_t framebuffer_ = 0;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    std::vector<uint32_t> surface_;
    int surfaceWidth_ = 0;
    int surfaceHeight_ = 0;
};

}  // namespace platform::window
