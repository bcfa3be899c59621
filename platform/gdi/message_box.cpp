// MessageBoxW: an SDL message box on a display; without one the caption
// and text go to standard error. Every box is recorded for tests.
#include <windows.h>

#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <mutex>

#include "platform/sim_dialogs.h"
#include "platform/unicode.h"
#include "sdl/sdl_video.h"
#include "window/window_table.h"

namespace {

std::mutex g_mutex;
std::vector<platform::sim::ShownMessageBox> g_shown;  // guarded by g_mutex

bool HaveDisplay() {
    if (!platform::EnsureSdlVideo()) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0;
}

Uint32 SdlIconFlags(UINT type) {
    if (type & MB_ICONERROR) return SDL_MESSAGEBOX_ERROR;
    if (type & MB_ICONINFORMATION) return SDL_MESSAGEBOX_INFORMATION;
    return 0;
}

// The box stays above the owner's top-level window.
SDL_Window* OwnerSdlWindow(HWND owner) {
    platform::window::Window* window = owner ? platform::window::LookUpWindow(owner) : nullptr;
    return window ? platform::window::TopLevelAncestor(*window).sdlWindow.get() : nullptr;
}

bool ShowOnDisplay(HWND owner, const std::string& caption, const std::string& text, UINT type) {
    SDL_MessageBoxButtonData ok{};
    ok.flags = SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    ok.buttonid = IDOK;
    ok.text = "OK";
    SDL_MessageBoxData box{};
    box.flags = SdlIconFlags(type);
    box.window = OwnerSdlWindow(owner);
    box.title = caption.c_str();
    box.message = text.c_str();
    box.numbuttons = 1;
    box.buttons = &ok;
    int pressed = 0;
    return SDL_ShowMessageBox(&box, &pressed) == 0;
}

}  // namespace

namespace platform::sim {

std::vector<ShownMessageBox> ShownMessageBoxes() {
    std::lock_guard lock(g_mutex);
    return g_shown;
}

void ClearShownMessageBoxes() {
    std::lock_guard lock(g_mutex);
    g_shown.clear();
}

}  // namespace platform::sim

// Only the OK button exists, so the answer is always IDOK.
extern "C" int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    const std::wstring wideText = text ? text : L"";
    const std::wstring wideCaption = caption ? caption : L"Error";
    {
        std::lock_guard lock(g_mutex);
        g_shown.push_back({owner, wideText, wideCaption, type});
    }
    const std::string utf8Caption = platform::Utf8FromWide(wideCaption);
    const std::string utf8Text = platform::Utf8FromWide(wideText);
    if (!HaveDisplay() || !ShowOnDisplay(owner, utf8Caption, utf8Text, type)) {
        std::cerr << utf8Caption << ": " << utf8Text << std::endl;
    }
    return IDOK;
}
