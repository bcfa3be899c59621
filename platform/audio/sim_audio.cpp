#include <platform/sim_audio.h>

#include "audio/audio_output.h"
#include "audio/mixer.h"

namespace platform::sim {

void UseManualAudioPull() { audio::UseManualAudioPull(); }

void PullMixedAudio(float* stereo, std::size_t frames, int rate) { audio::MixVoices(stereo, frames, rate); }

}  // namespace platform::sim
