// Sound files made by the tests: WAV of any layout (including broken
// ones), generated tones, and MP3 encoded from them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

namespace sound_test {

using Bytes = std::vector<BYTE>;

struct WaveLayout {
    WORD tag = 1;  // WAVE_FORMAT_PCM
    WORD channels = 1;
    DWORD rate = 8000;
    WORD bits = 16;
    std::optional<DWORD> averageBytes;  // computed when absent
    bool extensible = false;            // tag moves into the sub-format
    std::optional<DWORD> claimedDataSize;  // the data chunk's stored size
};

// A whole RIFF WAVE file: "fmt " (16, or 40 when extensible) then "data".
Bytes WaveFile(const WaveLayout& layout, const Bytes& data);

std::vector<int16_t> Tone(double hertz, int rate, double seconds, double amplitude = 0.5);
Bytes Pcm16(const std::vector<int16_t>& samples);
// MP3 of the samples (libmp3lame): mono at 64 kbit/s, or the same
// samples on both channels at 128 kbit/s.
Bytes Mp3Of(const std::vector<int16_t>& samples, int rate, bool stereo = false);

// A file in the temporary folder, named for the test; its Windows path.
std::wstring WriteTemporaryFile(const std::wstring& name, const Bytes& bytes);

// The dominant frequency of a signal, by counting upward zero crossings.
double ZeroCrossingHertz(const std::vector<float>& samples, int rate);

}  // namespace sound_test
