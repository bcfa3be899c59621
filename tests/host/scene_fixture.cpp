#include "host/scene_fixture.h"

#include <png.h>

#include <platform/sim_resources.h>

#include "platform/d3d9/d3d9_machine.h"
#include "platform/d3dx9/picture_files.h"
#include "scene/document/writer/scene_document_writer.h"
#include "scene/render/current_device.h"
#include "scene/resources/kv_docresmanager.h"

namespace host_test {

HRESULT SceneSaver::DrawFrame() {
    const HRESULT result = CMoireScreensaver::DrawFrame();
    drawnWith.emplace_back(Unit(), g_currentDocResManager);
    if (afterDraw) afterDraw(*this, Unit());
    return result;
}

int SceneSaver::Unit() const { return static_cast<int>(currentScene_ - scenes_); }

std::vector<BYTE> SolidPng(UINT width, UINT height, D3DCOLOR colour) {
    d3dx9_test::PngPicture picture;
    picture.width = width;
    picture.height = height;
    picture.colourType = PNG_COLOR_TYPE_RGB;
    for (UINT i = 0; i < width * height; ++i) {
        picture.rows.insert(picture.rows.end(), {static_cast<BYTE>(colour >> 16), static_cast<BYTE>(colour >> 8),
                                                 static_cast<BYTE>(colour)});
    }
    return d3dx9_test::EncodePng(picture);
}

std::vector<Track> TracksNotFound(size_t count) {
    std::vector<Track> tracks;
    for (size_t i = 0; i < count; ++i) tracks.push_back({L"C:\\music\\track" + std::to_wstring(i) + L".mp3", {}});
    return tracks;
}

std::vector<BYTE> PictureDocument(const std::vector<PictureSlide>& slides, const std::vector<Track>& playlist) {
    KV_SlideShow_Light show;
    KV_DocResManager manager;
    for (size_t i = 0; i < slides.size(); ++i) {
        const ResourceKey key{L"slide" + std::to_wstring(i) + L".png", static_cast<LONGLONG>(i + 1)};
        const std::vector<BYTE> png = SolidPng(8, 8, slides[i].colour);
        ResourceEntry entry;
        entry.Assign(key.name, static_cast<DWORD>(png.size()), png.data());
        manager.Tables().images[key] = {entry};
        auto slide = new KV_SlideContainer;
        slide->fadeIn.Value() = slides[i].in;
        slide->hold.Value() = slides[i].hold;
        slide->fadeOut.Value() = slides[i].out;
        slide->light = CountedRef<KV_2D_Light>(new KV_2D_Light);
        slide->light->pictureLink.SetKey(key);
        show.slides.emplace_back(slide);
    }
    for (const Track& track : playlist) {
        auto item = new KV_AudioFile;
        item->name = track.path;
        item->file.Assign(track.path, static_cast<DWORD>(track.bytes.size()), track.bytes.data());
        show.playlist.emplace_back(item);
    }
    return WriteSceneDocument(show, manager);
}

void SceneTest::TearDown() {
    platform::sim::ResetOwnModuleResources();
    HostTest::TearDown();
}

std::unique_ptr<SceneSaver> SceneTest::StartFullScreen(const std::vector<SIZE>& monitors) {
    std::vector<platform::DisplayDeviceDescription> displays;
    std::vector<platform::sim::AdapterDescription> adapters;
    LONG left = 0;
    for (const SIZE& size : monitors) {
        displays.push_back(Display({left, 0, left + size.cx, size.cy}, displays.empty()));
        adapters.emplace_back();
        left += size.cx;
    }
    UseDisplays(displays);
    platform::sim::SetAdapters(adapters);
    auto saver = std::make_unique<SceneSaver>();
    EXPECT_EQ(saver->StartInMode(RunModeRequest{kModeFullScreen, nullptr}), S_OK);
    saver->CreateScreenUnits();
    saver->clock_.Start();
    EXPECT_EQ(saver->unitCount_, static_cast<int>(monitors.size()));
    return saver;
}

void SceneTest::UseDocument(std::vector<BYTE> bytes) {
    platform::sim::SetOwnModuleResource(L"DDS", MAKEINTRESOURCEW(107), std::move(bytes));
}

void SceneTest::UseSplash(D3DCOLOR colour) {
    platform::sim::SetOwnModuleResource(L"DDS", MAKEINTRESOURCEW(5), SolidPng(16, 16, colour));
}

D3DCOLOR SceneTest::Pixel(SceneSaver& saver, int unit, UINT x, UINT y) {
    return d3d9_test::PixelAt(saver.units_[unit].device.Get(), x, y);
}

}  // namespace host_test
