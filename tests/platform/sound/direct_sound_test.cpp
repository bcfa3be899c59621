// DirectSound buffers heard through the mixer, pulled without a device.
#include <dsound.h>
#include <mmreg.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include <platform/sim_audio.h>

#include "com/com_ref.h"

namespace {

using platform::ComRef;

constexpr int kRate = 8000;

class DirectSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::sim::UseManualAudioPull();
        ASSERT_EQ(DirectSoundCreate8(nullptr, device_.out(), nullptr), DS_OK);
        ASSERT_EQ(device_->SetCooperativeLevel(nullptr, DSSCL_NORMAL), DS_OK);
        DSBUFFERDESC description{};
        description.dwSize = sizeof description;
        description.dwFlags = DSBCAPS_STICKYFOCUS | DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
        ASSERT_EQ(device_->CreateSoundBuffer(&description, primary_.out(), nullptr), DS_OK);
    }
    void TearDown() override {
        if (primary_.get()) primary_->SetVolume(0);
    }

    // A mono 16-bit buffer holding `frames` frames of one level.
    ComRef<IDirectSoundBuffer8> Buffer(float level, DWORD frames, DWORD rate = kRate) {
        WAVEFORMATEX format{WAVE_FORMAT_PCM, 1, rate, rate * 2, 2, 16, 0};
        DSBUFFERDESC description{};
        description.dwSize = sizeof description;
        description.dwFlags = DSBCAPS_STICKYFOCUS | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
        description.dwBufferBytes = frames * 2;
        description.lpwfxFormat = &format;
        ComRef<IDirectSoundBuffer> first;
        EXPECT_EQ(device_->CreateSoundBuffer(&description, first.out(), nullptr), DS_OK);
        ComRef<IDirectSoundBuffer8> buffer;
        EXPECT_EQ(first->QueryInterface(IID_IDirectSoundBuffer8, reinterpret_cast<void**>(buffer.out())), S_OK);
        void* data = nullptr;
        DWORD bytes = 0;
        EXPECT_EQ(buffer->Lock(0, 0, &data, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DS_OK);
        EXPECT_EQ(bytes, frames * 2);
        std::vector<int16_t> samples(frames, static_cast<int16_t>(level * 32768.0f));
        std::memcpy(data, samples.data(), bytes);
        EXPECT_EQ(buffer->Unlock(data, bytes, nullptr, 0), DS_OK);
        return buffer;
    }

    static std::vector<float> Pull(std::size_t frames, int rate = kRate) {
        std::vector<float> mixed(2 * frames);
        platform::sim::PullMixedAudio(mixed.data(), frames, rate);
        return mixed;
    }

    ComRef<IDirectSound8> device_;
    ComRef<IDirectSoundBuffer> primary_;
};

struct LevelCase {
    const char* name;
    LONG volume;
    LONG pan;
    LONG master;
    float left;
    float right;
};

class DirectSoundLevelTest : public DirectSoundTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(DirectSoundLevelTest, VolumePanAndMasterScaleTheMix) {
    const LevelCase& c = GetParam();
    ComRef<IDirectSoundBuffer8> buffer = Buffer(0.5f, 64);
    ASSERT_EQ(primary_->SetVolume(c.master), DS_OK);
    ASSERT_EQ(buffer->SetVolume(c.volume), DS_OK);
    ASSERT_EQ(buffer->SetPan(c.pan), DS_OK);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    const std::vector<float> mixed = Pull(16);
    EXPECT_NEAR(mixed[10], c.left, 1e-4);
    EXPECT_NEAR(mixed[11], c.right, 1e-4);
}

// 2000 hundredths of a decibel is a factor of ten.
INSTANTIATE_TEST_SUITE_P(Levels, DirectSoundLevelTest,
                         ::testing::Values(LevelCase{"Full", 0, 0, 0, 0.5f, 0.5f},
                                           LevelCase{"Minus20dB", -2000, 0, 0, 0.05f, 0.05f},
                                           LevelCase{"Silent", -10000, 0, 0, 0.0f, 0.0f},
                                           LevelCase{"PanLeft", 0, -2000, 0, 0.5f, 0.05f},
                                           LevelCase{"PanRight", 0, 2000, 0, 0.05f, 0.5f},
                                           LevelCase{"PanFullRight", 0, 10000, 0, 0.0f, 0.5f},
                                           LevelCase{"MasterMinus20dB", 0, 0, -2000, 0.05f, 0.05f},
                                           LevelCase{"MasterMuted", 0, 0, -10000, 0.0f, 0.0f},
                                           LevelCase{"VolumeAndMaster", -2000, 0, -2000, 0.005f, 0.005f}),
                         [](const auto& info) { return info.param.name; });

TEST_F(DirectSoundTest, SumsAreClippedToFullScale) {
    ComRef<IDirectSoundBuffer8> a = Buffer(0.75f, 64);
    ComRef<IDirectSoundBuffer8> b = Buffer(0.75f, 64);
    a->Play(0, 0, DSBPLAY_LOOPING);
    b->Play(0, 0, DSBPLAY_LOOPING);
    const std::vector<float> mixed = Pull(8);
    EXPECT_FLOAT_EQ(mixed[4], 1.0f);
}

TEST_F(DirectSoundTest, OneShotStopsAtItsEndAndLoopingGoesOn) {
    ComRef<IDirectSoundBuffer8> once = Buffer(0.25f, 100);
    ComRef<IDirectSoundBuffer8> looping = Buffer(0.5f, 100);
    once->SetPan(-10000);  // left only
    looping->SetPan(10000);  // right only
    once->Play(0, 0, 0);
    looping->Play(0, 0, DSBPLAY_LOOPING);
    DWORD status = 0;
    once->GetStatus(&status);
    EXPECT_EQ(status, DWORD{DSBSTATUS_PLAYING});
    looping->GetStatus(&status);
    EXPECT_EQ(status, DWORD{DSBSTATUS_PLAYING | DSBSTATUS_LOOPING});

    const std::vector<float> mixed = Pull(150);
    EXPECT_NEAR(mixed[2 * 99], 0.25f, 1e-4);
    EXPECT_EQ(mixed[2 * 100], 0.0f);
    EXPECT_NEAR(mixed[2 * 149 + 1], 0.5f, 1e-4);
    once->GetStatus(&status);
    EXPECT_EQ(status, 0u);
    looping->GetStatus(&status);
    EXPECT_EQ(status, DWORD{DSBSTATUS_PLAYING | DSBSTATUS_LOOPING});

    // Played again from the start after its end.
    ASSERT_EQ(once->SetCurrentPosition(0), DS_OK);
    once->Play(0, 0, 0);
    EXPECT_NEAR(Pull(1)[0], 0.25f, 1e-4);
}

TEST_F(DirectSoundTest, SourcesAreResampledToTheOutputRate) {
    ComRef<IDirectSoundBuffer8> buffer = Buffer(0.5f, 240, 24000);
    buffer->Play(0, 0, 0);
    const std::vector<float> mixed = Pull(500, 48000);
    EXPECT_NEAR(mixed[2 * 479], 0.5f, 1e-4);
    EXPECT_EQ(mixed[2 * 481], 0.0f);
}

TEST_F(DirectSoundTest, StoppedBuffersAreSilentAndKeepTheirPlace) {
    ComRef<IDirectSoundBuffer8> buffer = Buffer(0.5f, 100);
    buffer->Play(0, 0, 0);
    Pull(40);
    buffer->Stop();
    EXPECT_EQ(Pull(4)[0], 0.0f);
    DWORD play = 0;
    buffer->GetCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 80u);
}

TEST_F(DirectSoundTest, RefusesWhatItCannotDo) {
    ComRef<IDirectSoundBuffer8> buffer = Buffer(0.5f, 100);
    EXPECT_EQ(buffer->SetVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetPan(10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->SetCurrentPosition(200), DSERR_INVALIDPARAM);
    EXPECT_EQ(primary_->SetPan(0), DSERR_CONTROLUNAVAIL);
    void* data = nullptr;
    DWORD bytes = 0;
    EXPECT_EQ(primary_->Lock(0, 0, &data, &bytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER), DSERR_PRIOLEVELNEEDED);

    // Formats the mixer does not play, and a buffer before the level is set.
    WAVEFORMATEX adpcm{2, 1, kRate, kRate, 256, 4, 0};
    DSBUFFERDESC description{};
    description.dwSize = sizeof description;
    description.dwBufferBytes = 1024;
    description.lpwfxFormat = &adpcm;
    ComRef<IDirectSoundBuffer> refused;
    EXPECT_EQ(device_->CreateSoundBuffer(&description, refused.out(), nullptr), DSERR_BADFORMAT);
    EXPECT_EQ(refused.get(), nullptr);
    ComRef<IDirectSound8> fresh;
    ASSERT_EQ(DirectSoundCreate8(nullptr, fresh.out(), nullptr), DS_OK);
    WAVEFORMATEX pcm{WAVE_FORMAT_PCM, 1, kRate, kRate * 2, 2, 16, 0};
    description.lpwfxFormat = &pcm;
    EXPECT_EQ(fresh->CreateSoundBuffer(&description, refused.out(), nullptr), DSERR_PRIOLEVELNEEDED);
}

}  // namespace
