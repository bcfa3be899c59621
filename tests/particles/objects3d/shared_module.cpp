#include "shared_module.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "platform/resources/res_builder.h"

namespace objects3d_test {

Bytes ResourceFile(const std::string& name)
{
    std::ifstream file(std::filesystem::path(OBJECTS3D_RESOURCES) / name, std::ios::binary);
    EXPECT_TRUE(file.good()) << name;
    return std::vector<BYTE>(std::istreambuf_iterator<char>(file), {});
}

Bytes OneSidedSquareX()
{
    const std::string text =
        "xof 0303txt 0032\nMesh {\n 4;\n -10.0;-10.0;0.0;,\n 10.0;-10.0;0.0;,\n -10.0;10.0;0.0;,\n 10.0;10.0;0.0;;\n"
        " 2;\n 3;0,1,2;,\n 3;2,1,3;;\n MeshTextureCoords {\n  4;\n  0.0;1.0;,\n  1.0;1.0;,\n  0.0;0.0;,\n  1.0;0.0;;\n"
        " }\n}\n";
    return Bytes(text.begin(), text.end());
}

SharedModule::SharedModule()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "saver-objects3d-XXXXXX").string();
    EXPECT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    const std::pair<uint16_t, const char*> files[] = {
        {6, "butterfly_body.png"}, {68, "butterfly_body.x"}, {69, "butterfly_wing.x"},
        {70, "clock_square.x"},    {71, "clock_dial.png"},   {72, "clock_hand.png"},
    };
    test::ResBuilder module;
    for (const auto& [id, name] : files)
        module.Add(std::u16string(u"DDS"), id, ResourceFile(name));
    std::ofstream out(folder_ / "common_res.res", std::ios::binary);
    out.write(reinterpret_cast<const char*>(module.Bytes().data()), static_cast<std::streamsize>(module.Bytes().size()));
    setenv("SAVER_MODULE_PATH", folder_.c_str(), 1);
    g_currentDocResManager = &manager;
}

SharedModule::~SharedModule()
{
    g_currentDocResManager = nullptr;
    unsetenv("SAVER_MODULE_PATH");
    std::filesystem::remove_all(folder_);
}

void SharedModule::SetPicture(const ResourceKey& key, IDirect3DTexture9* texture)
{
    TextureSequence& sequence = manager.Tables().sequences[key];
    sequence.ReleaseFrames();
    sequence.AppendFrame(texture);
}

PicturePlacement WholePicture(int w, int h)
{
    PicturePlacement placement;
    placement.pictureWidth = w;
    placement.pictureHeight = h;
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    placement.fitQuad.corners = {{{0, fh, 1, 0, 1}, {0, 0, 1, 0, 0}, {fw, fh, 1, 1, 1}, {fw, 0, 1, 1, 0}}};
    return placement;
}

void ModuleSceneTest::SetUp()
{
    LightTest::SetUp();
    ShowPicture(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF000000));
    MakeRenderContextCurrent(&context);
    module.emplace();
}

void ModuleSceneTest::TearDown()
{
    module.reset();
    MakeRenderContextCurrent(nullptr);
    LightTest::TearDown();
}

}  // namespace objects3d_test
