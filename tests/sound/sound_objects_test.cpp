// Sound objects driven by their time lines, alone and in the started lists
// of slides, heard through the mixer.
#include <gtest/gtest.h>

#include <shlwapi.h>

#include <vector>

#include <platform/sim_audio.h>

#include "scene/render/current_device.h"
#include "scene/render/render_fixture.h"
#include "scene/render/view_context.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/slideshow/kv_slideshow_light.h"
#include "sound/direct_sound.h"
#include "sound/kv_mp3_constructor.h"
#include "sound/kv_sound.h"
#include "sound/kv_wav_constructor.h"
#include "sound/support/sound_files.h"

namespace {

using sound_test::Bytes;
using sound_test::LevelWave;

constexpr int kRate = 8000;

// Left and right of the next few frames.
std::pair<float, float> HeardNow()
{
    std::vector<float> mixed(8);
    platform::sim::PullMixedAudio(mixed.data(), 4, kRate);
    return {mixed[0], mixed[1]};
}

void Play(double seconds)
{
    std::vector<float> mixed(2 * static_cast<size_t>(seconds * kRate));
    platform::sim::PullMixedAudio(mixed.data(), mixed.size() / 2, kRate);
}

// The key of a new entry stored in the manager.
ResourceKey StoreEntry(KV_DocResManager& manager, const kv_string& name, const Bytes& bytes)
{
    const ResourceKey key{name, 1};
    ResourceEntry entry;
    entry.Assign(name, static_cast<DWORD>(bytes.size()), bytes.data());
    manager.Tables().entries[key].push_back(entry);
    return key;
}

// Sounds heard as they are, through the mix the test pulls.
void StartDirectSound()
{
    platform::sim::UseManualAudioPull();
    ASSERT_TRUE(InitDirectSound(nullptr));
    g_primarySoundBuffer->SetVolume(0);
}

class SoundObjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartDirectSound();
        g_currentDocResManager = &manager_;
    }
    void TearDown() override { g_currentDocResManager = nullptr; }

    ResourceKey StoreEntry(const kv_string& name, const Bytes& bytes) { return ::StoreEntry(manager_, name, bytes); }

    static std::unique_ptr<KV_ABObj> ObjectOf(const KV_Sound_Ctrl& description) { return description.CreateObject(); }

    KV_DocResManager manager_;
};

TEST_F(SoundObjectTest, WavAlwaysShownLoopsAndStopsWhenDeactivated)
{
    KV_WAV_Constructor wav;
    wav.link.SetKey(StoreEntry(L"loop.wav", LevelWave(0.5f, 0.1)));
    const std::unique_ptr<KV_ABObj> sound = ObjectOf(wav);
    EXPECT_EQ(sound->GetKindCode(), 1);
    // Prepared at once: its length, and no fades.
    const KV_TimeLineControl& timeLine = sound->Description().TimeLine();
    EXPECT_EQ(timeLine.visibleRange.minimum.Value(), 10u);
    EXPECT_EQ(timeLine.visibleRange.maximum.Value(), 10u);
    EXPECT_EQ(timeLine.fadeIn.Value(), 0u);

    sound->Advance(0.0f);
    Play(0.35);
    EXPECT_NEAR(HeardNow().first, 0.5f, 1e-4);  // looped past its end
    sound->SetActive(0);
    EXPECT_EQ(HeardNow().first, 0.0f);
    sound->Advance(1.0f);  // inactive: not started again
    EXPECT_EQ(HeardNow().first, 0.0f);
}

TEST_F(SoundObjectTest, WavInIntervalsPlaysOnceWhileShownAndIsNotCutWhenHidden)
{
    KV_WAV_Constructor wav;
    wav.link.SetKey(StoreEntry(L"once.wav", LevelWave(0.5f, 0.1)));
    wav.TimeLine().mode.Value() = KV_TimeLineControl::kModeIntervals;
    ASSERT_TRUE(wav.TimeLine().AddInterval(1.0f, 2.0f, 1.0f, 2.0f));
    const std::unique_ptr<KV_ABObj> sound = ObjectOf(wav);
    auto* buffer = static_cast<KV_WAV_Constructor&>(sound->Description()).Buffer();
    ASSERT_NE(buffer, nullptr);

    sound->SetTimeLineTime(0.5f);
    sound->Advance(0.5f);
    EXPECT_EQ(HeardNow().first, 0.0f);
    sound->SetTimeLineTime(1.5f);
    sound->Advance(1.5f);
    DWORD status = 0;
    buffer->GetStatus(&status);
    EXPECT_EQ(status, DWORD{DSBSTATUS_PLAYING});
    // Hidden while playing once: it plays on to its end, then stops.
    sound->SetTimeLineTime(2.5f);
    sound->Advance(2.5f);
    EXPECT_NEAR(HeardNow().first, 0.5f, 1e-4);
    Play(0.2);
    buffer->GetStatus(&status);
    EXPECT_EQ(status, 0u);
}

TEST_F(SoundObjectTest, WavLevelsAndTheMasterVolume)
{
    KV_WAV_Constructor wav;
    wav.link.SetKey(StoreEntry(L"levels.wav", LevelWave(0.5f, 0.1)));
    wav.volume.Value() = 60;   // -2000: a tenth
    wav.balance.Value() = 30;  // pan -2000: the right a tenth
    const std::unique_ptr<KV_ABObj> sound = ObjectOf(wav);
    auto* buffer = static_cast<KV_WAV_Constructor&>(sound->Description()).Buffer();
    LONG level = 0;
    buffer->GetVolume(&level);
    EXPECT_EQ(level, -2000);
    buffer->GetPan(&level);
    EXPECT_EQ(level, -2000);
    sound->Advance(0.0f);
    auto [left, right] = HeardNow();
    EXPECT_NEAR(left, 0.05f, 1e-5);
    EXPECT_NEAR(right, 0.005f, 1e-5);
    // The primary buffer as the master volume: "SoundVolume" 40 is -3000.
    g_primarySoundBuffer->SetVolume(-3000);
    std::tie(left, right) = HeardNow();
    EXPECT_NEAR(left, 0.05f * 0.031623f, 1e-5);
}

TEST_F(SoundObjectTest, WavWithoutStoredEntryOrWithBrokenDataStaysSilent)
{
    KV_WAV_Constructor missing;
    missing.link.SetKey({L"C:\\nowhere.wav", 9});
    KV_WAV_Constructor broken;
    broken.link.SetKey(StoreEntry(L"broken.wav", {'R', 'I', 'F', 'F', 1, 0, 0, 0}));
    for (KV_WAV_Constructor* wav : {&missing, &broken}) {
        const std::unique_ptr<KV_ABObj> sound = ObjectOf(*wav);
        EXPECT_EQ(static_cast<KV_WAV_Constructor&>(sound->Description()).Buffer(), nullptr);
        sound->Advance(0.0f);
        sound->SetActive(0);
        EXPECT_EQ(HeardNow().first, 0.0f);
    }
}

TEST_F(SoundObjectTest, CopiesShareTheBuffer)
{
    KV_WAV_Constructor wav;
    wav.link.SetKey(StoreEntry(L"shared.wav", LevelWave(0.5f, 0.1)));
    ASSERT_TRUE(wav.CreateBuffer());
    const std::unique_ptr<KV_Sound_Ctrl> copy = wav.Clone();
    EXPECT_EQ(static_cast<KV_WAV_Constructor&>(*copy).Buffer(), wav.Buffer());
}

TEST_F(SoundObjectTest, CompressedSoundRestartsWhileShownAndTakesItsLevels)
{
    KV_MP3_Constructor mp3;
    const Bytes wave = LevelWave(0.5f, 1.2);
    mp3.file.Assign(L"C:\\Sounds\\restart.wav", static_cast<DWORD>(wave.size()), wave.data());
    mp3.volume.Value() = 0;   // -4000: a hundredth
    mp3.balance.Value() = 100;  // +4000: the left a hundredth
    std::unique_ptr<KV_ABObj> sound = ObjectOf(mp3);
    const auto& prepared = static_cast<KV_MP3_Constructor&>(sound->Description());
    const kv_string copy = prepared.TempPath();
    EXPECT_TRUE(PathFileExistsW(copy.c_str()));
    // Whole seconds of the file, in hundredths.
    EXPECT_EQ(sound->Description().TimeLine().visibleRange.minimum.Value(), 100u);
    EXPECT_EQ(HeardNow().first, 0.0f);  // stopped once prepared

    sound->Advance(0.0f);
    auto [left, right] = HeardNow();
    EXPECT_NEAR(left, 0.5f * 0.01f * 0.01f, 1e-6);
    EXPECT_NEAR(right, 0.5f * 0.01f, 1e-6);
    Play(1.3);
    sound->Advance(1.3f);  // at its end: stopped
    EXPECT_EQ(HeardNow().second, 0.0f);
    sound->Advance(1.4f);  // still shown: from the start again
    EXPECT_NEAR(HeardNow().second, 0.005f, 1e-6);

    sound.reset();
    EXPECT_FALSE(PathFileExistsW(copy.c_str()));
}

// In intervals, it starts when its time line shows it and stops, mid-file,
// when the time line hides it.
TEST_F(SoundObjectTest, CompressedSoundStopsWhenItsTimeLineHidesIt)
{
    KV_MP3_Constructor mp3;
    const Bytes wave = LevelWave(0.5f, 3.0);
    mp3.file.Assign(L"C:\\Sounds\\hidden.wav", static_cast<DWORD>(wave.size()), wave.data());
    mp3.TimeLine().mode.Value() = KV_TimeLineControl::kModeIntervals;
    ASSERT_TRUE(mp3.TimeLine().AddInterval(1.0f, 2.0f, 1.0f, 2.0f));
    const std::unique_ptr<KV_ABObj> sound = ObjectOf(mp3);
    const struct {
        float t;
        float heard;
    } frames[] = {{0.5f, 0.0f}, {1.5f, 0.5f}, {1.9f, 0.5f}, {2.5f, 0.0f}};
    for (const auto& frame : frames) {
        sound->SetTimeLineTime(frame.t);
        sound->Advance(frame.t);
        EXPECT_NEAR(HeardNow().first, frame.heard, 1e-6) << frame.t << " s";
        Play(0.1);
    }
}

TEST_F(SoundObjectTest, CompressedSoundWithNothingToPlayIsSilentAndLeavesForeignFiles)
{
    // Stored by path in the temporary folder, not embedded: its own file is never deleted.
    const std::wstring original = sound_test::WriteTemporaryFile(L"user-sound.wav", LevelWave(0.5f, 0.1));
    KV_MP3_Constructor byPath;
    byPath.file.Assign(original, 0, nullptr);
    KV_MP3_Constructor missing;
    missing.file.Assign(L"C:\\gone\\missing.mp3", 0, nullptr);
    for (KV_MP3_Constructor* mp3 : {&byPath, &missing}) {
        const std::unique_ptr<KV_ABObj> sound = ObjectOf(*mp3);
        sound->Advance(0.0f);
        sound->SetActive(0);
    }
    EXPECT_TRUE(PathFileExistsW(original.c_str()));
    EXPECT_EQ(HeardNow().first, 0.0f);
}

// Sound objects in the started lists of a show's slides, on a small device.
class SlideSoundTest : public render_test::RenderTest {
protected:
    SlideSoundTest() : RenderTest(64, 64) {}
    void SetUp() override
    {
        RenderTest::SetUp();
        StartDirectSound();
        g_currentRenderContext = &context_;
        g_currentDocResManager = &manager_;
    }
    void TearDown() override
    {
        show_.InvalidateDeviceObjects();
        g_currentDocResManager = nullptr;
        g_currentRenderContext = nullptr;
        g_renderTargetSizeStack.clear();
        RenderTest::TearDown();
    }

    // A tenth of a second of one level.
    std::unique_ptr<KV_WAV_Constructor> Wave(const kv_string& name, float level)
    {
        auto wav = std::make_unique<KV_WAV_Constructor>();
        wav->link.SetKey(StoreEntry(manager_, name, LevelWave(level, 0.1)));
        return wav;
    }

    // A built slide of one second each of fade in, hold and fade out, which
    // starts and stops the sound.
    void AddSlide(std::unique_ptr<KV_WAV_Constructor> sound)
    {
        auto* slide = new KV_SlideContainer;
        slide->hold.Value() = 1;
        slide->light = CountedRef<KV_2D_Light>(new KV_2D_Light);
        slide->startedDescriptions.push_back(std::move(sound));
        show_.slides.emplace_back(slide);
        slide->Build();
    }

    ViewContext context_;
    KV_DocResManager manager_;
    KV_SlideShow_Light show_;
};

// The first slide's sound is always shown, so it loops; the second's time
// line cycles, so it rings once whenever it is shown and is quiet for the
// second it is hidden. Leaving a slide stops its sound, whether it loops or
// not.
TEST_F(SlideSoundTest, EnteringASlideStartsItsSoundsAndLeavingItStopsThem)
{
    AddSlide(Wave(L"slide-loop.wav", 0.5f));
    std::unique_ptr<KV_WAV_Constructor> once = Wave(L"slide-once.wav", 0.25f);
    KV_TimeLineControl& timeLine = once->TimeLine();
    timeLine.mode.Value() = KV_TimeLineControl::kModeCycle;
    timeLine.invisibleRange.minimum.Value() = 100;
    timeLine.invisibleRange.maximum.Value() = 100;
    AddSlide(std::move(once));

    struct Frame {
        float t;
        float heard;
        double thenPlayed;  // seconds
    };
    const Frame frames[] = {
        {0.0f, 0.5f, 0.35}, {1.0f, 0.5f, 0.0},  // past its end: looped
        {2.05f, 0.0f, 0.0},                     // the second slide; cycling: fading in
        {2.1f, 0.25f, 0.2}, {2.3f, 0.0f, 0.0},  // shown: once, to its end
        {2.4f, 0.0f, 0.0},  {3.45f, 0.0f, 0.0}, // hidden for a second
        {3.5f, 0.25f, 0.0},                     // shown again
        {5.1f, 0.5f, 0.0},                      // the first slide again, alone
    };
    for (const Frame& frame : frames) {
        show_.FrameMove(frame.t);
        EXPECT_NEAR(HeardNow().first, frame.heard, 1e-4) << frame.t << " s";
        Play(frame.thenPlayed);
    }
    EXPECT_EQ(show_.CurrentSlide(), show_.slides[0].Get());
}

} // namespace
