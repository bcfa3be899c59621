// The application's scenes on the simulated machine: the splash of each
// unit's first frame, each unit's own copy of the document, the show drawn
// again after a device reset, documents that cannot be loaded, and the
// music: the playlist order, the ends of tracks reaching the main window,
// one graph for every monitor; the stored picture position and volume.
#include <list>

#include <platform/sim_audio.h>
#include <platform/sim_d3d.h>
#include <platform/sim_d3d_draws.h>
#include <platform/sim_resources.h>

#include "host/host_errors.h"
#include "host/scene_fixture.h"
#include "host/settings_values.h"
#include "sound/direct_sound.h"
#include "sound/soundtrack.h"
#include "sound/support/sound_files.h"

namespace host_test {
namespace {

constexpr D3DCOLOR kSplash = 0x3366CC;
constexpr D3DCOLOR kPicture = 0xCC8822;

using ScreenSceneTest = SceneTest;

TEST_F(ScreenSceneTest, EachUnitShowsItsSplashThenLoadsItsOwnDocumentAndDrawsIt) {
    UseSplash(kSplash);
    UseDocument(PictureDocument({{kPicture}}));
    auto saver = StartFullScreen({{640, 480}, {800, 600}});

    // A centred square of two thirds of the height, on black.
    struct Probe {
        UINT x, y;
        D3DCOLOR colour;
    };
    const std::vector<Probe> splashProbes[2] = {
        {{320, 240, kSplash}, {161, 81, kSplash}, {478, 398, kSplash}, {158, 240, 0}, {482, 240, 0}, {320, 78, 0},
         {320, 402, 0}},
        {{400, 300, kSplash}, {201, 101, kSplash}, {598, 498, kSplash}, {198, 300, 0}, {602, 300, 0}, {400, 98, 0},
         {400, 502, 0}}};
    saver->afterDraw = [&](SceneSaver& s, int unit) {
        for (const Probe& probe : splashProbes[unit])
            EXPECT_EQ(Pixel(s, unit, probe.x, probe.y), probe.colour) << unit << ": " << probe.x << "," << probe.y;
    };
    saver->DrawAllScreens();
    EXPECT_EQ(saver->drawnWith.size(), 2u);

    // The second frame loads and draws nothing.
    saver->afterDraw = nullptr;
    platform::sim::RecordDraws(true);
    saver->DrawAllScreens();
    EXPECT_TRUE(platform::sim::TakeDraws().empty());
    platform::sim::RecordDraws(false);
    ASSERT_NE(saver->scenes_[0].manager, nullptr);
    ASSERT_NE(saver->scenes_[1].manager, nullptr);
    EXPECT_NE(saver->scenes_[0].manager, saver->scenes_[1].manager);
    EXPECT_NE(saver->scenes_[0].root, saver->scenes_[1].root);

    saver->drawnWith.clear();
    saver->afterDraw = [&](SceneSaver& s, int unit) { EXPECT_EQ(Pixel(s, unit, 100, 100), kPicture) << unit; };
    saver->DrawAllScreens();
    saver->DrawAllScreens();
    const std::vector<std::pair<int, const KV_DocResManager*>> expected = {
        {0, saver->scenes_[0].manager.get()},
        {1, saver->scenes_[1].manager.get()},
        {0, saver->scenes_[0].manager.get()},
        {1, saver->scenes_[1].manager.get()}};
    EXPECT_EQ(saver->drawnWith, expected);
    EXPECT_FALSE(saver->errorMode_);
}

TEST_F(ScreenSceneTest, AOneSlideShowIsDrawnAgainRightAfterADeviceReset) {
    UseDocument(PictureDocument({{kPicture}}));
    auto saver = StartFullScreen({{640, 480}});
    for (int frame = 0; frame < 3; ++frame) saver->DrawAllScreens();
    ASSERT_EQ(Pixel(*saver, 0, 320, 240), kPicture);

    platform::sim::ScheduleDeviceEvent(0, platform::sim::DeviceEvent{platform::sim::DeviceEvent::Kind::NeedsReset, 3});
    std::vector<D3DCOLOR> shown;
    saver->afterDraw = [&](SceneSaver& s, int unit) { shown.push_back(Pixel(s, unit, 320, 240)); };
    for (int frame = 0; frame < 3; ++frame) saver->DrawAllScreens();
    EXPECT_EQ(shown, (std::vector<D3DCOLOR>{kPicture, kPicture, kPicture}));
    EXPECT_FALSE(saver->errorMode_);
}

struct PositionCase {
    const char* name;
    bool stored;
    DWORD position;
    int mode;  // the layout every slide gets
    bool fillsTheScreen;
};

class PicturePosition : public SceneTest, public testing::WithParamInterface<PositionCase> {};

// Square pictures on a 640 x 480 screen: fitted, bars left and right.
TEST_P(PicturePosition, TheStoredPositionLaysOutEverySlide) {
    constexpr D3DCOLOR kSecondPicture = 0x2288CC;
    UseDocument(PictureDocument({{kPicture, 0, 2, 1}, {kSecondPicture, 0, 2, 1}}));
    auto saver = StartFullScreen({{640, 480}});
    if (GetParam().stored) WriteSettingValue(GetParam().position, kPicturePositionValue);
    saver->DrawAllScreens();  // the splash
    saver->DrawAllScreens();  // the show starts
    for (const D3DCOLOR picture : {kPicture, kSecondPicture, kPicture}) {
        saver->DrawAllScreens();
        EXPECT_EQ(saver->scenes_[0].view.mode, GetParam().mode);
        EXPECT_EQ(Pixel(*saver, 0, 320, 240), picture);
        EXPECT_EQ(Pixel(*saver, 0, 20, 240) == picture, GetParam().fillsTheScreen) << std::hex << picture;
        clock_.AdvanceMilliseconds(3100);  // on to the next slide
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, PicturePosition,
                         testing::Values(PositionCase{"Stretch", true, 0, 0, true}, PositionCase{"Fit", true, 1, 1, false},
                                         PositionCase{"Fill", true, 2, 2, true},
                                         PositionCase{"NothingStored", false, 0, 2, true}),
                         [](const testing::TestParamInfo<PositionCase>& info) { return info.param.name; });

struct Unloadable {
    const char* name;
    std::vector<BYTE> document;  // empty: none
};

class UnloadableDocuments : public SceneTest, public testing::WithParamInterface<Unloadable> {};

TEST_P(UnloadableDocuments, PutTheHostIntoTheErrorBoxAndLetTheDeviceGo) {
    if (GetParam().document.empty())
        platform::sim::RemoveOwnModuleResource(L"DDS", MAKEINTRESOURCEW(107));
    else
        UseDocument(GetParam().document);
    auto saver = StartFullScreen({{640, 480}});
    saver->DrawAllScreens();
    saver->DrawAllScreens();
    EXPECT_TRUE(saver->errorMode_);
    EXPECT_EQ(saver->errorCode_, kErrorMediaNotLoaded);

    // Nothing of the scene keeps the device once the units are released.
    IDirect3DDevice9* device = saver->units_[0].device.Get();
    device->AddRef();
    saver->AnimateErrorBox();
    EXPECT_EQ(saver->unitCount_, 0);
    EXPECT_EQ(device->Release(), 0u);
}

std::vector<BYTE> Truncated(std::vector<BYTE> bytes) {
    bytes.resize(bytes.size() - 3);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Documents, UnloadableDocuments,
    testing::Values(Unloadable{"Missing", {}}, Unloadable{"Truncated", Truncated(PictureDocument({{kPicture}}))}),
    [](const testing::TestParamInfo<Unloadable>& info) { return info.param.name; });

struct PlaylistCase {
    const char* name;
    size_t items;
    std::vector<size_t> nextAfterEachEnd;
};

class PlaylistOrder : public SceneTest, public testing::WithParamInterface<PlaylistCase> {};

// The position moves on at each end of a track: 1, 2, 3, 1, ... for three
// items; one item is rewound and stays where it is.
TEST_P(PlaylistOrder, FollowsTheEndsOfTracks) {
    UseDocument(PictureDocument({{kPicture}}, TracksNotFound(GetParam().items)));
    auto saver = StartFullScreen({{640, 480}});
    saver->DrawAllScreens();
    saver->DrawAllScreens();
    std::vector<size_t> next;
    for (size_t i = 0; i < GetParam().nextAfterEachEnd.size(); ++i) {
        saver->HandleSoundEvent(2);  // not the end of a track
        saver->HandleSoundEvent(1);
        next.push_back(saver->scenes_[0].nextItem);
    }
    EXPECT_EQ(next, GetParam().nextAfterEachEnd);
}

INSTANTIATE_TEST_SUITE_P(Playlists, PlaylistOrder,
                         testing::Values(PlaylistCase{"Empty", 0, {0, 0}}, PlaylistCase{"One", 1, {1, 1, 1}},
                                         PlaylistCase{"Three", 3, {2, 3, 1, 2, 3, 1}}),
                         [](const testing::TestParamInfo<PlaylistCase>& info) { return info.param.name; });

constexpr int kRate = 8000;
constexpr UINT kGraphMessage = 0x8000;
constexpr double kTrackSeconds = 0.05;

// Tracks stored in the document, each of one level for a twentieth of a
// second, or of the levels one after another.
Track LevelTrack(const std::wstring& name, std::vector<float> levels) {
    std::vector<int16_t> samples;
    for (float level : levels)
        samples.insert(samples.end(), static_cast<size_t>(kTrackSeconds * kRate), static_cast<int16_t>(level * 32768.0f));
    return {L"C:\\music\\" + name, sound_test::WaveFile({}, sound_test::Pcm16(samples))};
}

// The mix's left channel just now.
float HeardNow() {
    std::vector<float> mixed(8);
    platform::sim::PullMixedAudio(mixed.data(), 4, kRate);
    return mixed[0];
}

void PlayFor(double seconds) {
    std::vector<float> mixed(2 * static_cast<size_t>(seconds * kRate));
    platform::sim::PullMixedAudio(mixed.data(), mixed.size() / 2, kRate);
}

// Hands the graph's queued messages to the host's window procedure, as the
// message loop does; the windows they were posted to.
std::vector<HWND> DispatchGraphMessages() {
    std::vector<HWND> windows;
    MSG message{};
    while (PeekMessageW(&message, nullptr, kGraphMessage, kGraphMessage, PM_REMOVE)) {
        windows.push_back(message.hwnd);
        DispatchMessageW(&message);
    }
    return windows;
}

ULONG FiltersInGraph() {
    ComHolder<IEnumFilters> filters;
    if (!g_soundtrackBuilder || FAILED(g_soundtrackBuilder->EnumFilters(filters.Receive()))) return 0;
    ULONG count = 0;
    for (IBaseFilter* filter = nullptr; filters->Next(1, &filter, nullptr) == S_OK; ++count) filter->Release();
    return count;
}

// The graph's filters, each held so that none can go and another take its
// address.
std::list<ComHolder<IBaseFilter>> HeldFilters() {
    std::list<ComHolder<IBaseFilter>> held;
    ComHolder<IEnumFilters> filters;
    if (!g_soundtrackBuilder || FAILED(g_soundtrackBuilder->EnumFilters(filters.Receive()))) return held;
    for (IBaseFilter* filter = nullptr; filters->Next(1, &filter, nullptr) == S_OK;) held.emplace_back().Reset(filter);
    return held;
}

std::vector<IBaseFilter*> Addresses(const std::list<ComHolder<IBaseFilter>>& filters) {
    std::vector<IBaseFilter*> addresses;
    for (const ComHolder<IBaseFilter>& filter : filters) addresses.push_back(filter.Get());
    return addresses;
}

class SceneMusic : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        platform::sim::UseManualAudioPull();
    }
};

// Each track's end is posted to the main window; handling it there plays
// the next track, and after the last the first again.
TEST_F(SceneMusic, TheEndOfATrackReachesTheMainWindowWhichPlaysTheNext) {
    UseDocument(PictureDocument({{kPicture}}, {LevelTrack(L"first.wav", {0.1f}), LevelTrack(L"second.wav", {0.2f}),
                                               LevelTrack(L"third.wav", {0.3f})}));
    auto saver = StartFullScreen({{640, 480}});
    saver->DrawAllScreens();
    saver->DrawAllScreens();
    for (float level : {0.1f, 0.2f, 0.3f, 0.1f, 0.2f}) {
        EXPECT_NEAR(HeardNow(), level, 1e-4);
        EXPECT_TRUE(DispatchGraphMessages().empty());
        PlayFor(2 * kTrackSeconds);
        EXPECT_EQ(HeardNow(), 0.0f);
        EXPECT_EQ(DispatchGraphMessages(), std::vector<HWND>{saver->mainWindow_}) << level;
    }
    // Earlier tracks' sources are gone.
    EXPECT_EQ(FiltersInGraph(), 2u);
}

// A playlist of one track: its end rewinds the graph as it stands, the
// track is not added again.
TEST_F(SceneMusic, AOneTrackPlaylistIsRewoundAtTheEndOfItsTrack) {
    UseDocument(PictureDocument({{kPicture}}, {LevelTrack(L"only.wav", {0.1f})}));
    auto saver = StartFullScreen({{640, 480}});
    saver->DrawAllScreens();
    saver->DrawAllScreens();
    const std::list<ComHolder<IBaseFilter>> playing = HeldFilters();
    ASSERT_FALSE(playing.empty());
    for (int end = 0; end < 3; ++end) {
        EXPECT_NEAR(HeardNow(), 0.1f, 1e-4) << end;
        PlayFor(2 * kTrackSeconds);
        EXPECT_EQ(HeardNow(), 0.0f) << end;
        EXPECT_EQ(DispatchGraphMessages(), std::vector<HWND>{saver->mainWindow_}) << end;
    }
    EXPECT_NEAR(HeardNow(), 0.1f, 1e-4);
    EXPECT_EQ(Addresses(HeldFilters()), Addresses(playing));
    EXPECT_EQ(saver->scenes_[0].nextItem, 1u);
}

// Items that cannot be played (one on no machine, one stored but no sound)
// leave the graph as they found it: the last good track's source and the
// renderer, then the next good track's.
TEST_F(SceneMusic, UnplayableItemsBetweenTwoGoodOnesAddNothingToTheGraph) {
    const Track noise{L"C:\\music\\noise.mp3", {'n', 'o', 'i', 's', 'e'}};
    UseDocument(PictureDocument({{kPicture}}, {LevelTrack(L"first.wav", {0.1f}), TracksNotFound(1).front(), noise,
                                               noise, LevelTrack(L"last.wav", {0.3f})}));
    auto saver = StartFullScreen({{640, 480}});
    saver->DrawAllScreens();
    saver->DrawAllScreens();
    EXPECT_EQ(FiltersInGraph(), 2u);
    for (size_t item = 1; item < 5; ++item) {
        saver->HandleSoundEvent(1);
        EXPECT_EQ(FiltersInGraph(), 2u) << "item " << item + 1;
    }
    EXPECT_NEAR(HeardNow(), 0.3f, 1e-4);
}

// Every unit's start plays its own first item on the one graph: the music
// starts again from its beginning, heard once; the unit made current last
// drives the playlist from then on.
TEST_F(SceneMusic, OnTwoMonitorsTheGraphIsSharedAndTheSecondStartPlaysTheFirstTrackAgain) {
    UseDocument(PictureDocument({{kPicture}}, {LevelTrack(L"rising.wav", {0.1f, 0.4f}), LevelTrack(L"next.wav", {0.2f})}));
    auto saver = StartFullScreen({{640, 480}, {800, 600}});
    saver->DrawAllScreens();
    std::vector<float> heard;
    saver->afterDraw = [&](SceneSaver&, int) {
        heard.push_back(HeardNow());
        PlayFor(1.2 * kTrackSeconds);  // into the louder half
        heard.push_back(HeardNow());
    };
    saver->DrawAllScreens();
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_NEAR(heard[0], 0.1f, 1e-4);
    EXPECT_NEAR(heard[1], 0.4f, 1e-4);
    EXPECT_NEAR(heard[2], 0.1f, 1e-4);  // from the start, and not two voices
    EXPECT_NEAR(heard[3], 0.4f, 1e-4);
    EXPECT_EQ(saver->scenes_[0].nextItem, 1u);
    EXPECT_EQ(saver->scenes_[1].nextItem, 1u);
    EXPECT_EQ(FiltersInGraph(), 2u);

    saver->afterDraw = nullptr;
    PlayFor(kTrackSeconds);
    EXPECT_EQ(DispatchGraphMessages(), std::vector<HWND>{saver->mainWindow_});
    EXPECT_NEAR(HeardNow(), 0.2f, 1e-4);
    EXPECT_EQ(saver->scenes_[0].nextItem, 1u);
    EXPECT_EQ(saver->scenes_[1].nextItem, 2u);
}

struct PrimaryVolumeCase {
    const char* name;
    bool stored;
    DWORD volume, muted;
    LONG expected;  // hundredths of a decibel
};

class PrimaryBufferVolume : public SceneTest, public testing::WithParamInterface<PrimaryVolumeCase> {};

// The show's start sets the primary buffer from the stored music settings.
TEST_P(PrimaryBufferVolume, FollowsTheStoredSettingsWhenTheShowStarts) {
    UseDocument(PictureDocument({{kPicture}}));
    auto saver = StartFullScreen({{640, 480}});
    if (GetParam().stored) {
        WriteSettingValue(GetParam().volume, kSoundVolumeValue);
        WriteSettingValue(GetParam().muted, kMuteSoundValue);
    }
    ASSERT_TRUE(g_primarySoundBuffer);
    g_primarySoundBuffer->SetVolume(-1);
    saver->DrawAllScreens();
    saver->DrawAllScreens();
    LONG volume = 1;
    ASSERT_EQ(g_primarySoundBuffer->GetVolume(&volume), DS_OK);
    EXPECT_EQ(volume, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Settings, PrimaryBufferVolume,
                         testing::Values(PrimaryVolumeCase{"Full", true, 100, 0, 0},
                                         PrimaryVolumeCase{"Forty", true, 40, 0, -3000},
                                         PrimaryVolumeCase{"Silent", true, 0, 0, -5000},
                                         PrimaryVolumeCase{"Muted", true, 40, 1, DSBVOLUME_MIN},
                                         PrimaryVolumeCase{"NothingStored", false, 0, 0, 0}),
                         [](const testing::TestParamInfo<PrimaryVolumeCase>& info) { return info.param.name; });

}  // namespace
}  // namespace host_test
