// The program's own resources as the build links them into saver.
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>

#include <d3dx9.h>
#include <gtest/gtest.h>
#include <windows.h>

#include "resources/common_res/common_res_ids.h"
#include "resources/resource.h"

namespace {

std::wstring ModuleString(UINT id) {
    wchar_t buffer[512];
    const int length = LoadStringW(nullptr, id, buffer, 512);
    return std::wstring(buffer, static_cast<std::size_t>(length));
}

TEST(SaverModule, StringTableReadsAsWritten) {
    EXPECT_EQ(ModuleString(IDS_SHORT_TAG), L"Lumaweft");
    EXPECT_EQ(ModuleString(IDS_TITLE), L"Lumaweft Screen Saver");
    EXPECT_EQ(ModuleString(IDS_ERR_NODIRECT3D),
              L"Direct3D 8.0 could not be initialized.  Please install the latest version of DirectX.");
    EXPECT_EQ(ModuleString(IDS_ERR_NOPREVIEW), L"No preview available");
    EXPECT_EQ(ModuleString(IDS_RENDERING_NONE), L"This monitor will display nothing.");
}

TEST(SaverModule, EveryMessageIdHasText) {
    for (UINT first : {UINT{IDS_ERR_GENERIC}, UINT{IDS_INFO_GOODHAL}}) {
        for (UINT id = first; id <= first + 12; ++id) EXPECT_FALSE(ModuleString(id).empty()) << id;
    }
    EXPECT_TRUE(ModuleString(IDS_ERR_GENERIC + 13).empty());
}

TEST(SaverModule, IconGroupNamesItsIcons) {
    HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(IDI_SAVER), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const DWORD size = SizeofResource(nullptr, group);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, group)));
    ASSERT_NE(bytes, nullptr);
    // Header: reserved, type 1, count; then 14-byte entries ending in the icon id.
    ASSERT_GE(size, 6u + 14u);
    const WORD count = static_cast<WORD>(bytes[4] | (bytes[5] << 8));
    ASSERT_GE(count, 1);
    ASSERT_GE(size, 6u + 14u * count);
    for (WORD i = 0; i < count; ++i) {
        const uint8_t* entry = bytes + 6 + 14 * i;
        const WORD iconId = static_cast<WORD>(entry[12] | (entry[13] << 8));
        EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(iconId), RT_ICON), nullptr) << iconId;
    }
}

struct PictureCase {
    const char* label;
    const wchar_t* module;  // null: the program's own
    int id;
    UINT width;
    UINT height;
    bool transparent = false;
};

void PrintTo(const PictureCase& c, std::ostream* out) { *out << c.label; }

class SaverPictures : public ::testing::TestWithParam<PictureCase> {
protected:
    // common_res.res as the build lays it beside saver.
    void SetUp() override { setenv("SAVER_MODULE_PATH", SAVER_BUILD_DIR, 1); }
    void TearDown() override { unsetenv("SAVER_MODULE_PATH"); }
};

TEST_P(SaverPictures, DecodeAtTheirSize) {
    const PictureCase& picture = GetParam();
    HMODULE module = picture.module != nullptr ? LoadLibraryW(picture.module) : nullptr;
    ASSERT_TRUE(picture.module == nullptr || module != nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(picture.id), L"DDS");
    ASSERT_NE(found, nullptr);
    D3DXIMAGE_INFO info{};
    ASSERT_EQ(D3DXGetImageInfoFromFileInMemory(LockResource(LoadResource(module, found)), SizeofResource(module, found),
                                               &info),
              D3D_OK);
    EXPECT_EQ(info.Width, picture.width);
    EXPECT_EQ(info.Height, picture.height);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_PNG);
    EXPECT_EQ(info.Format, picture.transparent ? D3DFMT_A8R8G8B8 : D3DFMT_R8G8B8);
    if (module != nullptr) {
        EXPECT_TRUE(FreeLibrary(module));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Resources, SaverPictures,
    ::testing::Values(PictureCase{"Splash", nullptr, IDR_SPLASH, 512, 512},
                      PictureCase{"LakeTexture", nullptr, IDR_LAKE_TEXTURE, 512, 512},
                      PictureCase{"DefaultPicture", L"common_res.dll", IDR_DEFAULT_PICTURE, 1024, 768},
                      PictureCase{"BorderPicture", L"common_res.dll", IDR_BORDER_PICTURE, 256, 256},
                      PictureCase{"GlyphStrip", L"common_res.dll", IDR_GLYPH_STRIP, 32, 512, true},
                      PictureCase{"BallHighlight", L"common_res.dll", IDR_BALL_HIGHLIGHT, 256, 256, true},
                      PictureCase{"BallGlint", L"common_res.dll", IDR_BALL_GLINT, 256, 256, true},
                      PictureCase{"BallStand", L"common_res.dll", IDR_BALL_STAND, 256, 128, true}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
