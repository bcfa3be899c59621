// An SDL window's GL surface is shared by the threads that show frames on
// it: a Direct3D device's own thread and the main thread's GDI painting.
// EGL lets one context at a time have a surface current, so each holds
// the window's surface lock while the surface is current, and a thread
// that draws on the window lets go of it before SDL destroys the window.
#pragma once

#include <memory>
#include <mutex>

struct SDL_Window;

namespace platform {

class SurfaceUser {
public:
    // The window is about to go: stop using its surface, on return.
    virtual void LetGoOfSurface() = 0;

protected:
    ~SurfaceUser() = default;
};

std::shared_ptr<std::mutex> WindowSurfaceLock(SDL_Window* window);
void AddSurfaceUser(SDL_Window* window, SurfaceUser* user);
void RemoveSurfaceUser(SDL_Window* window, SurfaceUser* user);
// Called before SDL destroys window: every user lets go.
void WindowSurfaceGoing(SDL_Window* window);

}  // namespace platform
