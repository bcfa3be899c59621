// A window of another program, named by its X11 id, takes child windows of
// ours and what a Direct3D device presents in them, and its end ends them.
// Runs on an X display only (on_xvfb.sh); skipped elsewhere.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string_view>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <d3d9.h>
#include <windows.h>

#include "platform/com/com_ref.h"
#include "platform/window/recording_window.h"

namespace {

using namespace window_test;

constexpr unsigned long kForeignBackground = 0xFF00FF;
constexpr D3DCOLOR kCleared = 0xFF20C040;

// The other program: a connection and a window of its own.
class OtherProgram {
public:
    OtherProgram() : display_(XOpenDisplay(nullptr)) {}
    ~OtherProgram() {
        if (display_) XCloseDisplay(display_);
    }
    Display* display() const { return display_; }

    HWND CreateWindow(int x, int y, unsigned width, unsigned height) {
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), x, y, width, height, 0, 0,
                                      kForeignBackground);
        XMapWindow(display_, window_);
        XSync(display_, False);
        return reinterpret_cast<HWND>(window_);
    }
    void DestroyWindow() {
        XDestroyWindow(display_, window_);
        XSync(display_, False);
    }
    // 0xRRGGBB of the window's pixel as the server shows it.
    unsigned long Pixel(int x, int y) const {
        XImage* image = XGetImage(display_, window_, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return 0;
        const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        return pixel;
    }

private:
    Display* display_;
    ::Window window_ = 0;
};

// Takes in the layer's messages until the condition holds, for two seconds at most.
bool PumpUntil(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        DrainQueue();
        Sleep(10);
    }
    return true;
}

class ForeignWindowTest : public testing::Test, public WindowTest {
protected:
    void SetUp() override {
        const char* driver = std::getenv("SDL_VIDEODRIVER");
        if (!driver || std::string_view(driver) != "x11" || !other_.display()) GTEST_SKIP() << "no X display";
    }
    OtherProgram other_;
};

TEST_F(ForeignWindowTest, ItsChildShowsWhatADevicePresentsAndEndsWithIt) {
    const HWND foreign = other_.CreateWindow(30, 40, 160, 120);
    EXPECT_TRUE(IsWindow(foreign));
    RECT client{}, placed{};
    ASSERT_TRUE(GetClientRect(foreign, &client));
    EXPECT_EQ(client.right, 160);
    EXPECT_EQ(client.bottom, 120);
    ASSERT_TRUE(GetWindowRect(foreign, &placed));
    EXPECT_EQ(placed.left, 30);
    EXPECT_EQ(placed.top, 40);

    const HWND child = CreateChild(foreign, RECT{20, 10, 120, 90});
    ASSERT_NE(child, nullptr);
    SettleDisplay();
    platform::ComRef<IDirect3D9> direct3D(Direct3DCreate9(D3D_SDK_VERSION));
    ASSERT_NE(direct3D.get(), nullptr);
    D3DPRESENT_PARAMETERS presentation{};
    presentation.Windowed = TRUE;
    presentation.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentation.hDeviceWindow = child;
    platform::ComRef<IDirect3DDevice9> device;
    ASSERT_EQ(direct3D->CreateDevice(0, D3DDEVTYPE_HAL, child, D3DCREATE_HARDWARE_VERTEXPROCESSING, &presentation,
                                     device.out()),
              D3D_OK);
    const auto present = [&] {
        device->Clear(0, nullptr, D3DCLEAR_TARGET, kCleared, 1.0f, 0);
        device->Present(nullptr, nullptr, nullptr, nullptr);
    };
    // The device's picture lands inside the child's place in the other window.
    EXPECT_TRUE(PumpUntil([&] {
        present();
        return other_.Pixel(70, 50) == (kCleared & 0xFFFFFF) && other_.Pixel(21, 11) == (kCleared & 0xFFFFFF);
    })) << std::hex << other_.Pixel(70, 50);
    EXPECT_NE(other_.Pixel(5, 5), kForeignBackground);  // ours covers all of it

    other_.DestroyWindow();
    EXPECT_TRUE(PumpUntil([&] { return !Messages(WM_DESTROY).empty(); }));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_FALSE(IsWindow(foreign));
    // The device outlives its window, as on Windows, and can still be called.
    present();
    device.Reset();
}

TEST_F(ForeignWindowTest, ANumberThatNamesNoWindowIsNone) {
    for (const uintptr_t id : {uintptr_t{0x7FFFFFF}, uintptr_t{0x10011}, uintptr_t{1}}) {
        const auto handle = reinterpret_cast<HWND>(id);
        RECT rect{};
        EXPECT_FALSE(IsWindow(handle)) << id;
        EXPECT_FALSE(GetClientRect(handle, &rect)) << id;
        EXPECT_EQ(CreateChild(handle, RECT{0, 0, 10, 10}), nullptr) << id;
    }
}

}  // namespace
