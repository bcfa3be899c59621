#include <windows.h>

#include <fstream>
#include <iterator>

#include <dshow.h>

#include "dshow/decoded_audio.h"
#include "kernel/file_path.h"

namespace platform::dshow {

HRESULT DecodeAudioFile(const std::wstring& path, DecodedAudio* decoded) {
    std::ifstream stream(NativePath(path), std::ios::binary);
    if (!stream) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    const std::vector<BYTE> file((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    if (DecodeWave(file, decoded) || DecodeMp3(file, decoded)) return S_OK;
    return VFW_E_UNSUPPORTED_STREAM;
}

}  // namespace platform::dshow
