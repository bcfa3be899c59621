#include "d3dx9/picture_decoder.h"

#include "d3dx9/format_decoders.h"

#include <d3dx9.h>

#include <new>

namespace platform::d3dx9 {

HRESULT DecodePicture(std::span<const BYTE> file, DecodeDepth depth, Picture& picture) {
    picture = Picture{};
    bool (*decode)(std::span<const BYTE>, DecodeDepth, Picture&) = nullptr;
    if (IsPngFile(file)) {
        decode = DecodePng;
    } else if (IsJpegFile(file)) {
        decode = DecodeJpeg;
    } else if (IsBmpFile(file)) {
        decode = DecodeBmp;
    } else if (IsDdsFile(file)) {
        decode = DecodeDds;
    } else {
        return D3DXERR_INVALIDDATA;
    }
    try {
        if (decode(file, depth, picture)) return S_OK;
    } catch (const std::bad_alloc&) {
        picture = Picture{};
        return E_OUTOFMEMORY;
    }
    picture = Picture{};
    return D3DXERR_INVALIDDATA;
}

}  // namespace platform::d3dx9
