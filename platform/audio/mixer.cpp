#include "audio/mixer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <vector>

#include "audio/audio_output.h"

namespace platform::audio {
namespace {

struct Entry {
    std::shared_ptr<Voice> voice;
    VoiceGroup group;
};

class Mixer {
public:
    void Add(std::shared_ptr<Voice> voice, VoiceGroup group) {
        const std::lock_guard lock(mutex_);
        entries_.push_back({std::move(voice), group});
    }

    void Remove(const Voice* voice) {
        const std::lock_guard lock(mutex_);
        std::erase_if(entries_, [voice](const Entry& entry) { return entry.voice.get() == voice; });
    }

    void SetMasterGain(float gain) { master_.store(gain, std::memory_order_relaxed); }

    // Each voice is mixed on its own first, so that a sample a voice gets
    // wrong (not a finite number) is dropped from that voice alone.
    void Mix(float* out, std::size_t frames, int rate) {
        const std::lock_guard lock(mutex_);
        const std::size_t samples = 2 * frames;
        graphSum_.assign(samples, 0.0f);
        directSoundSum_.assign(samples, 0.0f);
        for (const Entry& entry : entries_) {
            voice_.assign(samples, 0.0f);
            entry.voice->MixInto(voice_.data(), frames, rate);
            std::vector<float>& sum = entry.group == VoiceGroup::kDirectSound ? directSoundSum_ : graphSum_;
            for (std::size_t i = 0; i < samples; ++i) {
                if (std::isfinite(voice_[i])) sum[i] += voice_[i];
            }
        }
        const float master = master_.load(std::memory_order_relaxed);
        for (std::size_t i = 0; i < samples; ++i) out[i] = FullScale(graphSum_[i] + master * directSoundSum_[i]);
    }

private:
    // Sums of finite samples can still overflow to opposite infinities.
    static float FullScale(float sample) { return std::isnan(sample) ? 0.0f : std::clamp(sample, -1.0f, 1.0f); }

    std::mutex mutex_;
    std::vector<Entry> entries_;
    std::vector<float> voice_;           // the voice being mixed
    std::vector<float> graphSum_;        // the filter graphs' voices
    std::vector<float> directSoundSum_;  // the DirectSound voices, before the master gain
    std::atomic<float> master_{1.0f};
};

// Never destroyed: the audio thread may still mix while statics go away.
Mixer& TheMixer() {
    static Mixer* mixer = new Mixer;
    return *mixer;
}

}  // namespace

void AddVoice(std::shared_ptr<Voice> voice, VoiceGroup group) {
    TheMixer().Add(std::move(voice), group);
    EnsureAudioOutput();
}

void RemoveVoice(const Voice* voice) { TheMixer().Remove(voice); }

void SetDirectSoundMasterGain(float gain) { TheMixer().SetMasterGain(gain); }

void MixVoices(float* out, std::size_t frames, int rate) { TheMixer().Mix(out, frames, rate); }

}  // namespace platform::audio
