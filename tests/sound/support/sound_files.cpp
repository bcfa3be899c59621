#include "sound/support/sound_files.h"

#include <cmath>
#include <fstream>
#include <numbers>

#include <platform/unicode.h>

namespace sound_test {

std::vector<int16_t> Tone(double hertz, int rate, double seconds, double amplitude) {
    std::vector<int16_t> samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(
            std::lround(32767.0 * amplitude * std::sin(2.0 * std::numbers::pi * hertz * static_cast<double>(i) / rate)));
    return samples;
}

Bytes LevelWave(float level, double seconds, DWORD rate) {
    const std::vector<int16_t> samples(static_cast<std::size_t>(seconds * rate), static_cast<int16_t>(level * 32768.0f));
    WaveLayout layout;
    layout.rate = rate;
    return WaveFile(layout, Pcm16(samples));
}

Bytes Mp3Of(const std::vector<int16_t>& samples, int rate, bool stereo) {
    return sounds::Mp3Of(samples, rate, stereo ? 128 : 64, stereo);
}

std::wstring WriteTemporaryFile(const std::wstring& name, const Bytes& bytes) {
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring path = std::wstring(folder) + name;
    std::ofstream(platform::Utf8FromWide(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

double ZeroCrossingHertz(const std::vector<float>& samples, int rate) {
    int crossings = 0;
    std::size_t first = 0, last = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0.0f && samples[i] >= 0.0f) {
            if (crossings == 0) first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2) return 0.0;
    return (crossings - 1) * static_cast<double>(rate) / static_cast<double>(last - first);
}

}  // namespace sound_test
