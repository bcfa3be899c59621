// A window's canvas reaches the screen through a GL context of its own.
#include <gtest/gtest.h>

#include <string_view>

#include <SDL.h>
#include <epoxy/gl.h>

#include <windows.h>

#include "platform/window/recording_window.h"
#include "window/window_canvas.h"
#include "window/window_table.h"

namespace {

using namespace window_test;

// Offscreen, the window's front buffer holds what was shown. On an X
// display, reading it back is up to the server (Xvfb with Mesa's software
// GLX gives zeros), so the pixels are checked headless only.
bool CanReadShownPixels() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::string_view(driver) == "offscreen";
}

// A context of the test's own on the window, as a Direct3D device has.
class DeviceContextOnWindow {
public:
    explicit DeviceContextOnWindow(HWND window)
        : sdlWindow_(platform::window::LookUpWindow(window)->sdlWindow.get()),
          context_(SDL_GL_CreateContext(sdlWindow_)) {}
    ~DeviceContextOnWindow() {
        if (!context_) return;
        SDL_GL_MakeCurrent(nullptr, nullptr);
        SDL_GL_DeleteContext(context_);
    }
    SDL_GLContext context() const { return context_; }
    SDL_Window* window() const { return sdlWindow_; }

private:
    SDL_Window* sdlWindow_;
    SDL_GLContext context_;
};

void Fill(HWND window, uint32_t color) {
    platform::gdi::Canvas* canvas = platform::WindowCanvas(window);
    for (int y = 0; y < canvas->Height(); ++y)
        for (int x = 0; x < canvas->Width(); ++x) canvas->Row(y)[x] = color;
}

// The pixel at (x, y) of the window's front buffer, rows top first, as RGB.
uint32_t ShownPixel(int windowHeight, int x, int y) {
    uint8_t rgba[4] = {};
    glReadBuffer(GL_FRONT);
    glReadPixels(x, windowHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return (uint32_t{rgba[0]} << 16) | (uint32_t{rgba[1]} << 8) | rgba[2];
}

TEST(Presentation, PaintShowsTheCanvasAndLeavesTheCurrentContextAlone) {
    WindowTest windows;
    HWND window = CreateTopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 64, 32});
    DeviceContextOnWindow device(window);
    if (!device.context()) GTEST_SKIP() << "no OpenGL here: " << SDL_GetError();
    ASSERT_EQ(SDL_GL_MakeCurrent(device.window(), device.context()), 0);

    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    platform::gdi::Canvas* canvas = platform::WindowCanvas(window);
    for (int y = 0; y < canvas->Height(); ++y)
        for (int x = 0; x < canvas->Width(); ++x) canvas->Row(y)[x] = y < 16 ? 0x00FF0000 : 0x000000FF;
    EndPaint(window, &paint);

    EXPECT_EQ(SDL_GL_GetCurrentContext(), device.context());
    if (!CanReadShownPixels()) return;
    uint8_t top[4] = {}, bottom[4] = {};
    glReadBuffer(GL_FRONT);
    glReadPixels(10, 31, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, top);     // GL rows run bottom first
    glReadPixels(10, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bottom);
    EXPECT_EQ(top[0], 255);
    EXPECT_EQ(top[2], 0);
    EXPECT_EQ(bottom[0], 0);
    EXPECT_EQ(bottom[2], 255);
}

TEST(Presentation, ChildWindowsAreShownOverTheirParent) {
    WindowTest windows;
    HWND parent = CreateTopLevel(WS_POPUP | WS_VISIBLE, {0, 0, 40, 30});
    HWND child = CreateChild(parent, {10, 5, 30, 25});
    HWND hiddenChild = CreateChild(parent, {0, 0, 5, 5}, WS_CHILD);
    DeviceContextOnWindow device(parent);
    if (!device.context()) GTEST_SKIP() << "no OpenGL here: " << SDL_GetError();
    Fill(parent, 0x00102030);
    Fill(child, 0x00405060);
    Fill(hiddenChild, 0x00FFFFFF);
    PAINTSTRUCT paint;
    BeginPaint(child, &paint);
    EndPaint(child, &paint);
    ASSERT_EQ(SDL_GL_MakeCurrent(device.window(), device.context()), 0);
    if (!CanReadShownPixels()) return;
    EXPECT_EQ(ShownPixel(30, 9, 4), 0x00102030u);
    EXPECT_EQ(ShownPixel(30, 10, 5), 0x00405060u);
    EXPECT_EQ(ShownPixel(30, 29, 24), 0x00405060u);
    EXPECT_EQ(ShownPixel(30, 30, 25), 0x00102030u);
    EXPECT_EQ(ShownPixel(30, 0, 0), 0x00102030u);
}

}  // namespace
