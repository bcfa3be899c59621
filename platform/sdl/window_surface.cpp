#include "sdl/window_surface.h"

#include <algorithm>
#include <map>
#include <vector>

namespace platform {
namespace {

struct WindowSurface {
    std::shared_ptr<std::mutex> lock = std::make_shared<std::mutex>();
    std::vector<SurfaceUser*> users;
};

struct Surfaces {
    std::mutex mutex;
    std::map<SDL_Window*, WindowSurface> windows;
};

// Never destroyed: windows a program leaves open are destroyed with the
// window table at exit, which may come after this table's destructor.
Surfaces& AllSurfaces() {
    static Surfaces* const surfaces = new Surfaces;
    return *surfaces;
}

}  // namespace

std::shared_ptr<std::mutex> WindowSurfaceLock(SDL_Window* window) {
    Surfaces& surfaces = AllSurfaces();
    const std::lock_guard lock(surfaces.mutex);
    return surfaces.windows[window].lock;
}

void AddSurfaceUser(SDL_Window* window, SurfaceUser* user) {
    Surfaces& surfaces = AllSurfaces();
    const std::lock_guard lock(surfaces.mutex);
    surfaces.windows[window].users.push_back(user);
}

void RemoveSurfaceUser(SDL_Window* window, SurfaceUser* user) {
    Surfaces& surfaces = AllSurfaces();
    const std::lock_guard lock(surfaces.mutex);
    const auto found = surfaces.windows.find(window);
    if (found == surfaces.windows.end()) return;
    std::erase(found->second.users, user);
}

void WindowSurfaceGoing(SDL_Window* window) {
    Surfaces& surfaces = AllSurfaces();
    std::vector<SurfaceUser*> users;
    {
        const std::lock_guard lock(surfaces.mutex);
        const auto found = surfaces.windows.find(window);
        if (found == surfaces.windows.end()) return;
        users = std::move(found->second.users);
        surfaces.windows.erase(found);
    }
    for (SurfaceUser* user : users) user->LetGoOfSurface();
}

}  // namespace platform
