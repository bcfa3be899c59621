// The process's one mixer: every playing DirectSound buffer and filter
// graph is a voice summed into the output, which is clipped to [-1, 1] and
// always finite, whatever the voices give.
// It runs on the audio device's thread (or on a test's, pulling samples).
#pragma once

#include <cstddef>
#include <memory>

namespace platform::audio {

class Voice {
public:
    virtual ~Voice() = default;
    // Adds its next frames (interleaved stereo at rate) to out.
    virtual void MixInto(float* out, std::size_t frames, int rate) = 0;
};

enum class VoiceGroup { kDirectSound, kMediaGraph };

// A voice is mixed from now until it is removed; adding the first one
// opens the audio output.
void AddVoice(std::shared_ptr<Voice> voice, VoiceGroup group);
// When this returns, the voice is not being mixed and never will be.
void RemoveVoice(const Voice* voice);

// The primary DirectSound buffer's volume: applies to DirectSound voices.
void SetDirectSoundMasterGain(float gain);

// Overwrites out with the next frames of the mix.
void MixVoices(float* out, std::size_t frames, int rate);

}  // namespace platform::audio
