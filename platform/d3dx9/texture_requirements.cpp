#include "d3dx9/texture_requirements.h"

#include "d3dx9/dxt.h"

#include <d3dx9.h>

#include <algorithm>
#include <bit>
#include <span>

namespace platform::d3dx9 {
namespace {

constexpr UINT kSideWithoutPicture = 256;

// Substitutes in order of preference: same channels first, then more bits,
// then fewer.
std::span<const D3DFORMAT> CandidatesFor(D3DFORMAT format) {
    static constexpr D3DFORMAT opaque[] = {D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_R5G6B5, D3DFMT_X1R5G5B5};
    static constexpr D3DFORMAT grey16[] = {D3DFMT_L8, D3DFMT_X8R8G8B8, D3DFMT_A8R8G8B8, D3DFMT_R5G6B5};
    static constexpr D3DFORMAT translucent[] = {D3DFMT_A8R8G8B8, D3DFMT_A4R4G4B4, D3DFMT_A1R5G5B5};
    static constexpr D3DFORMAT greyAlpha[] = {D3DFMT_A8L8, D3DFMT_A8R8G8B8, D3DFMT_A4R4G4B4};
    static constexpr D3DFORMAT alphaOnly[] = {D3DFMT_A8, D3DFMT_A8L8, D3DFMT_A8R8G8B8, D3DFMT_A4R4G4B4};
    static constexpr D3DFORMAT twoSigned[] = {D3DFMT_V8U8, D3DFMT_V16U16, D3DFMT_Q8W8V8U8};
    static constexpr D3DFORMAT wideSigned[] = {D3DFMT_V16U16, D3DFMT_Q8W8V8U8, D3DFMT_V8U8};
    static constexpr D3DFORMAT fourSigned[] = {D3DFMT_Q8W8V8U8, D3DFMT_V16U16, D3DFMT_V8U8};
    auto list = [](const auto& formats) { return std::span<const D3DFORMAT>(formats); };
    switch (format) {
        case D3DFMT_L16:
            return list(grey16);
        case D3DFMT_A8L8:
            return list(greyAlpha);
        case D3DFMT_A8:
            return list(alphaOnly);
        case D3DFMT_V8U8:
            return list(twoSigned);
        case D3DFMT_V16U16:
            return list(wideSigned);
        case D3DFMT_Q8W8V8U8:
            return list(fourSigned);
        case D3DFMT_R8G8B8:
        case D3DFMT_X8R8G8B8:
        case D3DFMT_R5G6B5:
        case D3DFMT_X1R5G5B5:
        case D3DFMT_X4R4G4B4:
        case D3DFMT_L8:
            return list(opaque);
        default:
            return list(translucent);
    }
}

}  // namespace

UINT TextureSide(UINT requested, UINT pictureSide, UINT maxSide, bool powerOfTwoOnly, D3DFORMAT format) {
    bool fromPicture = requested == 0 || requested == D3DX_DEFAULT;
    UINT side = requested;
    if (fromPicture || requested == D3DX_DEFAULT_NONPOW2) side = pictureSide ? pictureSide : kSideWithoutPicture;
    if (fromPicture || powerOfTwoOnly) side = std::bit_ceil(side);
    if (IsDxtFormat(format)) side = (side + 3) / 4 * 4;
    return std::min(side, maxSide);
}

UINT TextureLevels(UINT requested, UINT width, UINT height, UINT fileLevels) {
    UINT fullChain = std::bit_width(std::max(width, height));
    if (requested == 0 || requested == D3DX_DEFAULT) return fullChain;
    if (requested == D3DX_FROM_FILE) requested = std::max(fileLevels, 1u);
    return std::min(requested, fullChain);
}

D3DFORMAT TextureFormat(D3DFORMAT requested, D3DFORMAT pictureFormat,
                        const std::function<bool(D3DFORMAT)>& deviceTakes) {
    D3DFORMAT format = requested;
    if (format == D3DFMT_UNKNOWN) format = pictureFormat != D3DFMT_UNKNOWN ? pictureFormat : D3DFMT_A8R8G8B8;
    if (deviceTakes(format)) return format;
    for (D3DFORMAT candidate : CandidatesFor(format)) {
        if (deviceTakes(candidate)) return candidate;
    }
    return D3DFMT_UNKNOWN;
}

}  // namespace platform::d3dx9
