// Sound files made by the tests: WAV of any layout (including broken
// ones), generated tones, and MP3 encoded from them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <windows.h>

#include "resources/sounds/encoding.h"

namespace sound_test {

using sounds::Bytes;
using sounds::Pcm16;
using sounds::WaveFile;
using sounds::WaveLayout;

std::vector<int16_t> Tone(double hertz, int rate, double seconds, double amplitude = 0.5);
// A mono 16-bit wave of one level, 8000 Hz by default.
Bytes LevelWave(float level, double seconds, DWORD rate = 8000);
// MP3 of the samples (libmp3lame): mono at 64 kbit/s, or the same
// samples on both channels at 128 kbit/s.
Bytes Mp3Of(const std::vector<int16_t>& samples, int rate, bool stereo = false);

// A file in the temporary folder, named for the test; its Windows path.
std::wstring WriteTemporaryFile(const std::wstring& name, const Bytes& bytes);

// The dominant frequency of a signal, by counting upward zero crossings.
double ZeroCrossingHertz(const std::vector<float>& samples, int rate);

}  // namespace sound_test
