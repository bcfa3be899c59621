// The music player on the process's graph, heard through the mixer.
#include <gtest/gtest.h>

#include <vector>

#include <platform/sim_audio.h>

#include "sound/soundtrack.h"
#include "sound/support/sound_files.h"

namespace {

constexpr int kRate = 8000;
constexpr UINT kGraphMessage = 0x8000;

// A twentieth of a second of one level.
std::wstring Track(const std::wstring& name, float level)
{
    return sound_test::WriteTemporaryFile(name, sound_test::LevelWave(level, 0.05, kRate));
}

float HeardNow()
{
    std::vector<float> mixed(8);
    platform::sim::PullMixedAudio(mixed.data(), 4, kRate);
    return mixed[0];
}

// Plays the rest of the track and more.
void PlayPastTheEnd()
{
    std::vector<float> mixed(2 * kRate / 10);
    platform::sim::PullMixedAudio(mixed.data(), kRate / 10, kRate);
}

ULONG FiltersInGraph()
{
    ComHolder<IEnumFilters> enumerator;
    g_soundtrackBuilder->EnumFilters(enumerator.Receive());
    ULONG count = 0;
    for (IBaseFilter* filter = nullptr; enumerator->Next(1, &filter, nullptr) == S_OK; ++count)
        filter->Release();
    return count;
}

class SoundtrackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::sim::UseManualAudioPull();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"SoundtrackTest";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, L"SoundtrackTest", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(InitSoundtrackGraph(window_));
    }
    void TearDown() override
    {
        ReleaseSoundtrackGraph();
        g_soundVolume = 100;
        DestroyWindow(window_);
    }

    bool TakeGraphMessage()
    {
        MSG message{};
        return PeekMessageW(&message, window_, kGraphMessage, kGraphMessage, PM_REMOVE) != FALSE;
    }

    HWND window_ = nullptr;
};

TEST_F(SoundtrackTest, EachTrackEndsWithTheMessageAndCompleteAndTheNextOneTakesOver)
{
    const std::wstring tracks[] = {Track(L"music-1.wav", 0.1f), Track(L"music-2.wav", 0.2f), Track(L"music-3.wav", 0.3f)};
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 3; ++i) {
            PlaySoundtrackFile(tracks[i]);
            EXPECT_NEAR(HeardNow(), 0.1f * static_cast<float>(i + 1), 1e-4) << "track " << i + 1;
            EXPECT_FALSE(TakeGraphMessage());
            PlayPastTheEnd();
            EXPECT_TRUE(TakeGraphMessage());
            EXPECT_EQ(PollSoundtrackEvent(), EC_COMPLETE);
            EXPECT_EQ(PollSoundtrackEvent(), -1);
            // Only this track's source and the renderer: earlier sources are gone.
            EXPECT_EQ(FiltersInGraph(), 2u);
        }
    }
}

TEST_F(SoundtrackTest, RewindPlaysTheTrackAgain)
{
    PlaySoundtrackFile(Track(L"music-rewind.wav", 0.4f));
    PlayPastTheEnd();
    EXPECT_EQ(HeardNow(), 0.0f);
    RewindSoundtrack();
    EXPECT_NEAR(HeardNow(), 0.4f, 1e-4);
}

TEST_F(SoundtrackTest, MissingAndUnplayableTracksStaySilent)
{
    PlaySoundtrackFile(Track(L"music-before.wav", 0.4f));
    PlaySoundtrackFile(L"/nonexistent/folder/track.mp3");
    EXPECT_EQ(HeardNow(), 0.0f);
    PlaySoundtrackFile(sound_test::WriteTemporaryFile(L"music-noise.mp3", {'n', 'o', 'i', 's', 'e'}));
    EXPECT_EQ(HeardNow(), 0.0f);
    PlayPastTheEnd();
    EXPECT_EQ(PollSoundtrackEvent(), -1);
    // And the next good track plays.
    PlaySoundtrackFile(Track(L"music-after.wav", 0.2f));
    EXPECT_NEAR(HeardNow(), 0.2f, 1e-4);
}

struct VolumeCase {
    const char* name;
    int volume;
    int muted;
    LONG expected;
};

class SoundtrackVolumeTest : public SoundtrackTest, public ::testing::WithParamInterface<VolumeCase> {};

TEST_P(SoundtrackVolumeTest, VolumeAndMuteGiveTheGraphLevel)
{
    g_soundVolume = GetParam().volume;
    ApplySoundtrackVolume(GetParam().muted);
    LONG level = 1;
    g_soundtrackAudio->get_Volume(&level);
    EXPECT_EQ(level, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Levels, SoundtrackVolumeTest,
                         ::testing::Values(VolumeCase{"Full", 100, 0, 0}, VolumeCase{"Half", 50, 0, -2000},
                                           VolumeCase{"Forty", 40, 0, -2400}, VolumeCase{"Zero", 0, 0, -4000},
                                           VolumeCase{"MutedFull", 100, 1, -10000},
                                           VolumeCase{"MutedZero", 0, 1, -10000}),
                         [](const auto& info) { return info.param.name; });

TEST(SoundtrackWithoutGraphTest, EveryCallDoesNothing)
{
    ReleaseSoundtrackGraph();
    ReleaseSoundtrackGraph();
    PlaySoundtrackFile(L"/nonexistent.wav");
    RewindSoundtrack();
    ApplySoundtrackVolume(0);
    EXPECT_FALSE(RenderSoundtrackFile(L"/nonexistent.wav"));
    EXPECT_FALSE(PlaySoundtrackSource(nullptr));
    EXPECT_EQ(PollSoundtrackEvent(), -1);
    EXPECT_FALSE(g_soundtrackBuilder);
}

} // namespace
