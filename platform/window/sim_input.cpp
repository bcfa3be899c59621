#include <platform/sim_input.h>

#include <SDL.h>

#include "window/input_queue.h"
#include "window/key_map.h"
#include "window/message_time.h"
#include "window/sdl_input.h"
#include "window/system_parameters.h"
#include "window/window_table.h"

namespace platform::sim {
namespace {

using window::Window;

// Injected input is pushed as SDL events, so that it takes the path of real
// input from SDL's queue to the window procedure.
void Push(SDL_Event event) {
    SDL_PushEvent(&event);
}

Window* TopLevelOf(HWND handle) {
    Window* window = window::LookUpWindow(handle);
    return window ? &window::TopLevelAncestor(*window) : nullptr;
}

uint32_t SdlIdOf(const Window& window) {
    return window::SdlWindowId(window.sdlWindow);
}

// A point in the window's client area, in its top-level window's client area.
POINT InTopLevel(HWND handle, int x, int y, Window** topLevel) {
    Window* window = window::LookUpWindow(handle);
    *topLevel = window ? &window::TopLevelAncestor(*window) : nullptr;
    if (!window) return POINT{};
    const POINT origin = window::ClientOriginOnScreen(*window);
    const POINT topOrigin = window::ClientOriginOnScreen(**topLevel);
    return POINT{origin.x - topOrigin.x + x, origin.y - topOrigin.y + y};
}

void PushWindowEvent(uint32_t sdlWindowId, SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = sdlWindowId;
    event.window.event = id;
    Push(event);
}

}  // namespace

void PressKey(HWND handle, UINT virtualKey, Modifiers modifiers) {
    const Window* topLevel = TopLevelOf(handle);
    const window::KeyInfo* key = window::KeyOfVirtualKey(virtualKey);
    if (!topLevel || !key) return;
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SdlIdOf(*topLevel);
    event.key.state = SDL_PRESSED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(key->sdlScancode);
    if (virtualKey >= 'A' && virtualKey <= 'Z') event.key.keysym.sym = static_cast<SDL_Keycode>(virtualKey - 'A' + 'a');
    else if (virtualKey >= '0' && virtualKey <= '9') event.key.keysym.sym = static_cast<SDL_Keycode>(virtualKey);
    event.key.keysym.mod = static_cast<Uint16>((modifiers.shift ? KMOD_LSHIFT : 0) |
                                               (modifiers.control ? KMOD_LCTRL : 0) |
                                               (modifiers.alt ? KMOD_LALT : 0));
    Push(event);
    event.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    Push(event);
}

void MoveMouse(HWND handle, int x, int y) {
    Window* topLevel = nullptr;
    const POINT point = InTopLevel(handle, x, y, &topLevel);
    if (!topLevel) return;
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.windowID = SdlIdOf(*topLevel);
    event.motion.x = point.x;
    event.motion.y = point.y;
    Push(event);
}

void ClickMouse(HWND handle, MouseButton button, int x, int y) {
    Window* topLevel = nullptr;
    const POINT point = InTopLevel(handle, x, y, &topLevel);
    if (!topLevel) return;
    SDL_Event event{};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button.windowID = SdlIdOf(*topLevel);
    event.button.state = SDL_PRESSED;
    event.button.clicks = 1;
    event.button.button = button == MouseButton::Left    ? SDL_BUTTON_LEFT
                          : button == MouseButton::Right ? SDL_BUTTON_RIGHT
                                                         : SDL_BUTTON_MIDDLE;
    event.button.x = point.x;
    event.button.y = point.y;
    Push(event);
    event.type = SDL_MOUSEBUTTONUP;
    event.button.state = SDL_RELEASED;
    Push(event);
}

void FocusWindow(HWND handle) {
    const uint32_t focused = window::FocusedSdlWindow();
    if (focused != 0) PushWindowEvent(focused, SDL_WINDOWEVENT_FOCUS_LOST);
    if (const Window* topLevel = TopLevelOf(handle)) PushWindowEvent(SdlIdOf(*topLevel), SDL_WINDOWEVENT_FOCUS_GAINED);
}

void PressCloseButton(HWND handle) {
    if (const Window* topLevel = TopLevelOf(handle)) PushWindowEvent(SdlIdOf(*topLevel), SDL_WINDOWEVENT_CLOSE);
}

void Suspend() {
    for (HWND topLevel : window::TopLevelWindows())
        window::QueueInput(window::MessageAtNow(topLevel, WM_POWERBROADCAST, PBT_APMSUSPEND, 0),
                           window::Delivery::Sent);
}

bool ScreenSaverRunning() {
    return window::ScreenSaverRunning();
}

}  // namespace platform::sim
