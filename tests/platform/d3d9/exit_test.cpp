// A program may end with windows still open: they are destroyed with the
// window table at exit, after the device that drew on them has gone.
#include "platform/d3d9/d3d9_machine.h"

#include <cstdlib>

namespace d3d9_test {
namespace {

using ExitTest = D3D9Test;

TEST_F(ExitTest, AWindowLeftOpenAfterItsDeviceEndsTheProgramCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const HWND window = MakeWindow(kPrimaryRect);
            {
                Com<IDirect3DDevice9> device(CreateDevice(0, Windowed(window)));
                if (!device.get() || device->Present(nullptr, nullptr, nullptr, nullptr) != D3D_OK) std::exit(2);
            }
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace d3d9_test
