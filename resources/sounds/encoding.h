// Sounds as files: RIFF WAVE of any layout, and MP3 through libmp3lame.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace sounds {

using Bytes = std::vector<uint8_t>;

struct WaveLayout {
    uint16_t tag = 1;  // PCM
    uint16_t channels = 1;
    uint32_t rate = 8000;
    uint16_t bits = 16;
    std::optional<uint32_t> averageBytes;  // computed when absent
    bool extensible = false;               // tag moves into the sub-format
    std::optional<uint32_t> claimedDataSize;  // the data chunk's stored size
};

// A whole RIFF WAVE file: "fmt " (16, or 40 when extensible) then "data".
Bytes WaveFile(const WaveLayout& layout, const Bytes& data);
// Little-endian 16-bit samples, as a data chunk holds them.
Bytes Pcm16(const std::vector<int16_t>& samples);
// At a constant bit rate in kbit/s, mono or the same samples on both
// channels; empty when the encoder refuses the settings.
Bytes Mp3Of(const std::vector<int16_t>& samples, int rate, int kbps, bool stereo = false);

}  // namespace sounds
