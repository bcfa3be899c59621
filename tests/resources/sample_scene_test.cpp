// The sample scene as the program carries it: the document that the build
// wrote loads, and every slide comes back as the sample built it, with a
// picture of the expected size.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "platform/d3dx9/device_fixture.h"
#include "particles/sprites/particle_system_ctrl.h"
#include "resources/sample_scene/sample_scene.h"
#include "scene/document/scene_document.h"
#include "scene/render/current_device.h"
#include "scene/slideshow/kv_slideshow_light.h"

namespace {

std::vector<BYTE> FileBytes(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SampleScene : public d3d9_test::D3DXDeviceTest {
protected:
    void SetUp() override {
        D3DXDeviceTest::SetUp();
        g_currentDevice = device();
        // common_res.res as the build lays it beside saver.
        setenv("SAVER_MODULE_PATH", SAVER_BUILD_DIR, 1);
    }
    void TearDown() override {
        document.manager.reset();
        g_currentDocResManager = nullptr;
        g_currentDevice = nullptr;
        unsetenv("SAVER_MODULE_PATH");
        D3DXDeviceTest::TearDown();
    }

    SceneDocument document;
};

struct PictureSize {
    UINT width;
    UINT height;
};

TEST_F(SampleScene, LoadsWithTheSlidesItWasBuiltWith) {
    const std::vector<BYTE> storedPicture = FileBytes(STORED_PICTURE);
    ASSERT_FALSE(storedPicture.empty());
    KV_DocResManager building;
    const auto built = BuildSampleShow(building, storedPicture);

    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    ASSERT_EQ(document.root->slides.size(), built->slides.size());
    // Landscape, sprites, portrait, square, stored in the document, small, common_res.
    const PictureSize kSizes[] = {{1600, 900}, {1600, 900}, {720, 1200}, {1024, 1024}, {1200, 600}, {160, 120}, {1024, 768}};
    ASSERT_EQ(std::size(kSizes), built->slides.size());

    for (std::size_t i = 0; i < built->slides.size(); ++i) {
        SCOPED_TRACE("slide " + std::to_string(i));
        const KV_SlideContainer& expected = *built->slides[i];
        const KV_SlideContainer& slide = *document.root->slides[i];
        EXPECT_EQ(slide.fadeIn.Value(), expected.fadeIn.Value());
        EXPECT_EQ(slide.hold.Value(), expected.hold.Value());
        EXPECT_EQ(slide.fadeOut.Value(), expected.fadeOut.Value());
        ASSERT_NE(slide.GetLight(), nullptr);
        const KV_2D_Light& light = *slide.GetLight();
        EXPECT_EQ(light.pictureLink.Key(), expected.GetLight()->pictureLink.Key());
        EXPECT_EQ(light.camera.enable.Value(), expected.GetLight()->camera.enable.Value());
        EXPECT_EQ(light.camera.zoom.Value(), expected.GetLight()->camera.zoom.Value());
        EXPECT_EQ(light.camera.speed.Value(), expected.GetLight()->camera.speed.Value());

        const TextureSequence& picture = document.manager->GetImage(light.pictureLink);
        ASSERT_EQ(picture.Frames().size(), 1u);
        EXPECT_NE(picture.Frames().front(), nullptr);
        EXPECT_EQ(picture.width, kSizes[i].width);
        EXPECT_EQ(picture.height, kSizes[i].height);
        const TextureSequence& border = document.manager->GetImage(light.camera.borderLink);
        ASSERT_EQ(border.Frames().size(), 1u);
        EXPECT_NE(border.Frames().front(), nullptr);
    }
    // The fades differ in length, and most slides wander and zoom.
    EXPECT_NE(built->slides[0]->fadeOut.Value(), built->slides[3]->fadeOut.Value());
    EXPECT_NE(built->slides[0]->fadeIn.Value(), built->slides[4]->fadeIn.Value());
    EXPECT_GT(built->slides[0]->GetLight()->camera.zoom.Value(), 100u);
    EXPECT_EQ(built->slides[0]->GetLight()->camera.enable.Value(), 1);
}

TEST_F(SampleScene, StoresOnePictureAndNamesCommonResForAnother) {
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    const auto& slides = document.root->slides;
    ASSERT_GE(slides.size(), 7u);

    // The stored picture's bytes come from the document, not from a file.
    const ResourceKey& stored = slides[4]->GetLight()->pictureLink.Key();
    EXPECT_EQ(stored.name, L"desert_dunes.png");
    const auto& entries = document.manager->Tables().entries.at(stored);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(std::vector<BYTE>(entries.front().Data(), entries.front().Data() + entries.front().Size()),
              FileBytes(STORED_PICTURE));

    EXPECT_EQ(slides[6]->GetLight()->pictureLink.Key(), (ResourceKey{L"common_res.dll", 5}));
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u}) EXPECT_EQ(slides[i]->GetLight()->pictureLink.Key().name, L"") << i;
}

// The sprite slide's systems come back from the document with their
// settings and with pictures that keep their alpha; the image sequence
// keeps its frames and their durations.
TEST_F(SampleScene, TheSpriteSlidesSystemsLoadWithTheirPictures) {
    const std::vector<BYTE> storedPicture = FileBytes(STORED_PICTURE);
    KV_DocResManager building;
    const auto built = BuildSampleShow(building, storedPicture);
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    const auto& expected = built->slides.at(1)->drawnDescriptions;
    const auto& loaded = document.root->slides.at(1)->drawnDescriptions;
    ASSERT_EQ(loaded.size(), expected.size());
    ASSERT_GE(loaded.size(), 9u);
    bool sawSequence = false;
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        SCOPED_TRACE("system " + std::to_string(i));
        const auto* sprites = dynamic_cast<const KV_ParticleSystemCtrl*>(loaded[i].get());
        const auto* wanted = dynamic_cast<const KV_ParticleSystemCtrl*>(expected[i].get());
        ASSERT_NE(sprites, nullptr);
        ASSERT_NE(wanted, nullptr);
        EXPECT_EQ(typeid(*sprites), typeid(*wanted));
        EXPECT_EQ(sprites->count.Value(), wanted->count.Value());
        EXPECT_EQ(sprites->image.GetPath(), wanted->image.GetPath());
        const TextureSequence& picture = sprites->imageKind == 1 ? document.manager->GetImageSequence(sprites->image)
                                                                 : document.manager->GetImage(sprites->image);
        ASSERT_FALSE(picture.Frames().empty());
        for (IDirect3DTexture9* frame : picture.Frames()) {
            ASSERT_NE(frame, nullptr);
            D3DSURFACE_DESC level{};
            frame->GetLevelDesc(0, &level);
            EXPECT_EQ(level.Format, D3DFMT_A8R8G8B8);
        }
        if (sprites->imageKind == 1) {
            sawSequence = true;
            EXPECT_EQ(picture.Frames().size(), 4u);
            EXPECT_EQ(picture.durations.size(), 4u);
            EXPECT_FALSE(sprites->secondImage.GetPath().empty());
            EXPECT_FALSE(document.manager->GetImage(sprites->secondImage).Frames().empty());
        }
    }
    EXPECT_TRUE(sawSequence);
}

}  // namespace
