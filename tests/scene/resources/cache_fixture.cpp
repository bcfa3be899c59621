#include "cache_fixture.h"

#include <cstdlib>
#include <fstream>

#include <png.h>

#include "platform/d3dx9/picture_files.h"
#include "platform/resources/res_builder.h"
#include "platform/sim_resources.h"
#include "platform/unicode.h"
#include "scene/render/current_device.h"

namespace resources_test {

Bytes RedPng(UINT width, UINT height) {
    d3dx9_test::PngPicture picture;
    picture.width = width;
    picture.height = height;
    picture.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (UINT i = 0; i < width * height; ++i) picture.rows.insert(picture.rows.end(), {255, 0, 0, 255});
    return d3dx9_test::EncodePng(picture);
}

ULONG References(IUnknown* object) {
    object->AddRef();
    return object->Release();
}

void CacheTest::SetUp() {
    D3DXDeviceTest::SetUp();
    g_currentDevice = device();
    std::string pattern = (std::filesystem::temp_directory_path() / "saver-cache-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    setenv("SAVER_MODULE_PATH", folder_.c_str(), 1);
    cache_.emplace();
}

void CacheTest::TearDown() {
    cache_.reset();
    // The engine never frees a module it loads; without this the next test
    // would find this test's module still loaded.
    while (HMODULE module = GetModuleHandleW(kModuleName)) {
        ASSERT_TRUE(FreeLibrary(module));
    }
    g_currentDevice = nullptr;
    platform::sim::ResetOwnModuleResources();
    unsetenv("SAVER_MODULE_PATH");
    std::filesystem::remove_all(folder_);
    D3DXDeviceTest::TearDown();
}

void CacheTest::SetOwnResource(const Bytes& bytes) const {
    platform::sim::SetOwnModuleResource(L"DDS", MAKEINTRESOURCEW(kPictureId), bytes);
}

void CacheTest::WriteModule(const Bytes& picture) const {
    test::ResBuilder module;
    module.Add(std::u16string(u"DDS"), static_cast<uint16_t>(kPictureId), picture);
    WriteFile("common_res.res", module.Bytes());
}

std::wstring CacheTest::FilePath(const std::string& name) const {
    return platform::WideFromUtf8((folder_ / name).string());
}

void CacheTest::WriteFile(const std::string& name, const Bytes& bytes) const {
    std::ofstream file(folder_ / name, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good());
}

}  // namespace resources_test
