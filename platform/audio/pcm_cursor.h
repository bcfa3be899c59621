// A play position in PCM frames, mixed into the output at the output's
// rate: linear interpolation between neighbouring source frames.
#pragma once

#include <cstddef>

#include "audio/gain.h"
#include "audio/pcm_format.h"

namespace platform::audio {

struct PcmView {
    const PcmFormat* format = nullptr;
    const BYTE* data = nullptr;
    std::size_t frames = 0;
};

class PcmCursor {
public:
    // Adds up to outFrames stereo frames to out. Without looping, playback
    // stops at the last frame; returns whether it reached the end.
    bool MixInto(const PcmView& source, float* out, std::size_t outFrames, int outRate,
                 StereoGain gain, bool loop);

    double Position() const { return position_; }
    void SetPosition(double frames) { position_ = frames; }

private:
    double position_ = 0.0;
};

}  // namespace platform::audio
