#include "resources/sounds/encoding.h"

#include <lame/lame.h>

#include <memory>

namespace sounds {
namespace {

void Append32(Bytes& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void Append16(Bytes& bytes, uint16_t value) {
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendTag(Bytes& bytes, const char* tag) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

Bytes WaveFile(const WaveLayout& layout, const Bytes& data) {
    Bytes format;
    const auto blockAlign = static_cast<uint16_t>(layout.channels * layout.bits / 8);
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
        for (uint8_t b : {0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71})
            format.push_back(b);
    }
    Bytes file;
    AppendTag(file, "RIFF");
    Append32(file, static_cast<uint32_t>(4 + 8 + format.size() + 8 + data.size()));
    AppendTag(file, "WAVE");
    AppendTag(file, "fmt ");
    Append32(file, static_cast<uint32_t>(format.size()));
    file.insert(file.end(), format.begin(), format.end());
    AppendTag(file, "data");
    Append32(file, layout.claimedDataSize.value_or(static_cast<uint32_t>(data.size())));
    file.insert(file.end(), data.begin(), data.end());
    return file;
}

Bytes Pcm16(const std::vector<int16_t>& samples) {
    Bytes bytes;
    bytes.reserve(2 * samples.size());
    for (int16_t sample : samples) Append16(bytes, static_cast<uint16_t>(sample));
    return bytes;
}

Bytes Mp3Of(const std::vector<int16_t>& samples, int rate, int kbps, bool stereo) {
    const std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> lame(lame_init(), lame_close);
    if (!lame) return {};
    lame_set_num_channels(lame.get(), stereo ? 2 : 1);
    lame_set_in_samplerate(lame.get(), rate);
    lame_set_out_samplerate(lame.get(), rate);
    lame_set_mode(lame.get(), stereo ? JOINT_STEREO : MONO);
    lame_set_brate(lame.get(), kbps);
    lame_set_bWriteVbrTag(lame.get(), 0);
    if (lame_init_params(lame.get()) < 0) return {};
    // The encoder's own bound on its output, and room for the flush.
    Bytes out(samples.size() * 5 / 4 + 7200 + 7200);
    std::vector<short> input(samples.begin(), samples.end());
    const int written = lame_encode_buffer(lame.get(), input.data(), input.data(), static_cast<int>(input.size()),
                                           out.data(), static_cast<int>(out.size()));
    if (written < 0) return {};
    const int flushed = lame_encode_flush(lame.get(), out.data() + written, static_cast<int>(out.size()) - written);
    if (flushed < 0) return {};
    out.resize(static_cast<std::size_t>(written + flushed));
    return out;
}

}  // namespace sounds
