// The GL contexts the layer makes on its windows besides the Direct3D
// devices' own: GDI painting and dialogs.
#pragma once

struct SDL_Window;

namespace platform {

// Gives the thread back the GL context that was current when the scope
// began, so that a Direct3D device's context is left as it was.
class RestoreCurrentGlContext {
public:
    RestoreCurrentGlContext();
    ~RestoreCurrentGlContext();
    RestoreCurrentGlContext(const RestoreCurrentGlContext&) = delete;
    RestoreCurrentGlContext& operator=(const RestoreCurrentGlContext&) = delete;

private:
    SDL_Window* window_;
    void* context_;
};

// SDL unloads the GL library with the last GL window; loaded once more by
// this, it stays for the process, as a Direct3D device expects. False when
// it cannot be loaded.
bool KeepGlLibraryLoaded();

// A GL 3.3 core context of the window's own, shared with none, current on
// return; nullptr when the window cannot have one.
void* CreateCoreGlContext(SDL_Window* window);

}  // namespace platform
