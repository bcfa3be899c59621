// SAVER_CAPTURE_DIR: one PNG per presented frame, upright.
#include "platform/d3d9/d3d9_machine.h"

#include <cstdlib>
#include <filesystem>

#include <png.h>

namespace d3d9_test {
namespace {

class CaptureTest : public D3D9Test {
protected:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("d3d9-capture-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                      std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::filesystem::remove_all(directory_);
        setenv("SAVER_CAPTURE_DIR", directory_.c_str(), 1);
        D3D9Test::SetUp();
    }
    void TearDown() override {
        D3D9Test::TearDown();
        unsetenv("SAVER_CAPTURE_DIR");
        std::filesystem::remove_all(directory_);
    }

    std::filesystem::path directory_;
};

// The first pixel of row y of a captured frame, as 0xRRGGBB.
uint32_t CapturedPixel(const std::filesystem::path& file, UINT y) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) return 0xDEADBEEF;
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    const size_t at = static_cast<size_t>(y) * image.width * 3;
    return static_cast<uint32_t>(pixels[at] << 16 | pixels[at + 1] << 8 | pixels[at + 2]);
}

TEST_F(CaptureTest, EveryPresentedFrameIsWritten) {
    HWND window = MakeWindow({0, 0, 32, 16});
    Com<IDirect3DDevice9> device(CreateDevice(0, Windowed(window)));
    const D3DRECT top{0, 0, 32, 8};
    const D3DRECT bottom{0, 8, 32, 16};
    for (int frame = 0; frame < 3; ++frame) {
        ASSERT_EQ(device->Clear(1, &top, D3DCLEAR_TARGET, 0x00FF0000 >> (8 * frame), 1.f, 0), D3D_OK);
        ASSERT_EQ(device->Clear(1, &bottom, D3DCLEAR_TARGET, 0x00FFFFFF, 1.f, 0), D3D_OK);
        ASSERT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    }
    // A lost device presents nothing, so nothing is written.
    platform::sim::ScheduleDeviceEvent(0, {platform::sim::DeviceEvent::Kind::Lost, 0, 1});
    EXPECT_EQ(device->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);

    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory_)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 3u);
    EXPECT_EQ(CapturedPixel(directory_ / "unit0-frame00000.png", 0), 0xFF0000u);
    EXPECT_EQ(CapturedPixel(directory_ / "unit0-frame00001.png", 0), 0x00FF00u);
    EXPECT_EQ(CapturedPixel(directory_ / "unit0-frame00002.png", 0), 0x0000FFu);
    EXPECT_EQ(CapturedPixel(directory_ / "unit0-frame00002.png", 15), 0xFFFFFFu);
}

}  // namespace
}  // namespace d3d9_test
