#include "audio/pcm_format.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include <mmreg.h>

namespace platform::audio {
namespace {

// The GUID of an extensible format's sub-format is this base with the
// plain format tag in its first field.
constexpr GUID kSubFormatBase = {0, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

std::optional<WORD> PlainTagOf(const WAVEFORMATEX& format, std::size_t formatBytes) {
    if (format.wFormatTag != WAVE_FORMAT_EXTENSIBLE) return format.wFormatTag;
    if (formatBytes < sizeof(WAVEFORMATEXTENSIBLE) ||
        format.cbSize < sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX))
        return std::nullopt;
    WAVEFORMATEXTENSIBLE extensible;
    std::memcpy(&extensible, &format, sizeof extensible);
    GUID base = extensible.SubFormat;
    const DWORD tag = base.Data1;
    base.Data1 = 0;
    if (!IsEqualGUID(base, kSubFormatBase) || tag > 0xFFFF) return std::nullopt;
    return static_cast<WORD>(tag);
}

std::optional<SampleEncoding> EncodingOf(WORD tag, WORD bits) {
    if (tag == WAVE_FORMAT_IEEE_FLOAT) return bits == 32 ? std::optional(SampleEncoding::kFloat32) : std::nullopt;
    if (tag != WAVE_FORMAT_PCM) return std::nullopt;
    switch (bits) {
        case 8: return SampleEncoding::kUnsigned8;
        case 16: return SampleEncoding::kSigned16;
        case 24: return SampleEncoding::kSigned24;
        case 32: return SampleEncoding::kSigned32;
        default: return std::nullopt;
    }
}

}  // namespace

std::optional<PcmFormat> PcmFormatOf(const WAVEFORMATEX& format, std::size_t formatBytes) {
    if (formatBytes < offsetof(WAVEFORMATEX, cbSize)) return std::nullopt;
    const std::optional<WORD> tag = PlainTagOf(format, formatBytes);
    if (!tag) return std::nullopt;
    const std::optional<SampleEncoding> encoding = EncodingOf(*tag, format.wBitsPerSample);
    if (!encoding) return std::nullopt;
    const int channels = format.nChannels;
    if (channels < 1 || channels > 8 || format.nSamplesPerSec < 1 || format.nSamplesPerSec > 384000)
        return std::nullopt;
    if (format.nBlockAlign != channels * (format.wBitsPerSample / 8)) return std::nullopt;
    return PcmFormat{*encoding, channels, static_cast<int>(format.nSamplesPerSec), format.nBlockAlign};
}

float SampleOf(const PcmFormat& format, const BYTE* frame, int channel) {
    switch (format.encoding) {
        case SampleEncoding::kUnsigned8:
            return (static_cast<float>(frame[channel]) - 128.0f) / 128.0f;
        case SampleEncoding::kSigned16: {
            const BYTE* p = frame + channel * 2;
            return static_cast<float>(static_cast<int16_t>(p[0] | (p[1] << 8))) / 32768.0f;
        }
        case SampleEncoding::kSigned24: {
            const BYTE* p = frame + channel * 3;
            const int32_t value = static_cast<int32_t>(static_cast<uint32_t>(p[0]) << 8 |
                                                       static_cast<uint32_t>(p[1]) << 16 |
                                                       static_cast<uint32_t>(p[2]) << 24);
            return static_cast<float>(value) / 2147483648.0f;
        }
        case SampleEncoding::kSigned32: {
            int32_t value;
            std::memcpy(&value, frame + channel * 4, 4);
            return static_cast<float>(value) / 2147483648.0f;
        }
        case SampleEncoding::kFloat32: {
            float value;
            std::memcpy(&value, frame + channel * 4, 4);
            // NaN and the infinities play as silence: one would turn every
            // sum it enters into NaN or a full-scale click.
            return std::isfinite(value) ? value : 0.0f;
        }
    }
    return 0.0f;
}

}  // namespace platform::audio
