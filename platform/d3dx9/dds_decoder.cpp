#include "d3dx9/byte_reader.h"
#include "d3dx9/dxt.h"
#include "d3dx9/format_decoders.h"
#include "d3dx9/pixel_format.h"

#include <algorithm>
#include <bit>

namespace platform::d3dx9 {
namespace {

constexpr DWORD kMagic = MAKEFOURCC('D', 'D', 'S', ' ');
constexpr size_t kDataOffset = 4 + 124;

// DDS_HEADER fields, as offsets from the start of the file.
constexpr size_t kHeaderSize = 4, kFlags = 8, kHeight = 12, kWidth = 16, kMipMapCount = 28;
constexpr size_t kPixelFlags = 80, kFourCc = 84, kBitCount = 88, kMasks = 92, kCaps = 108, kCaps2 = 112;

constexpr DWORD kFlagMipMapCount = 0x20000;
constexpr DWORD kFlagDepth = 0x800000;
constexpr DWORD kCapsMipMap = 0x400000;
constexpr DWORD kCaps2CubeMap = 0x200, kCaps2Volume = 0x200000;

constexpr DWORD kPixelAlphaPixels = 0x1, kPixelAlpha = 0x2, kPixelFourCc = 0x4, kPixelRgb = 0x40;
constexpr DWORD kPixelLuminance = 0x20000, kPixelBumpDuDv = 0x80000;

struct Masks {
    DWORD r, g, b, a;
    bool operator==(const Masks&) const = default;
};

D3DFORMAT FormatOf(const ByteReader& reader) {
    DWORD flags = reader.Dword(kPixelFlags), bits = reader.Dword(kBitCount);
    Masks masks{reader.Dword(kMasks), reader.Dword(kMasks + 4), reader.Dword(kMasks + 8), reader.Dword(kMasks + 12)};
    bool alpha = (flags & kPixelAlphaPixels) != 0;
    if (flags & kPixelFourCc) {
        // Some writers store a D3DFORMAT number in place of a four-character
        // code; a number past the enumeration's range is none.
        const DWORD code = reader.Dword(kFourCc);
        if (code > DWORD{D3DFMT_FORCE_DWORD}) return D3DFMT_UNKNOWN;
        const auto format = static_cast<D3DFORMAT>(code);
        return IsConvertibleFormat(format) ? format : D3DFMT_UNKNOWN;
    }
    if (flags & kPixelBumpDuDv) {
        if (bits == 16 && masks == Masks{0xFF, 0xFF00, 0, 0}) return D3DFMT_V8U8;
        if (bits == 32 && masks == Masks{0xFF, 0xFF00, 0xFF0000, 0xFF000000}) return D3DFMT_Q8W8V8U8;
        if (bits == 32 && masks == Masks{0xFFFF, 0xFFFF0000, 0, 0}) return D3DFMT_V16U16;
        return D3DFMT_UNKNOWN;
    }
    if (flags & kPixelRgb) {
        Masks opaque{masks.r, masks.g, masks.b, 0};
        if ((bits == 32 || bits == 24) && opaque == Masks{0xFF0000, 0xFF00, 0xFF, 0}) {
            if (bits == 24) return D3DFMT_R8G8B8;
            return alpha && masks.a == 0xFF000000 ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
        }
        if (bits == 16 && opaque == Masks{0xF800, 0x7E0, 0x1F, 0}) return D3DFMT_R5G6B5;
        if (bits == 16 && opaque == Masks{0x7C00, 0x3E0, 0x1F, 0})
            return alpha && masks.a == 0x8000 ? D3DFMT_A1R5G5B5 : D3DFMT_X1R5G5B5;
        if (bits == 16 && opaque == Masks{0xF00, 0xF0, 0xF, 0})
            return alpha && masks.a == 0xF000 ? D3DFMT_A4R4G4B4 : D3DFMT_X4R4G4B4;
        return D3DFMT_UNKNOWN;
    }
    if (flags & kPixelLuminance) {
        if (bits == 8 && masks.r == 0xFF) return D3DFMT_L8;
        if (bits == 16 && masks.r == 0xFF && alpha && masks.a == 0xFF00) return D3DFMT_A8L8;
        if (bits == 16 && masks.r == 0xFFFF) return D3DFMT_L16;
        return D3DFMT_UNKNOWN;
    }
    if ((flags & kPixelAlpha) && bits == 8 && masks.a == 0xFF) return D3DFMT_A8;
    return D3DFMT_UNKNOWN;
}

}  // namespace

bool IsDdsFile(std::span<const BYTE> file) { return ByteReader(file).Dword(0) == kMagic; }

bool DecodeDds(std::span<const BYTE> file, DecodeDepth depth, Picture& picture) {
    ByteReader reader(file);
    if (!reader.Has(0, kDataOffset) || reader.Dword(kHeaderSize) != 124) return false;
    // Cube maps and volumes are not textures of this layer.
    if ((reader.Dword(kCaps2) & (kCaps2CubeMap | kCaps2Volume)) || (reader.Dword(kFlags) & kFlagDepth)) return false;
    UINT width = reader.Dword(kWidth), height = reader.Dword(kHeight);
    if (!FitsPictureBudget(width, height)) return false;
    D3DFORMAT format = FormatOf(reader);
    if (format == D3DFMT_UNKNOWN) return false;

    UINT fullChain = std::bit_width(std::max(width, height));
    UINT levels = 1;
    if ((reader.Dword(kFlags) & kFlagMipMapCount) || (reader.Dword(kCaps) & kCapsMipMap))
        levels = std::max<UINT>(reader.Dword(kMipMapCount), 1);
    if (levels > fullChain) return false;

    size_t offset = kDataOffset;
    for (UINT level = 0; level < levels; ++level) {
        UINT w = std::max(width >> level, 1u), h = std::max(height >> level, 1u);
        size_t pitch = RowBytes(format, w), bytes = pitch * RowCount(format, h);
        if (!reader.Has(offset, bytes)) return false;
        if (depth == DecodeDepth::Pixels) {
            picture.storedLevels.push_back(reader.Bytes(offset, bytes));
            picture.levels.push_back(Unpack(format, file.data() + offset, pitch, w, h));
        }
        offset += bytes;
    }
    picture.info = {width, height, 1, levels, format, D3DRTYPE_TEXTURE, D3DXIFF_DDS};
    return true;
}

}  // namespace platform::d3dx9
