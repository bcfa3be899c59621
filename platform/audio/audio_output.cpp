#include "audio/audio_output.h"

#include <SDL.h>
#include <pthread.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/mixer.h"
#include "sdl/sdl_subsystems.h"

namespace platform::audio {
namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPreferredRate = 48000;
constexpr auto kNullOutputPeriod = std::chrono::milliseconds(10);
constexpr auto kEndWait = std::chrono::seconds(2);

void SDLCALL MixForDevice(void* rate, Uint8* stream, int bytes) {
    MixVoices(reinterpret_cast<float*>(stream), static_cast<std::size_t>(bytes) / (2 * sizeof(float)),
              *static_cast<const int*>(rate));
}

class AudioHelper {
public:
    AudioHelper() : thread_([this] { Run(); }) { pthread_setname_np(thread_.native_handle(), "SoundHelper"); }

    void RequestOutput() {
        const std::lock_guard lock(mutex_);
        if (manual_ || wantOutput_) return;
        wantOutput_ = true;
        changed_.notify_all();
    }

    // Closes an open output first, so that nothing else pulls the mix.
    void UseManualPull() {
        std::unique_lock lock(mutex_);
        manual_ = true;
        wantOutput_ = false;
        changed_.notify_all();
        changed_.wait_for(lock, kEndWait, [this] { return output_ == Output::kNone || ended_; });
    }

    void End() {
        std::unique_lock lock(mutex_);
        if (!thread_.joinable()) return;
        quit_ = true;
        changed_.notify_all();
        const bool ended = changed_.wait_for(lock, kEndWait, [this] { return ended_; });
        lock.unlock();
        if (ended) {
            thread_.join();
        } else {
            std::cerr << "audio: the sound device did not close in time; leaving it\n";
            thread_.detach();
        }
    }

private:
    enum class Output { kNone, kDevice, kNull };

    void Run() {
        std::unique_lock lock(mutex_);
        while (!quit_) {
            if (wantOutput_ && output_ == Output::kNone) {
                lock.unlock();
                const Output opened = Open();
                lock.lock();
                output_ = opened;
                nullStart_ = Clock::now();
                nullPulled_ = 0;
            } else if (!wantOutput_ && output_ != Output::kNone) {
                lock.unlock();
                Close();
                lock.lock();
                output_ = Output::kNone;
                changed_.notify_all();
            } else if (output_ == Output::kNull) {
                changed_.wait_for(lock, kNullOutputPeriod);
                if (output_ == Output::kNull && !quit_) {
                    lock.unlock();
                    PullAtRealPace();
                    lock.lock();
                }
            } else {
                changed_.wait(lock);
            }
        }
        lock.unlock();
        Close();
        lock.lock();
        output_ = Output::kNone;
        ended_ = true;
        changed_.notify_all();
    }

    Output Open() {
        const std::lock_guard sdl(SdlSubsystemMutex());
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::cerr << "audio: no sound output: " << SDL_GetError() << "\n";
            return Output::kNull;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = kPreferredRate;
        wanted.format = AUDIO_F32SYS;
        wanted.channels = 2;
        wanted.samples = 1024;
        wanted.callback = MixForDevice;
        wanted.userdata = &rate_;
        SDL_AudioSpec obtained{};
        device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (device_ == 0) {
            std::cerr << "audio: no sound output: " << SDL_GetError() << "\n";
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return Output::kNull;
        }
        rate_ = obtained.freq;
        SDL_PauseAudioDevice(device_, 0);
        return Output::kDevice;
    }

    void Close() {
        if (device_ == 0) return;
        const std::lock_guard sdl(SdlSubsystemMutex());
        SDL_CloseAudioDevice(device_);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        device_ = 0;
    }

    // Without a device the mix is pulled and dropped, as fast as a device
    // would play it.
    void PullAtRealPace() {
        const double elapsed = std::chrono::duration<double>(Clock::now() - nullStart_).count();
        const auto due = static_cast<long long>(elapsed * kPreferredRate) - nullPulled_;
        if (due <= 0) return;
        nullBuffer_.resize(2 * static_cast<std::size_t>(due));
        MixVoices(nullBuffer_.data(), static_cast<std::size_t>(due), kPreferredRate);
        nullPulled_ += due;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    bool wantOutput_ = false;
    bool manual_ = false;
    bool quit_ = false;
    bool ended_ = false;
    Output output_ = Output::kNone;
    // Only the helper thread touches these.
    SDL_AudioDeviceID device_ = 0;
    int rate_ = kPreferredRate;
    Clock::time_point nullStart_;
    long long nullPulled_ = 0;
    std::vector<float> nullBuffer_;
    std::thread thread_;  // last: starts once everything else is made
};

std::mutex g_helperMutex;
AudioHelper* g_helper = nullptr;  // never deleted: a detached helper may still use it

AudioHelper* Helper() {
    const std::lock_guard lock(g_helperMutex);
    if (g_helper == nullptr) {
        g_helper = new AudioHelper;
        std::atexit(EndAudioOutput);
    }
    return g_helper;
}

}  // namespace

void StartAudioHelper() { Helper(); }

void EnsureAudioOutput() { Helper()->RequestOutput(); }

void EndAudioOutput() {
    AudioHelper* helper = nullptr;
    {
        const std::lock_guard lock(g_helperMutex);
        helper = g_helper;
    }
    if (helper != nullptr) helper->End();
}

void UseManualAudioPull() { Helper()->UseManualPull(); }

}  // namespace platform::audio
