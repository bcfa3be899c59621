// The application with its scenes on the simulated machine, and scene
// documents of solid-coloured picture slides written by the engine's own
// classes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "host/host_fixture.h"

namespace host_test {

// The application as it ships, with its state in reach.
class SceneSaver : public CMoireScreensaver {
public:
    using CD3DScreensaver::AnimateErrorBox;
    using CD3DScreensaver::clock_;
    using CD3DScreensaver::CreateScreenUnits;
    using CD3DScreensaver::DrawAllScreens;
    using CD3DScreensaver::errorCode_;
    using CD3DScreensaver::errorMode_;
    using CD3DScreensaver::mainWindow_;
    using CD3DScreensaver::StartInMode;
    using CD3DScreensaver::unitCount_;
    using CD3DScreensaver::units_;
    using CMoireScreensaver::scenes_;

    // Records the manager published for each unit it draws.
    HRESULT DrawFrame() override;
    int Unit() const;

    std::vector<std::pair<int, const KV_DocResManager*>> drawnWith;
    // Runs after every unit's DrawFrame, before anything presents.
    std::function<void(SceneSaver&, int unit)> afterDraw;
};

struct PictureSlide {
    D3DCOLOR colour;  // 0x00RRGGBB
    unsigned in = 1, hold = 10, out = 1;
};

// A playlist item: where its file was, and the bytes the document stores
// (none: it plays from that path).
struct Track {
    std::wstring path;
    std::vector<BYTE> bytes;
};

// Items stored by a path that is on no machine.
std::vector<Track> TracksNotFound(size_t count);

// Slides with an 8 x 8 picture stored in the document each, and a playlist.
std::vector<BYTE> PictureDocument(const std::vector<PictureSlide>& slides, const std::vector<Track>& playlist = {});
// A picture of one colour, 0x00RRGGBB.
std::vector<BYTE> SolidPng(UINT width, UINT height, D3DCOLOR colour);

class SceneTest : public HostTest {
protected:
    void TearDown() override;

    // Full screen on monitors of these sizes side by side, one adapter each,
    // the units created and the application clock running.
    std::unique_ptr<SceneSaver> StartFullScreen(const std::vector<SIZE>& monitors);
    // The own module's document and splash.
    static void UseDocument(std::vector<BYTE> bytes);
    static void UseSplash(D3DCOLOR colour);
    // Unit i's back buffer, 0x00RRGGBB.
    static D3DCOLOR Pixel(SceneSaver& saver, int unit, UINT x, UINT y);
};

}  // namespace host_test
