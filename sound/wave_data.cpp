#include "sound/wave_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The sub-format GUIDs of extensible PCM and float: the plain tag in this base.
constexpr GUID kSubFormatBase = {0, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr DWORD kMaxFormatBytes = sizeof(WAVEFORMATEXTENSIBLE);
constexpr LONG kPlainFormatBytes = 16;  // WAVEFORMATEX without cbSize

bool IsPlayableTag(DWORD tag) { return tag == WAVE_FORMAT_PCM || tag == WAVE_FORMAT_IEEE_FLOAT; }

bool IsPlayable(const WAVEFORMATEXTENSIBLE& format, LONG formatBytes)
{
    if (formatBytes < kPlainFormatBytes)
        return false;
    if (format.Format.nAvgBytesPerSec == 0 || format.Format.nBlockAlign == 0)
        return false;
    if (format.Format.wFormatTag != WAVE_FORMAT_EXTENSIBLE)
        return IsPlayableTag(format.Format.wFormatTag);
    if (formatBytes < static_cast<LONG>(kMaxFormatBytes) ||
        format.Format.cbSize < sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX))
        return false;
    GUID base = format.SubFormat;
    const DWORD tag = base.Data1;
    base.Data1 = 0;
    return IsEqualGUID(base, kSubFormatBase) && IsPlayableTag(tag);
}

class MemoryFile {
public:
    MemoryFile(const BYTE* bytes, DWORD size)
    {
        MMIOINFO info{};
        info.fccIOProc = mmioStringToFOURCCW(L"MEM ", 0);
        info.pchBuffer = reinterpret_cast<HPSTR>(const_cast<BYTE*>(bytes));
        info.cchBuffer = static_cast<LONG>(std::min<DWORD>(size, 0x7FFFFFFF));
        m_handle = mmioOpenW(nullptr, &info, MMIO_READ);
    }
    ~MemoryFile()
    {
        if (m_handle)
            mmioClose(m_handle, 0);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    HMMIO Get() const { return m_handle; }

    // From position 0: into the "WAVE" form and its chunk of that id.
    bool DescendToChunk(FOURCC id, MMCKINFO* chunk)
    {
        if (mmioSeek(m_handle, 0, SEEK_SET) != 0)
            return false;
        MMCKINFO form{};
        form.fccType = mmioFOURCC('W', 'A', 'V', 'E');
        if (mmioDescend(m_handle, &form, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR)
            return false;
        *chunk = {};
        chunk->ckid = id;
        return mmioDescend(m_handle, chunk, &form, MMIO_FINDCHUNK) == MMSYSERR_NOERROR;
    }

private:
    HMMIO m_handle = nullptr;
};

} // namespace

unsigned int WaveData::LengthInHundredths() const
{
    const double seconds = static_cast<double>(data.size()) * 100.0 / format.Format.nAvgBytesPerSec;
    return static_cast<unsigned int>(std::floor(seconds + 0.5));
}

std::optional<WaveData> ReadWaveData(const BYTE* bytes, DWORD size)
{
    if (bytes == nullptr || size == 0)
        return std::nullopt;
    MemoryFile file(bytes, size);
    if (!file.Get())
        return std::nullopt;

    WaveData wave;
    MMCKINFO chunk{};
    if (!file.DescendToChunk(mmioFOURCC('f', 'm', 't', ' '), &chunk))
        return std::nullopt;
    const LONG formatBytes = mmioRead(file.Get(), reinterpret_cast<HPSTR>(&wave.format),
                                      static_cast<LONG>(std::min(chunk.cksize, kMaxFormatBytes)));
    if (!IsPlayable(wave.format, formatBytes))
        return std::nullopt;
    if (wave.format.Format.wFormatTag != WAVE_FORMAT_EXTENSIBLE)
        wave.format.Format.cbSize = 0;  // nothing of the extension was read

    if (!file.DescendToChunk(mmioFOURCC('d', 'a', 't', 'a'), &chunk))
        return std::nullopt;
    // A size beyond the bytes that are there reads only those.
    const DWORD present = size - std::min(size, chunk.dwDataOffset);
    wave.data.resize(std::min(chunk.cksize, present));
    const LONG read = mmioRead(file.Get(), reinterpret_cast<HPSTR>(wave.data.data()), static_cast<LONG>(wave.data.size()));
    if (read <= 0)
        return std::nullopt;
    wave.data.resize(static_cast<size_t>(read));
    return wave;
}
