// SAVER_CAPTURE_FRAMES counts Direct3D presents; a present refused by a
// lost device shows nothing and counts nothing.
#include "platform/d3d9/d3d9_machine.h"

#include <cstdlib>

namespace d3d9_test {
namespace {

// Read when the first frame is counted.
const bool kLimitSet = setenv("SAVER_CAPTURE_FRAMES", "2", 1) == 0;

using RunFramesTest = D3D9Test;

bool InputQueued() {
    MSG message;
    return PeekMessageW(&message, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE) != FALSE;
}

TEST_F(RunFramesTest, PresentsEndTheRunAfterTheFrames) {
    ASSERT_TRUE(kLimitSet);
    HWND window = MakeWindow({0, 0, 32, 16});
    D3DPRESENT_PARAMETERS presentation = Windowed(window);
    Com<IDirect3DDevice9> device(CreateDevice(0, presentation));
    platform::sim::ScheduleDeviceEvent(0, {platform::sim::DeviceEvent::Kind::Lost, 1, 1});

    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_FALSE(InputQueued());
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICELOST);
    EXPECT_EQ(device->TestCooperativeLevel(), D3DERR_DEVICENOTRESET);
    ASSERT_EQ(device->Reset(&presentation), D3D_OK);
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_TRUE(InputQueued());
}

}  // namespace
}  // namespace d3d9_test
