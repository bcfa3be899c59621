// WAV through the layer's own mmio: the format chunk as far as it goes,
// the data chunk clamped to the bytes that are present.
#include <mmreg.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "dshow/decoded_audio.h"

namespace platform::dshow {
namespace {

class MemoryRiff {
public:
    explicit MemoryRiff(const std::vector<BYTE>& file) {
        MMIOINFO info{};
        info.fccIOProc = FOURCC_MEM;
        info.pchBuffer = reinterpret_cast<HPSTR>(const_cast<BYTE*>(file.data()));
        info.cchBuffer = static_cast<LONG>(std::min<std::size_t>(file.size(), 0x7FFFFFFF));
        handle_ = mmioOpenW(nullptr, &info, MMIO_READ);
    }
    ~MemoryRiff() {
        if (handle_ != nullptr) mmioClose(handle_, 0);
    }
    MemoryRiff(const MemoryRiff&) = delete;
    MemoryRiff& operator=(const MemoryRiff&) = delete;

    HMMIO get() const { return handle_; }

private:
    HMMIO handle_ = nullptr;
};

}  // namespace

bool DecodeWave(const std::vector<BYTE>& file, DecodedAudio* decoded) {
    if (file.empty()) return false;
    const MemoryRiff riff(file);
    if (riff.get() == nullptr) return false;
    MMCKINFO form{};
    form.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    if (mmioDescend(riff.get(), &form, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR) return false;
    const LONG formStart = mmioSeek(riff.get(), 0, SEEK_CUR);

    MMCKINFO chunk{};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    if (mmioDescend(riff.get(), &chunk, &form, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return false;
    WAVEFORMATEXTENSIBLE format{};
    const LONG wanted = static_cast<LONG>(std::min<DWORD>(chunk.cksize, sizeof format));
    const LONG read = mmioRead(riff.get(), reinterpret_cast<HPSTR>(&format), wanted);
    if (read < 0) return false;
    const std::optional<audio::PcmFormat> pcm = audio::PcmFormatOf(format.Format, static_cast<std::size_t>(read));
    if (!pcm) return false;

    mmioSeek(riff.get(), formStart, SEEK_SET);
    chunk = {};
    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(riff.get(), &chunk, &form, MMIO_FINDCHUNK) != MMSYSERR_NOERROR) return false;
    const std::size_t present = file.size() - chunk.dwDataOffset;
    std::size_t bytes = std::min<std::size_t>(chunk.cksize, present);
    bytes -= bytes % static_cast<std::size_t>(pcm->blockAlign);
    if (bytes == 0) return false;
    decoded->format = *pcm;
    decoded->data.assign(file.begin() + chunk.dwDataOffset, file.begin() + chunk.dwDataOffset + static_cast<std::ptrdiff_t>(bytes));
    return true;
}

}  // namespace platform::dshow
