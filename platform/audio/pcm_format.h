// The sample layouts the mixer plays: integer PCM of 8 to 32 bits and
// 32-bit float, as a wave format describes them.
#pragma once

#include <cstddef>
#include <optional>

#include <mmsystem.h>

namespace platform::audio {

enum class SampleEncoding { kUnsigned8, kSigned16, kSigned24, kSigned32, kFloat32 };

struct PcmFormat {
    SampleEncoding encoding = SampleEncoding::kSigned16;
    int channels = 2;
    int rate = 44100;
    int blockAlign = 4;  // bytes per frame
};

// PCM or float, plain or extensible, with fields that agree; nothing for
// any other format. formatBytes is how much of the structure is present.
std::optional<PcmFormat> PcmFormatOf(const WAVEFORMATEX& format, std::size_t formatBytes);

// One sample of the frame, scaled to [-1, 1].
float SampleOf(const PcmFormat& format, const BYTE* frame, int channel);

}  // namespace platform::audio
