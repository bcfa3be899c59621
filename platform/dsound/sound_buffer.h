// DirectSound buffers: the primary buffer, whose volume is the master
// volume of every sound buffer, and secondary PCM buffers, each a voice of
// the mixer.
#pragma once

#include <dsound.h>

#include <memory>
#include <mutex>
#include <vector>

#include "audio/mixer.h"
#include "audio/pcm_cursor.h"
#include "com/com_object.h"

namespace platform::dsound {

using BufferInterfaces =
    ComObject<Implements<IDirectSoundBuffer8, IID_IDirectSoundBuffer8>,
              AlsoAnswers<IDirectSoundBuffer, IID_IDirectSoundBuffer, IDirectSoundBuffer8>>;

class PrimaryBuffer final : public BufferInterfaces {
public:
    explicit PrimaryBuffer(DWORD flags) : flags_(flags) {}

    STDMETHODIMP GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) override;
    STDMETHODIMP GetVolume(LPLONG volume) override;
    STDMETHODIMP GetPan(LPLONG pan) override;
    STDMETHODIMP GetStatus(LPDWORD status) override;
    STDMETHODIMP Lock(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) override;
    STDMETHODIMP Play(DWORD reserved1, DWORD priority, DWORD flags) override;
    STDMETHODIMP SetCurrentPosition(DWORD) override;
    STDMETHODIMP SetVolume(LONG volume) override;
    STDMETHODIMP SetPan(LONG pan) override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP Unlock(LPVOID, DWORD, LPVOID, DWORD) override;

private:
    const DWORD flags_;
    LONG volume_ = 0;
    bool playing_ = false;
};

class SecondaryBuffer final : public BufferInterfaces {
public:
    SecondaryBuffer(DWORD flags, const audio::PcmFormat& format, DWORD bytes);
    ~SecondaryBuffer() override;

    STDMETHODIMP GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) override;
    STDMETHODIMP GetVolume(LPLONG volume) override;
    STDMETHODIMP GetPan(LPLONG pan) override;
    STDMETHODIMP GetStatus(LPDWORD status) override;
    STDMETHODIMP Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD audioBytes1, LPVOID* audio2,
                      LPDWORD audioBytes2, DWORD flags) override;
    STDMETHODIMP Play(DWORD reserved1, DWORD priority, DWORD flags) override;
    STDMETHODIMP SetCurrentPosition(DWORD position) override;
    STDMETHODIMP SetVolume(LONG volume) override;
    STDMETHODIMP SetPan(LONG pan) override;
    STDMETHODIMP Stop() override;
    STDMETHODIMP Unlock(LPVOID audio1, DWORD audioBytes1, LPVOID audio2, DWORD audioBytes2) override;

private:
    // What the mixer reads, under its own lock.
    class Voice final : public audio::Voice {
    public:
        Voice(const audio::PcmFormat& format, DWORD bytes) : format(format), bytes(bytes) {}
        void MixInto(float* out, std::size_t frames, int rate) override;

        std::mutex mutex;
        const audio::PcmFormat format;
        std::vector<BYTE> bytes;
        audio::PcmCursor cursor;
        LONG volume = 0;
        LONG pan = 0;
        bool playing = false;
        bool looping = false;
    };

    const DWORD flags_;
    std::shared_ptr<Voice> voice_;
};

}  // namespace platform::dsound
