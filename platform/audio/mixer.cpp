#include "audio/mixer.h"

#include <algorithm>
#include <atomic>
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

    void Mix(float* out, std::size_t frames, int rate) {
        const std::lock_guard lock(mutex_);
        std::fill(out, out + 2 * frames, 0.0f);
        scratch_.assign(2 * frames, 0.0f);
        for (const Entry& entry : entries_)
            entry.voice->MixInto(entry.group == VoiceGroup::kDirectSound ? scratch_.data() : out, frames, rate);
        const float master = master_.load(std::memory_order_relaxed);
        for (std::size_t i = 0; i < 2 * frames; ++i) out[i] = std::clamp(out[i] + master * scratch_[i], -1.0f, 1.0f);
    }

private:
    std::mutex mutex_;
    std::vector<Entry> entries_;
    std::vector<float> scratch_;  // the DirectSound voices' sum, before the master gain
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
