// libFuzzer target: any bytes as a picture file, headers only and whole.
// Every decoder answers a whole picture within its budget or
// D3DXERR_INVALIDDATA.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include <d3dx9.h>

#include "d3dx9/format_decoders.h"
#include "d3dx9/picture_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace platform::d3dx9;
    const std::span<const BYTE> file(data, size);
    for (DecodeDepth depth : {DecodeDepth::InfoOnly, DecodeDepth::Pixels}) {
        Picture picture;
        const HRESULT result = DecodePicture(file, depth, picture);
        if (result != S_OK && result != D3DXERR_INVALIDDATA) std::abort();
        if (result == S_OK && !FitsPictureBudget(picture.info.Width, picture.info.Height)) std::abort();
        if (result == S_OK && depth == DecodeDepth::Pixels && picture.levels.empty()) std::abort();
    }
    return 0;
}
