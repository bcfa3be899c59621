#include "sound/support/sound_files.h"

#include <lame/lame.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <numbers>

#include <platform/unicode.h>

namespace sound_test {
namespace {

void Append32(Bytes& bytes, DWORD value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

void Append16(Bytes& bytes, WORD value) {
    bytes.push_back(static_cast<BYTE>(value));
    bytes.push_back(static_cast<BYTE>(value >> 8));
}

void AppendTag(Bytes& bytes, const char* tag) { bytes.insert(bytes.end(), tag, tag + 4); }

}  // namespace

Bytes WaveFile(const WaveLayout& layout, const Bytes& data) {
    Bytes format;
    const WORD blockAlign = static_cast<WORD>(layout.channels * layout.bits / 8);
    Append16(format, layout.extensible ? 0xFFFE : layout.tag);
    Append16(format, layout.channels);
    Append32(format, layout.rate);
    Append32(format, layout.averageBytes.value_or(layout.rate * blockAlign));
    Append16(format, blockAlign);
    Append16(format, layout.bits);
    if (layout.extensible) {
        Append16(format, 22);
        Append16(format, layout.bits);
        Append32(format, layout.channels == 1 ? 4 : 3);
        // The sub-format: the tag in the common base GUID.
        Append32(format, layout.tag);
        for (BYTE b : {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
            format.push_back(b);
    }
    Bytes file;
    AppendTag(file, "RIFF");
    Append32(file, static_cast<DWORD>(4 + 8 + format.size() + 8 + data.size()));
    AppendTag(file, "WAVE");
    AppendTag(file, "fmt ");
    Append32(file, static_cast<DWORD>(format.size()));
    file.insert(file.end(), format.begin(), format.end());
    AppendTag(file, "data");
    Append32(file, layout.claimedDataSize.value_or(static_cast<DWORD>(data.size())));
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

std::vector<int16_t> Tone(double hertz, int rate, double seconds, double amplitude) {
    std::vector<int16_t> samples(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(
            std::lround(32767.0 * amplitude * std::sin(2.0 * std::numbers::pi * hertz * static_cast<double>(i) / rate)));
    return samples;
}

Bytes Pcm16(const std::vector<int16_t>& samples) {
    Bytes bytes;
    for (int16_t sample : samples) Append16(bytes, static_cast<WORD>(sample));
    return bytes;
}

Bytes Mp3Of(const std::vector<int16_t>& samples, int rate, bool stereo) {
    const std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> lame(lame_init(), lame_close);
    lame_set_num_channels(lame.get(), stereo ? 2 : 1);
    lame_set_in_samplerate(lame.get(), rate);
    lame_set_out_samplerate(lame.get(), rate);
    lame_set_mode(lame.get(), stereo ? JOINT_STEREO : MONO);
    lame_set_brate(lame.get(), stereo ? 128 : 64);
    lame_set_bWriteVbrTag(lame.get(), 0);
    if (lame_init_params(lame.get()) < 0) return {};
    Bytes out(samples.size() * 5 / 4 + 7200 + 7200);
    std::vector<short> input(samples.begin(), samples.end());
    int written = lame_encode_buffer(lame.get(), input.data(), input.data(), static_cast<int>(input.size()),
                                     out.data(), static_cast<int>(out.size()));
    if (written < 0) return {};
    const int flushed = lame_encode_flush(lame.get(), out.data() + written, static_cast<int>(out.size()) - written);
    if (flushed < 0) return {};
    out.resize(static_cast<std::size_t>(written + flushed));
    return out;
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
