// The mouse cursor: the system's arrow and hand, SetCursor and the
// display counter of ShowCursor.
#include <SDL.h>

#include <windows.h>

namespace {

struct CursorState {
    HCURSOR current = reinterpret_cast<HCURSOR>(IDC_ARROW);
    int displayCount = 0;
};

CursorState& State() {
    static CursorState state;
    return state;
}

SDL_Cursor* SystemCursor(HCURSOR cursor) {
    static SDL_Cursor* arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    static SDL_Cursor* hand = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_HAND);
    return cursor == reinterpret_cast<HCURSOR>(IDC_HAND) ? hand : arrow;
}

// The cursor shows when the counter is not negative and a shape is set.
void Apply() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    const CursorState& state = State();
    const bool visible = state.displayCount >= 0 && state.current != nullptr;
    if (visible) SDL_SetCursor(SystemCursor(state.current));
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

}  // namespace

extern "C" {

// The system's cursors only; the handle is the cursor's identifier.
HCURSOR WINAPI LoadCursorW(HINSTANCE instance, LPCWSTR name) {
    if (instance || (name != IDC_ARROW && name != IDC_HAND)) return nullptr;
    return reinterpret_cast<HCURSOR>(const_cast<LPWSTR>(name));
}

HCURSOR WINAPI SetCursor(HCURSOR cursor) {
    CursorState& state = State();
    const HCURSOR previous = state.current;
    state.current = cursor;
    Apply();
    return previous;
}

int WINAPI ShowCursor(BOOL show) {
    CursorState& state = State();
    state.displayCount += show ? 1 : -1;
    Apply();
    return state.displayCount;
}

}  // extern "C"
