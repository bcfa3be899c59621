// Tests only: the mix without a sound device. After UseManualAudioPull no
// device is open, and playback advances only as the test pulls samples.
#pragma once

#include <cstddef>

namespace platform::sim {

void UseManualAudioPull();
// The next frames of the mix, interleaved stereo at the rate.
void PullMixedAudio(float* stereo, std::size_t frames, int rate);

}  // namespace platform::sim
