#include "window/sdl_input.h"

#include <SDL.h>

#include <vector>

#include "sdl/foreign_embedding.h"
#include "window/input_queue.h"
#include "window/keyboard.h"
#include "window/message_time.h"
#include "window/painting.h"
#include "window/window_table.h"

namespace platform::window {
namespace {

struct InputState {
    bool cursorKnown = false;
    uint32_t focusedSdlWindow = 0;
    bool applicationActive = false;
    uint32_t buttonsDown = 0;  // SDL_BUTTON masks
};

InputState& State() {
    static InputState state;
    return state;
}

WPARAM MouseKeyState() {
    const uint32_t buttons = State().buttonsDown;
    const SDL_Keymod modifiers = SDL_GetModState();
    WPARAM state = 0;
    if (buttons & SDL_BUTTON_LMASK) state |= MK_LBUTTON;
    if (buttons & SDL_BUTTON_RMASK) state |= MK_RBUTTON;
    if (buttons & SDL_BUTTON_MMASK) state |= MK_MBUTTON;
    if (modifiers & KMOD_SHIFT) state |= MK_SHIFT;
    if (modifiers & KMOD_CTRL) state |= MK_CONTROL;
    return state;
}

bool Contains(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top && point.y < rect.bottom;
}

// The innermost visible window under a screen point, as Windows routes
// mouse messages.
Window& WindowUnder(Window& topLevel, POINT screen) {
    Window* target = &topLevel;
    for (bool descended = true; descended;) {
        descended = false;
        for (HWND handle : ChildWindows(target->handle)) {
            Window* child = LookUpWindow(handle);
            // A disabled control takes no clicks; they reach its parent.
            if (!child || !child->IsVisible() || !child->IsEnabled()) continue;
            const POINT origin = ClientOriginOnScreen(*child);
            const RECT client = ClientRectInWindow(*child);
            if (Contains(client, POINT{screen.x - origin.x, screen.y - origin.y})) {
                target = child;
                descended = true;
            }
        }
    }
    return *target;
}

void QueueMouseMessage(UINT message, Window& topLevel, POINT screen) {
    Window& target = WindowUnder(topLevel, screen);
    const POINT origin = ClientOriginOnScreen(target);
    const auto x = static_cast<WORD>(screen.x - origin.x);
    const auto y = static_cast<WORD>(screen.y - origin.y);
    QueueInput(MessageAtNow(target.handle, message, MouseKeyState(), MAKELPARAM(x, y)), Delivery::Queued);
}

POINT ScreenPoint(const Window& topLevel, int x, int y) {
    const POINT origin = ClientOriginOnScreen(topLevel);
    return POINT{origin.x + x, origin.y + y};
}

void TranslateKey(const SDL_KeyboardEvent& event) {
    Window* window = WindowOfSdlWindow(event.windowID);
    const KeyInfo* key = KeyOfScancode(event.keysym.scancode);
    if (!window || !key) return;
    // Letters and digits follow the keyboard layout, the rest the key.
    UINT virtualKey = key->virtualKey;
    const SDL_Keycode symbol = event.keysym.sym;
    if (symbol >= SDLK_a && symbol <= SDLK_z) virtualKey = static_cast<UINT>(symbol - SDLK_a + 'A');
    else if (symbol >= SDLK_0 && symbol <= SDLK_9) virtualKey = static_cast<UINT>(symbol - SDLK_0 + '0');
    const KeyModifiers modifiers{(event.keysym.mod & KMOD_SHIFT) != 0, (event.keysym.mod & KMOD_CTRL) != 0,
                                 (event.keysym.mod & KMOD_ALT) != 0};
    QueueInput(KeyDownMessage(window->handle, *key, virtualKey, modifiers, event.repeat != 0), Delivery::Queued);
}

void TranslateMotion(const SDL_MouseMotionEvent& event) {
    Window* window = WindowOfSdlWindow(event.windowID);
    if (!window) return;
    const POINT screen = ScreenPoint(*window, event.x, event.y);
    const POINT last = CursorPosition();
    // A window that appears or moves under a still cursor makes SDL report
    // a motion; the cursor itself has not moved. The window under it still
    // sets the cursor's shape, as on Windows.
    if (State().cursorKnown && screen.x == last.x && screen.y == last.y) {
        const HWND target = WindowUnder(*window, screen).handle;
        QueueInput(MessageAtNow(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                                MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                   Delivery::Sent);
        return;
    }
    State().cursorKnown = true;
    SetCursorPosition(screen);
    QueueMouseMessage(WM_MOUSEMOVE, *window, screen);
}

void TranslateButton(const SDL_MouseButtonEvent& event) {
    const uint32_t mask = SDL_BUTTON(event.button);
    if (event.type == SDL_MOUSEBUTTONUP) {
        State().buttonsDown &= ~mask;
        return;
    }
    State().buttonsDown |= mask;
    Window* window = WindowOfSdlWindow(event.windowID);
    if (!window) return;
    UINT message = 0;
    switch (event.button) {
        case SDL_BUTTON_LEFT: message = WM_LBUTTONDOWN; break;
        case SDL_BUTTON_RIGHT: message = WM_RBUTTONDOWN; break;
        case SDL_BUTTON_MIDDLE: message = WM_MBUTTONDOWN; break;
        default: return;
    }
    const POINT screen = ScreenPoint(*window, event.x, event.y);
    State().cursorKnown = true;
    SetCursorPosition(screen);
    QueueMouseMessage(message, *window, screen);
}

void TranslateWindowEvent(const SDL_WindowEvent& event) {
    InputState& state = State();
    switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            state.focusedSdlWindow = event.windowID;
            return;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (state.focusedSdlWindow == event.windowID) state.focusedSdlWindow = 0;
            return;
        default:
            break;
    }
    Window* window = WindowOfSdlWindow(event.windowID);
    if (!window) return;
    if (event.event == SDL_WINDOWEVENT_CLOSE)
        QueueInput(MessageAtNow(window->handle, WM_SYSCOMMAND, SC_CLOSE, 0), Delivery::Sent);
    else if (event.event == SDL_WINDOWEVENT_EXPOSED)
        InvalidateTree(*window);
}

// Focus moving between the application's own windows arrives as a loss and
// a gain in the same batch of events; only a change of the application's
// state as a whole is an activation.
void UpdateActivation() {
    InputState& state = State();
    const bool active = WindowOfSdlWindow(state.focusedSdlWindow) != nullptr;
    if (active == state.applicationActive) return;
    state.applicationActive = active;
    for (HWND window : TopLevelWindows())
        QueueInput(MessageAtNow(window, WM_ACTIVATEAPP, active ? TRUE : FALSE, 0), Delivery::Sent);
}

// Another program's window that went took ours inside it: the window of
// the table standing for it goes too, as when a window is destroyed here.
void EndForeignWindows(const std::vector<HWND>& gone) {
    for (HWND handle : gone) {
        const Window* window = LookUpWindow(handle);
        if (window && window->embedding) DestroyWindow(handle);
    }
}

}  // namespace

void PumpSdlEvents() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_Event event;
    std::vector<HWND> foreignGone;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_KEYDOWN: TranslateKey(event.key); break;
            case SDL_MOUSEMOTION: TranslateMotion(event.motion); break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: TranslateButton(event.button); break;
            case SDL_WINDOWEVENT: TranslateWindowEvent(event.window); break;
            case SDL_SYSWMEVENT:
                if (const uintptr_t id = ForeignWindowDestroyed(event))
                    foreignGone.push_back(reinterpret_cast<HWND>(id));
                break;
            default: break;
        }
    }
    EndForeignWindows(foreignGone);
    UpdateActivation();
}

void LearnCursorPosition() {
    InputState& state = State();
    if (state.cursorKnown) return;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    SetCursorPosition(POINT{x, y});
    state.cursorKnown = true;
}

uint32_t FocusedSdlWindow() {
    return State().focusedSdlWindow;
}

}  // namespace platform::window
