#include "d3dx9/byte_reader.h"
#include "d3dx9/format_decoders.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdlib>

namespace platform::d3dx9 {
namespace {

constexpr DWORD kRgb = 0;
constexpr DWORD kBitFields = 3;
constexpr size_t kFileHeaderBytes = 14;

// A colour channel given by a bit mask of the pixel value.
struct Channel {
    DWORD mask = 0;

    BYTE Read(DWORD pixel, BYTE absent) const {
        if (mask == 0) return absent;
        int shift = std::countr_zero(mask);
        uint64_t max = mask >> shift, value = (pixel & mask) >> shift;
        return BYTE((value * 510 + max) / (2 * max));
    }
};

struct Layout {
    int64_t width = 0;
    int64_t height = 0;  // negative: rows top first
    WORD bits = 0;
    DWORD compression = kRgb;
    DWORD coloursUsed = 0;
    size_t paletteEntryBytes = 4;
    size_t afterHeader = 0;
    std::array<Channel, 4> channels{};  // B, G, R, A
};

bool ReadLayout(const ByteReader& reader, Layout& layout) {
    DWORD headerBytes = reader.Dword(kFileHeaderBytes);
    if (!reader.Has(kFileHeaderBytes, headerBytes)) return false;
    layout.afterHeader = kFileHeaderBytes + headerBytes;
    if (headerBytes == 12) {
        layout.width = int16_t(reader.Word(18));
        layout.height = int16_t(reader.Word(20));
        layout.bits = reader.Word(24);
        layout.paletteEntryBytes = 3;
    } else if (headerBytes >= 40) {
        layout.width = int32_t(reader.Dword(18));
        layout.height = int32_t(reader.Dword(22));
        layout.bits = reader.Word(28);
        layout.compression = reader.Dword(30);
        layout.coloursUsed = reader.Dword(46);
    } else {
        return false;
    }
    if (layout.compression == kBitFields) {
        if (layout.bits != 16 && layout.bits != 32) return false;
        // The masks follow a plain info header, or are part of a larger one.
        size_t masks = headerBytes == 40 ? layout.afterHeader : kFileHeaderBytes + 40;
        if (!reader.Has(masks, 12)) return false;
        if (headerBytes == 40) layout.afterHeader += 12;
        for (int c = 0; c < 3; ++c) layout.channels[2 - c].mask = reader.Dword(masks + 4 * c);
        if (headerBytes >= 56) layout.channels[3].mask = reader.Dword(masks + 12);
    } else if (layout.compression != kRgb) {
        return false;
    } else if (layout.bits == 16) {
        layout.channels = {Channel{0x001F}, Channel{0x03E0}, Channel{0x7C00}, Channel{0}};
    } else if (layout.bits == 24 || layout.bits == 32) {
        layout.channels = {Channel{0x0000FF}, Channel{0x00FF00}, Channel{0xFF0000}, Channel{0}};
    }
    bool knownDepth = layout.bits == 1 || layout.bits == 4 || layout.bits == 8 || layout.bits == 16 ||
                      layout.bits == 24 || layout.bits == 32;
    return knownDepth && layout.width <= kMaxPictureSide && std::abs(layout.height) <= kMaxPictureSide &&
           layout.width > 0 &&
           FitsPictureBudget(static_cast<UINT>(layout.width), static_cast<UINT>(std::abs(layout.height)));
}

D3DFORMAT FormatOf(const Layout& layout) {
    const auto& c = layout.channels;
    switch (layout.bits) {
        case 16:
            if (c[1].mask == 0x07E0) return D3DFMT_R5G6B5;
            return c[3].mask ? D3DFMT_A1R5G5B5 : D3DFMT_X1R5G5B5;
        case 24:
            return D3DFMT_R8G8B8;
        case 32:
            return c[3].mask ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
        default:
            return D3DFMT_P8;
    }
}

}  // namespace

bool IsBmpFile(std::span<const BYTE> file) { return file.size() >= 2 && file[0] == 'B' && file[1] == 'M'; }

bool DecodeBmp(std::span<const BYTE> file, DecodeDepth depth, Picture& picture) {
    ByteReader reader(file);
    Layout layout;
    if (!ReadLayout(reader, layout)) return false;
    UINT width = UINT(layout.width), height = UINT(std::abs(layout.height));
    size_t stride = (size_t{width} * layout.bits + 31) / 32 * 4;
    size_t dataOffset = reader.Dword(10);
    if (!reader.Has(dataOffset, stride * height)) return false;

    std::array<std::array<BYTE, 4>, 256> palette{};
    if (layout.bits <= 8) {
        size_t entries = std::min<size_t>(layout.coloursUsed ? layout.coloursUsed : 1u << layout.bits, 256);
        if (!reader.Has(layout.afterHeader, entries * layout.paletteEntryBytes)) return false;
        for (size_t i = 0; i < entries; ++i) {
            auto entry = reader.Bytes(layout.afterHeader + i * layout.paletteEntryBytes, 3);
            palette[i] = {entry[0], entry[1], entry[2], 255};
        }
    }
    picture.info = {width, height, 1, 1, FormatOf(layout), D3DRTYPE_TEXTURE, D3DXIFF_BMP};
    if (depth == DecodeDepth::InfoOnly) return true;

    Image8 image(width, height, Unfilled{});
    for (UINT y = 0; y < height; ++y) {
        UINT fileRow = layout.height < 0 ? y : height - 1 - y;
        auto row = reader.Bytes(dataOffset + fileRow * stride, stride);
        for (UINT x = 0; x < width; ++x) {
            BYTE* out = image.Pixel(x, y);
            if (layout.bits <= 8) {
                size_t bit = size_t{x} * layout.bits;
                int index = (row[bit / 8] >> (8 - layout.bits - bit % 8)) & ((1 << layout.bits) - 1);
                std::copy(palette[index].begin(), palette[index].end(), out);
                continue;
            }
            size_t bytes = layout.bits / 8;
            DWORD pixel = 0;
            for (size_t i = 0; i < bytes; ++i) pixel |= DWORD{row[x * bytes + i]} << (8 * i);
            for (int c = 0; c < 4; ++c) out[c] = layout.channels[c].Read(pixel, c == 3 ? 255 : 0);
        }
    }
    picture.levels.emplace_back(std::move(image));
    return true;
}

}  // namespace platform::d3dx9
