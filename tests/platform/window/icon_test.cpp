// LoadIconW reads the module's icon group and its 32-bit image.
#include <gtest/gtest.h>

#include <platform/sim_resources.h>
#include <windows.h>

#include "window/icon.h"

namespace {

void PutWord(std::vector<uint8_t>& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void PutDword(std::vector<uint8_t>& bytes, uint32_t value) {
    PutWord(bytes, static_cast<uint16_t>(value));
    PutWord(bytes, static_cast<uint16_t>(value >> 16));
}

// An icon image as resource compilers store it: a DIB with twice the
// height (colours, then the mask), rows bottom first.
std::vector<uint8_t> IconImageBytes(int width, int height, uint16_t bitCount, const std::vector<uint32_t>& bottomUp) {
    std::vector<uint8_t> bytes;
    PutDword(bytes, 40);
    PutDword(bytes, static_cast<uint32_t>(width));
    PutDword(bytes, static_cast<uint32_t>(height * 2));
    PutWord(bytes, 1);
    PutWord(bytes, bitCount);
    for (int i = 0; i < 6; ++i) PutDword(bytes, 0);
    for (uint32_t pixel : bottomUp) PutDword(bytes, pixel);
    bytes.resize(bytes.size() + static_cast<size_t>(height) * 4, 0);  // the mask
    return bytes;
}

std::vector<uint8_t> GroupBytes(std::initializer_list<std::pair<int, uint16_t>> sizesAndIds) {
    std::vector<uint8_t> bytes;
    PutWord(bytes, 0);
    PutWord(bytes, 1);
    PutWord(bytes, static_cast<uint16_t>(sizesAndIds.size()));
    for (auto [size, id] : sizesAndIds) {
        bytes.push_back(static_cast<uint8_t>(size));
        bytes.push_back(static_cast<uint8_t>(size));
        bytes.push_back(0);
        bytes.push_back(0);
        PutWord(bytes, 1);
        PutWord(bytes, 32);
        PutDword(bytes, 0);
        PutWord(bytes, id);
    }
    return bytes;
}

class Icons : public ::testing::Test {
protected:
    ~Icons() override { platform::sim::ResetOwnModuleResources(); }
};

TEST_F(Icons, LargestImageOfTheGroupRowsTopFirst) {
    platform::sim::SetOwnModuleResource(RT_ICON, MAKEINTRESOURCEW(1), IconImageBytes(1, 1, 32, {0xFF0000FF}));
    platform::sim::SetOwnModuleResource(RT_ICON, MAKEINTRESOURCEW(2),
                                        IconImageBytes(2, 2, 32, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004}));
    platform::sim::SetOwnModuleResource(RT_GROUP_ICON, MAKEINTRESOURCEW(101), GroupBytes({{1, 1}, {2, 2}}));
    const HMODULE module = GetModuleHandleW(nullptr);
    const HICON icon = LoadIconW(module, MAKEINTRESOURCEW(101));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconW(module, MAKEINTRESOURCEW(101)), icon);  // shared
    const platform::window::IconImage* image = platform::window::IconImageOf(icon);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 2);
    EXPECT_EQ(image->pixels, (std::vector<uint32_t>{0xFF000003, 0xFF000004, 0xFF000001, 0xFF000002}));
}

TEST_F(Icons, MissingOrUnsupportedIconsGiveNoHandle) {
    const HMODULE module = GetModuleHandleW(nullptr);
    EXPECT_EQ(LoadIconW(module, MAKEINTRESOURCEW(4321)), nullptr);
    platform::sim::SetOwnModuleResource(RT_ICON, MAKEINTRESOURCEW(3), IconImageBytes(1, 1, 8, {0}));
    platform::sim::SetOwnModuleResource(RT_GROUP_ICON, MAKEINTRESOURCEW(102), GroupBytes({{1, 3}}));
    EXPECT_EQ(LoadIconW(module, MAKEINTRESOURCEW(102)), nullptr);
    // A group that claims more entries than it holds.
    std::vector<uint8_t> truncated = GroupBytes({{1, 3}});
    truncated[4] = 200;
    platform::sim::SetOwnModuleResource(RT_GROUP_ICON, MAKEINTRESOURCEW(103), truncated);
    EXPECT_EQ(LoadIconW(module, MAKEINTRESOURCEW(103)), nullptr);
}

TEST_F(Icons, AClassIconGoesOnItsWindows) {
    platform::sim::SetOwnModuleResource(RT_ICON, MAKEINTRESOURCEW(1), IconImageBytes(1, 1, 32, {0xFF00FF00}));
    platform::sim::SetOwnModuleResource(RT_GROUP_ICON, MAKEINTRESOURCEW(101), GroupBytes({{1, 1}}));
    WNDCLASSW description{};
    description.lpfnWndProc = DefWindowProcW;
    description.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(101));
    description.lpszClassName = L"IconWindow";
    ASSERT_NE(description.hIcon, nullptr);
    ASSERT_NE(RegisterClassW(&description), 0);
    HWND window = CreateWindowExW(0, L"IconWindow", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(window, nullptr);
    DestroyWindow(window);
}

}  // namespace
