// Wave data from a document's bytes, read through mmio, as a sound buffer
// is made from it. Document bytes are not trusted: the format is read as
// far as its chunk goes, only PCM and float are taken, and the data is
// what the bytes hold.
#pragma once

#include <windows.h>

#include <mmreg.h>

#include <optional>
#include <vector>

struct WaveData {
    WAVEFORMATEXTENSIBLE format{};  // WAVEFORMATEX first; the rest only when extensible
    std::vector<BYTE> data;

    // floor(bytes x 100 / byte rate + 0.5), computed in 64 bits.
    unsigned int LengthInHundredths() const;
};

std::optional<WaveData> ReadWaveData(const BYTE* bytes, DWORD size);
