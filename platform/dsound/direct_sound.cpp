// The DirectSound device object: the default output, at any cooperative
// level, creating primary and PCM secondary buffers.
#include <dsound.h>

#include <cstddef>
#include <new>

#include "com/com_object.h"
#include "dsound/sound_buffer.h"

namespace platform::dsound {
namespace {

// DSBUFFERDESC with or without its last field, as older callers pass it.
bool IsDescriptionSize(DWORD size) {
    return size == sizeof(DSBUFFERDESC) || size == offsetof(DSBUFFERDESC, guid3DAlgorithm);
}

class DirectSound final : public ComObject<Implements<IDirectSound8, IID_IDirectSound8>> {
public:
    STDMETHODIMP CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer,
                                   LPUNKNOWN outer) override {
        if (buffer == nullptr || description == nullptr || !IsDescriptionSize(description->dwSize))
            return DSERR_INVALIDPARAM;
        *buffer = nullptr;
        if (outer != nullptr) return DSERR_NOAGGREGATION;
        if (level_ == 0) return DSERR_PRIOLEVELNEEDED;
        const DWORD flags = description->dwFlags;
        if ((flags & DSBCAPS_PRIMARYBUFFER) != 0) {
            if (description->dwBufferBytes != 0 || description->lpwfxFormat != nullptr) return DSERR_INVALIDPARAM;
            *buffer = new (std::nothrow) PrimaryBuffer(flags);
            return *buffer != nullptr ? DS_OK : DSERR_OUTOFMEMORY;
        }
        const WAVEFORMATEX* format = description->lpwfxFormat;
        if (format == nullptr || description->dwBufferBytes < DSBSIZE_MIN || description->dwBufferBytes > DSBSIZE_MAX)
            return DSERR_INVALIDPARAM;
        const std::size_t formatBytes =
            format->wFormatTag == WAVE_FORMAT_PCM ? sizeof(WAVEFORMATEX) : sizeof(WAVEFORMATEX) + format->cbSize;
        const std::optional<audio::PcmFormat> pcm = audio::PcmFormatOf(*format, formatBytes);
        if (!pcm) return DSERR_BADFORMAT;
        if (description->dwBufferBytes < static_cast<DWORD>(pcm->blockAlign)) return DSERR_INVALIDPARAM;
        *buffer = new (std::nothrow) SecondaryBuffer(flags, *pcm, description->dwBufferBytes);
        return *buffer != nullptr ? DS_OK : DSERR_OUTOFMEMORY;
    }

    STDMETHODIMP SetCooperativeLevel(HWND, DWORD level) override {
        if (level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) return DSERR_INVALIDPARAM;
        level_ = level;
        return DS_OK;
    }

private:
    DWORD level_ = 0;
};

}  // namespace
}  // namespace platform::dsound

extern "C" HRESULT WINAPI DirectSoundCreate8(LPCGUID device, LPDIRECTSOUND8* directSound, LPUNKNOWN outer) {
    if (directSound == nullptr) return DSERR_INVALIDPARAM;
    *directSound = nullptr;
    if (outer != nullptr) return DSERR_NOAGGREGATION;
    if (device != nullptr && !IsEqualGUID(*device, GUID_NULL)) return DSERR_NODRIVER;
    *directSound = new (std::nothrow) platform::dsound::DirectSound;
    return *directSound != nullptr ? DS_OK : DSERR_OUTOFMEMORY;
}
