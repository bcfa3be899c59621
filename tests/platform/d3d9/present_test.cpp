// What Present puts on the window: the back buffer upright, scaled to the
// device window's area, also when another context was current meanwhile.
#include "platform/d3d9/d3d9_machine.h"

#include <string_view>

#include <SDL.h>
#include <epoxy/gl.h>

#include "sdl/window_surface.h"
#include "window/window_table.h"

namespace d3d9_test {
namespace {

// Offscreen, the front buffer holds what was shown; on an X display
// reading it back is up to the server, so pixels are checked headless only.
bool CanReadShownPixels() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::string_view(driver) == "offscreen";
}

// A context of the test's own on a top-level window, to look at its front
// buffer; being current in between must not disturb the device. The
// window shows what the device's thread presented: the onlooker waits for
// the device first (TestCooperativeLevel waits for its queue), and lets go
// of the window's surface after each look, as the window's other users do.
class Onlooker {
public:
    Onlooker(HWND window, IDirect3DDevice9* device)
        : sdlWindow_(platform::window::LookUpWindow(window)->sdlWindow.get()),
          surfaceLock_(platform::WindowSurfaceLock(sdlWindow_)),
          device_(device) {
        const std::lock_guard lock(*surfaceLock_);
        context_ = SDL_GL_CreateContext(sdlWindow_);
        SDL_GL_MakeCurrent(nullptr, nullptr);
    }
    ~Onlooker() {
        if (context_) SDL_GL_DeleteContext(context_);
    }
    // The shown pixel at (x, y), rows top first, as 0xRRGGBB.
    uint32_t Shown(int x, int y) {
        device_->TestCooperativeLevel();
        const std::lock_guard lock(*surfaceLock_);
        EXPECT_EQ(SDL_GL_MakeCurrent(sdlWindow_, context_), 0);
        int width = 0, height = 0;
        SDL_GL_GetDrawableSize(sdlWindow_, &width, &height);
        uint8_t rgba[4] = {};
        glReadBuffer(GL_FRONT);
        glReadPixels(x, height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        SDL_GL_MakeCurrent(nullptr, nullptr);
        return uint32_t{rgba[0]} << 16 | uint32_t{rgba[1]} << 8 | rgba[2];
    }

private:
    SDL_Window* sdlWindow_;
    std::shared_ptr<std::mutex> surfaceLock_;
    IDirect3DDevice9* device_;
    SDL_GLContext context_ = nullptr;
};

using PresentTest = D3D9Test;

TEST_F(PresentTest, BackBufferIsShownUprightAndScaledToTheWindow) {
    HWND window = MakeWindow({0, 0, 64, 32});
    if (!CanReadShownPixels()) GTEST_SKIP() << "the shown pixels cannot be read here";
    D3DPRESENT_PARAMETERS presentation = Windowed(window);
    presentation.BackBufferWidth = 16;
    presentation.BackBufferHeight = 8;
    Com<IDirect3DDevice9> device(CreateDevice(0, presentation));
    Onlooker onlooker(window, device.get());
    for (int round = 0; round < 2; ++round) {
        const D3DCOLOR top = round == 0 ? 0x00FF0000 : 0x0000FF00;
        const D3DRECT upper{0, 0, 16, 4};
        const D3DRECT lower{0, 4, 16, 8};
        ASSERT_EQ(device->Clear(1, &upper, D3DCLEAR_TARGET, top, 1.f, 0), D3D_OK);
        ASSERT_EQ(device->Clear(1, &lower, D3DCLEAR_TARGET, 0x000000FF, 1.f, 0), D3D_OK);
        ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
        EXPECT_EQ(onlooker.Shown(0, 0), top);
        EXPECT_EQ(onlooker.Shown(63, 12), top);
        EXPECT_EQ(onlooker.Shown(0, 20), 0x0000FFu);
        EXPECT_EQ(onlooker.Shown(63, 31), 0x0000FFu);
    }
}

TEST_F(PresentTest, DeviceOnAChildWindowShowsInItsArea) {
    HWND parent = MakeWindow({0, 0, 40, 30});
    if (!CanReadShownPixels()) GTEST_SKIP() << "the shown pixels cannot be read here";
    HWND child = CreateWindowExW(0, L"D3D9TestWindow", L"", WS_CHILD | WS_VISIBLE, 10, 5, 20, 20, parent, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(child, nullptr);
    Com<IDirect3DDevice9> device(CreateDevice(0, Windowed(child)));
    Com<IDirect3DSurface9> backBuffer;
    ASSERT_EQ(device->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, backBuffer.out()), D3D_OK);
    D3DSURFACE_DESC desc{};
    backBuffer->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 20u);
    const D3DRECT upper{0, 0, 20, 10};
    ASSERT_EQ(device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x000000FF, 1.f, 0), D3D_OK);
    ASSERT_EQ(device->Clear(1, &upper, D3DCLEAR_TARGET, 0x00FF0000, 1.f, 0), D3D_OK);
    ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    Onlooker onlooker(parent, device.get());
    EXPECT_EQ(onlooker.Shown(10, 5), 0xFF0000u);
    EXPECT_EQ(onlooker.Shown(29, 14), 0xFF0000u);
    EXPECT_EQ(onlooker.Shown(10, 15), 0x0000FFu);
    EXPECT_EQ(onlooker.Shown(29, 24), 0x0000FFu);
    EXPECT_NE(onlooker.Shown(9, 5), 0xFF0000u);
    EXPECT_NE(onlooker.Shown(10, 25), 0x0000FFu);
    // The device takes its context back by itself.
    EXPECT_EQ(PixelAt(device.get(), 0, 0), 0xFF0000u);
    DestroyWindow(child);
}

}  // namespace
}  // namespace d3d9_test
