// Audio files decoded whole into PCM, as the graph's source filters play
// them: WAV (integer or float PCM) and MP3.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <windows.h>

#include "audio/pcm_format.h"

namespace platform::dshow {

struct DecodedAudio {
    audio::PcmFormat format;
    std::vector<BYTE> data;

    std::size_t Frames() const { return data.size() / static_cast<std::size_t>(format.blockAlign); }
};

// False for a file that is neither, or that holds no sound.
bool DecodeWave(const std::vector<BYTE>& file, DecodedAudio* decoded);
bool DecodeMp3(const std::vector<BYTE>& file, DecodedAudio* decoded);

// The file at a Windows path: S_OK, or an error a graph call returns.
HRESULT DecodeAudioFile(const std::wstring& path, DecodedAudio* decoded);

}  // namespace platform::dshow
