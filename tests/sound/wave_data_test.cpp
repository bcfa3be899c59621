// Wave data from document bytes: the layouts that play, the ones refused,
// and bytes cut or scrambled anywhere.
#include <gtest/gtest.h>

#include <random>

#include "sound/support/sound_files.h"
#include "sound/wave_data.h"

namespace {

using sound_test::Bytes;
using sound_test::WaveLayout;

struct WaveCase {
    const char* name;
    WaveLayout layout;
    DWORD dataBytes;
    bool plays;
    size_t expectedBytes;
};

Bytes Data(DWORD size) { return Bytes(size, 0x40); }

WaveLayout Layout(WORD tag, WORD channels, WORD bits, bool extensible = false)
{
    WaveLayout layout;
    layout.tag = tag;
    layout.channels = channels;
    layout.bits = bits;
    layout.extensible = extensible;
    return layout;
}

WaveLayout WithAverageBytes(DWORD averageBytes)
{
    WaveLayout layout;
    layout.averageBytes = averageBytes;
    return layout;
}

WaveLayout WithDataSize(DWORD claimed)
{
    WaveLayout layout;
    layout.claimedDataSize = claimed;
    return layout;
}

class WaveDataTest : public ::testing::TestWithParam<WaveCase> {};

TEST_P(WaveDataTest, ReadsWhatPlaysAndRefusesTheRest)
{
    const WaveCase& c = GetParam();
    const Bytes file = sound_test::WaveFile(c.layout, Data(c.dataBytes));
    const std::optional<WaveData> wave = ReadWaveData(file.data(), static_cast<DWORD>(file.size()));
    ASSERT_EQ(wave.has_value(), c.plays);
    if (!wave)
        return;
    EXPECT_EQ(wave->data.size(), c.expectedBytes);
    EXPECT_EQ(wave->format.Format.nChannels, c.layout.channels);
    // Only an extensible format claims its extension.
    EXPECT_EQ(wave->format.Format.cbSize, c.layout.extensible ? 22 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, WaveDataTest,
    ::testing::Values(
        WaveCase{"Pcm8", Layout(1, 1, 8), 100, true, 100},
        WaveCase{"Pcm16Stereo", Layout(1, 2, 16), 400, true, 400},
        WaveCase{"Float", Layout(3, 1, 32), 400, true, 400},
        WaveCase{"ExtensiblePcm", Layout(1, 2, 16, true), 400, true, 400},
        WaveCase{"ExtensibleFloat", Layout(3, 1, 32, true), 400, true, 400},
        WaveCase{"DataSizeBeyondTheBytes", WithDataSize(0x7FFFFFF0), 100, true, 100},
        WaveCase{"ZeroByteRate", WithAverageBytes(0), 100, false, 0},
        WaveCase{"Adpcm", Layout(2, 1, 4), 100, false, 0},
        WaveCase{"ExtensibleAdpcm", Layout(2, 1, 16, true), 100, false, 0},
        WaveCase{"NoData", {}, 0, false, 0}),
    [](const auto& info) { return info.param.name; });

TEST(WaveLengthTest, LengthIsInHundredthsRounded)
{
    // 8000 Hz mono 16-bit: 16000 bytes a second.
    const Bytes half = sound_test::WaveFile({}, Data(8000));
    EXPECT_EQ(ReadWaveData(half.data(), static_cast<DWORD>(half.size()))->LengthInHundredths(), 50u);
    WaveData large;
    large.format.Format.nAvgBytesPerSec = 176400;
    large.data.resize(50'000'000);  // beyond 32-bit products
    EXPECT_EQ(large.LengthInHundredths(), 28345u);
}

TEST(WaveDataRobustnessTest, EveryPrefixAndScrambledBytesStayInsideTheBuffer)
{
    const Bytes valid = sound_test::WaveFile(Layout(1, 2, 16), Data(64));
    for (size_t length = 0; length <= valid.size(); ++length) {
        // A copy of exactly that length, so that a read past it is caught.
        const Bytes prefix(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(length));
        const auto wave = ReadWaveData(prefix.data(), static_cast<DWORD>(prefix.size()));
        if (length < 44) {
            EXPECT_FALSE(wave && wave->data.size() > length) << length;
        }
    }
    std::mt19937 random(12345);
    for (int round = 0; round < 2000; ++round) {
        Bytes scrambled = valid;
        for (int i = 0; i < 4; ++i)
            scrambled[random() % scrambled.size()] = static_cast<BYTE>(random());
        const auto wave = ReadWaveData(scrambled.data(), static_cast<DWORD>(scrambled.size()));
        if (wave) {
            EXPECT_LE(wave->data.size(), scrambled.size());
        }
    }
}

TEST(WaveDataRobustnessTest, TruncatedFormatChunkIsRefused)
{
    Bytes file = sound_test::WaveFile({}, Data(16));
    file.resize(30);  // inside "fmt "
    EXPECT_FALSE(ReadWaveData(file.data(), static_cast<DWORD>(file.size())));
}

} // namespace
