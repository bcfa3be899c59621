#include "audio/pcm_cursor.h"

#include <cmath>

namespace platform::audio {
namespace {

struct Frame {
    float left;
    float right;
};

Frame FrameAt(const PcmView& source, std::size_t index) {
    const BYTE* frame = source.data + index * static_cast<std::size_t>(source.format->blockAlign);
    const float left = SampleOf(*source.format, frame, 0);
    const float right = source.format->channels > 1 ? SampleOf(*source.format, frame, 1) : left;
    return {left, right};
}

}  // namespace

bool PcmCursor::MixInto(const PcmView& source, float* out, std::size_t outFrames, int outRate,
                        StereoGain gain, bool loop) {
    if (source.frames == 0 || outRate <= 0) return true;
    const double step = static_cast<double>(source.format->rate) / outRate;
    const double length = static_cast<double>(source.frames);
    if (loop) position_ = std::fmod(position_, length);
    for (std::size_t i = 0; i < outFrames; ++i) {
        if (position_ >= length) {
            if (!loop) return true;
            position_ -= length;
        }
        const std::size_t index = static_cast<std::size_t>(position_);
        const float fraction = static_cast<float>(position_ - static_cast<double>(index));
        const std::size_t nextIndex = index + 1 < source.frames ? index + 1 : (loop ? 0 : index);
        const Frame a = FrameAt(source, index);
        const Frame b = fraction > 0.0f ? FrameAt(source, nextIndex) : a;
        out[2 * i] += gain.left * (a.left + (b.left - a.left) * fraction);
        out[2 * i + 1] += gain.right * (a.right + (b.right - a.right) * fraction);
        position_ += step;
    }
    return !loop && position_ >= length;
}

}  // namespace platform::audio
