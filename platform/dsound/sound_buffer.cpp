#include "dsound/sound_buffer.h"

#include <algorithm>

#include "audio/gain.h"

namespace platform::dsound {
namespace {

HRESULT CheckVolume(DWORD flags, LONG volume) {
    if ((flags & DSBCAPS_CTRLVOLUME) == 0) return DSERR_CONTROLUNAVAIL;
    return volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX ? DSERR_INVALIDPARAM : DS_OK;
}

HRESULT CheckPan(DWORD flags, LONG pan) {
    if ((flags & DSBCAPS_CTRLPAN) == 0) return DSERR_CONTROLUNAVAIL;
    return pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT ? DSERR_INVALIDPARAM : DS_OK;
}

HRESULT StoreValue(LONG value, LPLONG target) {
    if (target == nullptr) return DSERR_INVALIDPARAM;
    *target = value;
    return DS_OK;
}

}  // namespace

// The primary buffer: at the normal cooperative level it has no data of
// its own, only a volume and a playing state.

STDMETHODIMP PrimaryBuffer::GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) {
    if (playCursor) *playCursor = 0;
    if (writeCursor) *writeCursor = 0;
    return DS_OK;
}

STDMETHODIMP PrimaryBuffer::GetVolume(LPLONG volume) {
    if ((flags_ & DSBCAPS_CTRLVOLUME) == 0) return DSERR_CONTROLUNAVAIL;
    return StoreValue(volume_, volume);
}

STDMETHODIMP PrimaryBuffer::GetPan(LPLONG pan) {
    if ((flags_ & DSBCAPS_CTRLPAN) == 0) return DSERR_CONTROLUNAVAIL;
    return StoreValue(0, pan);
}

STDMETHODIMP PrimaryBuffer::GetStatus(LPDWORD status) {
    if (status == nullptr) return DSERR_INVALIDPARAM;
    *status = playing_ ? DSBSTATUS_PLAYING | DSBSTATUS_LOOPING : 0;
    return DS_OK;
}

STDMETHODIMP PrimaryBuffer::Lock(DWORD, DWORD, LPVOID*, LPDWORD, LPVOID*, LPDWORD, DWORD) {
    return DSERR_PRIOLEVELNEEDED;
}

STDMETHODIMP PrimaryBuffer::Play(DWORD reserved1, DWORD priority, DWORD flags) {
    if (reserved1 != 0 || priority != 0 || (flags & DSBPLAY_LOOPING) == 0) return DSERR_INVALIDPARAM;
    playing_ = true;
    return DS_OK;
}

STDMETHODIMP PrimaryBuffer::SetCurrentPosition(DWORD) { return DSERR_INVALIDCALL; }

STDMETHODIMP PrimaryBuffer::SetVolume(LONG volume) {
    const HRESULT status = CheckVolume(flags_, volume);
    if (FAILED(status)) return status;
    volume_ = volume;
    audio::SetDirectSoundMasterGain(audio::GainOfHundredthsDb(volume));
    return DS_OK;
}

STDMETHODIMP PrimaryBuffer::SetPan(LONG pan) { return CheckPan(flags_, pan); }

STDMETHODIMP PrimaryBuffer::Stop() {
    playing_ = false;
    return DS_OK;
}

STDMETHODIMP PrimaryBuffer::Unlock(LPVOID, DWORD, LPVOID, DWORD) { return DSERR_PRIOLEVELNEEDED; }

// Secondary buffers.

SecondaryBuffer::SecondaryBuffer(DWORD flags, const audio::PcmFormat& format, DWORD bytes)
    : flags_(flags), voice_(std::make_shared<Voice>(format, bytes)) {
    audio::AddVoice(voice_, audio::VoiceGroup::kDirectSound);
}

SecondaryBuffer::~SecondaryBuffer() { audio::RemoveVoice(voice_.get()); }

void SecondaryBuffer::Voice::MixInto(float* out, std::size_t frames, int rate) {
    const std::lock_guard lock(mutex);
    if (!playing) return;
    const audio::PcmView view{&format, bytes.data(), bytes.size() / static_cast<std::size_t>(format.blockAlign)};
    if (cursor.MixInto(view, out, frames, rate, audio::GainOfVolumeAndPan(volume, pan), looping)) {
        playing = false;
        cursor.SetPosition(0.0);
    }
}

STDMETHODIMP SecondaryBuffer::GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) {
    const std::lock_guard lock(voice_->mutex);
    const DWORD position = static_cast<DWORD>(voice_->cursor.Position()) * static_cast<DWORD>(voice_->format.blockAlign);
    const DWORD size = static_cast<DWORD>(voice_->bytes.size());
    if (playCursor) *playCursor = std::min(position, size - 1);
    if (writeCursor) *writeCursor = std::min(position, size - 1);
    return DS_OK;
}

STDMETHODIMP SecondaryBuffer::GetVolume(LPLONG volume) {
    if ((flags_ & DSBCAPS_CTRLVOLUME) == 0) return DSERR_CONTROLUNAVAIL;
    const std::lock_guard lock(voice_->mutex);
    return StoreValue(voice_->volume, volume);
}

STDMETHODIMP SecondaryBuffer::GetPan(LPLONG pan) {
    if ((flags_ & DSBCAPS_CTRLPAN) == 0) return DSERR_CONTROLUNAVAIL;
    const std::lock_guard lock(voice_->mutex);
    return StoreValue(voice_->pan, pan);
}

STDMETHODIMP SecondaryBuffer::GetStatus(LPDWORD status) {
    if (status == nullptr) return DSERR_INVALIDPARAM;
    const std::lock_guard lock(voice_->mutex);
    *status = voice_->playing ? DSBSTATUS_PLAYING | (voice_->looping ? DSBSTATUS_LOOPING : 0) : 0;
    return DS_OK;
}

// The data is written while the mixer may read it, as on Windows; a caller
// that wants clean sound locks a part that is not playing.
STDMETHODIMP SecondaryBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD audioBytes1,
                                   LPVOID* audio2, LPDWORD audioBytes2, DWORD flags) {
    if (audio1 == nullptr || audioBytes1 == nullptr) return DSERR_INVALIDPARAM;
    const DWORD size = static_cast<DWORD>(voice_->bytes.size());
    if ((flags & DSBLOCK_FROMWRITECURSOR) != 0) GetCurrentPosition(nullptr, &offset);
    if ((flags & DSBLOCK_ENTIREBUFFER) != 0) {
        offset = 0;
        bytes = size;
    }
    if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
    BYTE* data = voice_->bytes.data();
    const DWORD first = std::min(bytes, size - offset);
    *audio1 = data + offset;
    *audioBytes1 = first;
    const DWORD wrapped = bytes - first;
    if (audio2 != nullptr) *audio2 = wrapped > 0 ? data : nullptr;
    if (audioBytes2 != nullptr) *audioBytes2 = wrapped;
    if (wrapped > 0 && (audio2 == nullptr || audioBytes2 == nullptr)) return DSERR_INVALIDPARAM;
    return DS_OK;
}

STDMETHODIMP SecondaryBuffer::Play(DWORD reserved1, DWORD priority, DWORD flags) {
    if (reserved1 != 0 || priority != 0) return DSERR_INVALIDPARAM;
    const std::lock_guard lock(voice_->mutex);
    voice_->playing = true;
    voice_->looping = (flags & DSBPLAY_LOOPING) != 0;
    return DS_OK;
}

STDMETHODIMP SecondaryBuffer::SetCurrentPosition(DWORD position) {
    const std::lock_guard lock(voice_->mutex);
    if (position >= voice_->bytes.size()) return DSERR_INVALIDPARAM;
    voice_->cursor.SetPosition(static_cast<double>(position / static_cast<DWORD>(voice_->format.blockAlign)));
    return DS_OK;
}

STDMETHODIMP SecondaryBuffer::SetVolume(LONG volume) {
    const HRESULT status = CheckVolume(flags_, volume);
    if (FAILED(status)) return status;
    const std::lock_guard lock(voice_->mutex);
    voice_->volume = volume;
    return DS_OK;
}

STDMETHODIMP SecondaryBuffer::SetPan(LONG pan) {
    const HRESULT status = CheckPan(flags_, pan);
    if (FAILED(status)) return status;
    const std::lock_guard lock(voice_->mutex);
    voice_->pan = pan;
    return DS_OK;
}

STDMETHODIMP SecondaryBuffer::Stop() {
    const std::lock_guard lock(voice_->mutex);
    voice_->playing = false;
    return DS_OK;
}

STDMETHODIMP SecondaryBuffer::Unlock(LPVOID audio1, DWORD, LPVOID, DWORD) {
    return audio1 == nullptr ? DSERR_INVALIDPARAM : DS_OK;
}

}  // namespace platform::dsound
