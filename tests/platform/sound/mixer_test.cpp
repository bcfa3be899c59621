// What reaches the output when samples are not finite numbers: a float
// file's infinities enter as silence, and a voice that gives NaN or an
// infinity loses those samples alone; the mix is always finite.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <platform/sim_audio.h>

#include "audio/mixer.h"
#include "audio/pcm_cursor.h"

namespace {

using platform::audio::VoiceGroup;

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

std::vector<BYTE> FloatBytes(const std::vector<float>& samples) {
    std::vector<BYTE> bytes(samples.size() * sizeof(float));
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return bytes;
}

struct CursorCase {
    const char* name;
    std::vector<float> samples;  // mono, 8000 Hz
    int outRate;

    friend void PrintTo(const CursorCase& c, std::ostream* out) { *out << c.name; }
};

class FloatSamplesTest : public ::testing::TestWithParam<CursorCase> {};

TEST_P(FloatSamplesTest, NonFiniteSamplesEnterAsSilence) {
    const CursorCase& c = GetParam();
    const platform::audio::PcmFormat format{platform::audio::SampleEncoding::kFloat32, 1, 8000, 4};
    const std::vector<BYTE> data = FloatBytes(c.samples);
    const platform::audio::PcmView view{&format, data.data(), c.samples.size()};
    std::vector<float> out(2 * 16, 0.0f);
    platform::audio::PcmCursor cursor;
    cursor.MixInto(view, out.data(), 16, c.outRate, {}, false);
    for (std::size_t i = 0; i < out.size(); ++i) EXPECT_EQ(out[i], 0.0f) << "sample " << i;
}

// Resampled, neighbouring infinities of opposite signs would interpolate
// to NaN.
INSTANTIATE_TEST_SUITE_P(Files, FloatSamplesTest,
                         ::testing::Values(CursorCase{"Infinities", {kInfinity, -kInfinity, kInfinity, -kInfinity}, 8000},
                                           CursorCase{"InfinitiesResampled",
                                                      {kInfinity, -kInfinity, kInfinity, -kInfinity}, 11025},
                                           CursorCase{"NaNResampled", {kNaN, -kNaN, kNaN, kNaN}, 11025}),
                         [](const auto& info) { return std::string(info.param.name); });

// Adds the same sample to every output sample.
class ConstantVoice : public platform::audio::Voice {
public:
    explicit ConstantVoice(float sample) : sample_(sample) {}
    void MixInto(float* out, std::size_t frames, int) override {
        for (std::size_t i = 0; i < 2 * frames; ++i) out[i] += sample_;
    }

private:
    float sample_;
};

struct VoiceLevel {
    float sample;
    VoiceGroup group = VoiceGroup::kMediaGraph;
};

struct MixCase {
    const char* name;
    std::vector<VoiceLevel> voices;
    float expected;

    friend void PrintTo(const MixCase& c, std::ostream* out) { *out << c.name; }
};

class MixerTest : public ::testing::TestWithParam<MixCase> {
protected:
    void SetUp() override { platform::sim::UseManualAudioPull(); }
    void TearDown() override {
        for (const auto& voice : voices_) platform::audio::RemoveVoice(voice.get());
    }

    std::vector<std::shared_ptr<platform::audio::Voice>> voices_;
};

TEST_P(MixerTest, OutputIsFiniteAndKeepsTheGoodVoices) {
    for (const VoiceLevel& level : GetParam().voices) {
        voices_.push_back(std::make_shared<ConstantVoice>(level.sample));
        platform::audio::AddVoice(voices_.back(), level.group);
    }
    std::vector<float> mixed(2 * 8);
    platform::sim::PullMixedAudio(mixed.data(), 8, 8000);
    for (std::size_t i = 0; i < mixed.size(); ++i) EXPECT_EQ(mixed[i], GetParam().expected) << "sample " << i;
}

constexpr float kHuge = 3e38f;  // two of them overflow a float

INSTANTIATE_TEST_SUITE_P(
    Voices, MixerTest,
    ::testing::Values(MixCase{"NaNAmongGoodVoices", {{0.25f}, {kNaN}, {0.125f, VoiceGroup::kDirectSound}}, 0.375f},
                      MixCase{"InfinitiesAmongGoodVoices",
                              {{kInfinity}, {0.25f}, {-kInfinity, VoiceGroup::kDirectSound}}, 0.25f},
                      MixCase{"OverflowingSumIsFullScale", {{kHuge}, {kHuge}}, 1.0f},
                      MixCase{"OppositeOverflowsAreSilence",
                              {{kHuge}, {kHuge}, {-kHuge, VoiceGroup::kDirectSound}, {-kHuge, VoiceGroup::kDirectSound}},
                              0.0f}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
