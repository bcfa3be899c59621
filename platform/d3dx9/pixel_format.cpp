#include "d3dx9/pixel_format.h"

#include "d3dx9/dxt.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace platform::d3dx9 {
namespace {

UINT BytesPerPixel(D3DFORMAT format) {
    switch (format) {
        case D3DFMT_A16B16G16R16:
            return 8;
        case D3DFMT_A8R8G8B8:
        case D3DFMT_X8R8G8B8:
        case D3DFMT_Q8W8V8U8:
        case D3DFMT_V16U16:
            return 4;
        case D3DFMT_R8G8B8:
            return 3;
        case D3DFMT_R5G6B5:
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5:
        case D3DFMT_A4R4G4B4:
        case D3DFMT_X4R4G4B4:
        case D3DFMT_A8L8:
        case D3DFMT_L16:
        case D3DFMT_V8U8:
            return 2;
        case D3DFMT_A8:
        case D3DFMT_L8:
            return 1;
        default:
            return 0;
    }
}

DWORD Load(const BYTE* p, UINT bytes) {
    DWORD v = 0;
    for (UINT i = 0; i < bytes; ++i) v |= DWORD{p[i]} << (8 * i);
    return v;
}

void Store(BYTE* p, UINT bytes, DWORD v) {
    for (UINT i = 0; i < bytes; ++i) p[i] = BYTE(v >> (8 * i));
}

// An n-bit field widened to 8 bits by repeating its bits.
BYTE Widen(DWORD value, int bits) {
    value &= (1u << bits) - 1;
    DWORD wide = 0;
    for (int shift = 8 - bits; shift > -bits; shift -= bits) wide |= shift >= 0 ? value << shift : value >> -shift;
    return BYTE(wide);
}

void ReadUnsigned(D3DFORMAT format, const BYTE* p, BYTE* out) {
    if (format == D3DFMT_A16B16G16R16) {
        // Eight bytes: each channel is read on its own.
        for (int c = 0; c < 4; ++c) {
            const DWORD channel = Load(p + 2 * c, 2);
            out[c == 3 ? 3 : 2 - c] = BYTE((channel * 255 + 32767) / 65535);
        }
        return;
    }
    DWORD v = Load(p, BytesPerPixel(format));
    auto rgb = [&](int rShift, int gShift, int bShift, int bits, int gBits) {
        out[0] = Widen(v >> bShift, bits);
        out[1] = Widen(v >> gShift, gBits);
        out[2] = Widen(v >> rShift, bits);
    };
    out[3] = 255;
    switch (format) {
        case D3DFMT_A8R8G8B8:
            out[3] = BYTE(v >> 24);
            [[fallthrough]];
        case D3DFMT_X8R8G8B8:
        case D3DFMT_R8G8B8:
            rgb(16, 8, 0, 8, 8);
            break;
        case D3DFMT_R5G6B5:
            rgb(11, 5, 0, 5, 6);
            break;
        case D3DFMT_A1R5G5B5:
            out[3] = (v & 0x8000) ? 255 : 0;
            [[fallthrough]];
        case D3DFMT_X1R5G5B5:
            rgb(10, 5, 0, 5, 5);
            break;
        case D3DFMT_A4R4G4B4:
            out[3] = Widen(v >> 12, 4);
            [[fallthrough]];
        case D3DFMT_X4R4G4B4:
            rgb(8, 4, 0, 4, 4);
            break;
        case D3DFMT_A8:
            out[0] = out[1] = out[2] = 0;
            out[3] = BYTE(v);
            break;
        case D3DFMT_A8L8:
            out[3] = BYTE(v >> 8);
            [[fallthrough]];
        case D3DFMT_L8:
            out[0] = out[1] = out[2] = BYTE(v);
            break;
        case D3DFMT_L16:
            out[0] = out[1] = out[2] = BYTE(((v & 0xFFFF) * 255 + 32767) / 65535);
            break;
        default:
            break;
    }
}

float Snorm(int value, int max) { return std::max(float(value) / float(max), -1.f); }

// B, G, R, A = W, V, U, Q.
void ReadSigned(D3DFORMAT format, const BYTE* p, float* out) {
    out[0] = out[1] = out[2] = out[3] = 1.f;
    switch (format) {
        case D3DFMT_V8U8:
            out[2] = Snorm(int8_t(p[0]), 127);
            out[1] = Snorm(int8_t(p[1]), 127);
            break;
        case D3DFMT_Q8W8V8U8:
            out[2] = Snorm(int8_t(p[0]), 127);
            out[1] = Snorm(int8_t(p[1]), 127);
            out[0] = Snorm(int8_t(p[2]), 127);
            out[3] = Snorm(int8_t(p[3]), 127);
            break;
        case D3DFMT_V16U16:
            out[2] = Snorm(int16_t(Load(p, 2)), 32767);
            out[1] = Snorm(int16_t(Load(p + 2, 2)), 32767);
            break;
        default:
            break;
    }
}

DWORD Unorm(float value, DWORD max) {
    return DWORD(std::lrint(std::clamp(value, 0.f, 1.f) * float(max)));
}

DWORD SnormBits(float value, int max, int bits) {
    long v = std::lrint(std::clamp(value, -1.f, 1.f) * float(max));
    return DWORD(v) & ((1u << bits) - 1);
}

// One pixel given as B, G, R, A in 0..1 (signed formats: -1..1).
void WritePixel(D3DFORMAT format, const float* c, BYTE* p) {
    auto rgb = [&](int rShift, int gShift, int bits, int gBits) {
        return (Unorm(c[2], (1u << bits) - 1) << rShift) | (Unorm(c[1], (1u << gBits) - 1) << gShift) |
               Unorm(c[0], (1u << bits) - 1);
    };
    auto luminance = [&] { return 0.2126f * c[2] + 0.7152f * c[1] + 0.0722f * c[0]; };
    DWORD v = 0;
    switch (format) {
        case D3DFMT_A8R8G8B8:
            v = rgb(16, 8, 8, 8) | (Unorm(c[3], 255) << 24);
            break;
        case D3DFMT_X8R8G8B8:
            v = rgb(16, 8, 8, 8) | 0xFF000000;
            break;
        case D3DFMT_R8G8B8:
            v = rgb(16, 8, 8, 8);
            break;
        case D3DFMT_R5G6B5:
            v = rgb(11, 5, 5, 6);
            break;
        case D3DFMT_X1R5G5B5:
            v = rgb(10, 5, 5, 5) | 0x8000;
            break;
        case D3DFMT_A1R5G5B5:
            v = rgb(10, 5, 5, 5) | (Unorm(c[3], 1) << 15);
            break;
        case D3DFMT_A4R4G4B4:
            v = rgb(8, 4, 4, 4) | (Unorm(c[3], 15) << 12);
            break;
        case D3DFMT_X4R4G4B4:
            v = rgb(8, 4, 4, 4) | 0xF000;
            break;
        case D3DFMT_A8:
            v = Unorm(c[3], 255);
            break;
        case D3DFMT_L8:
            v = Unorm(luminance(), 255);
            break;
        case D3DFMT_A8L8:
            v = Unorm(luminance(), 255) | (Unorm(c[3], 255) << 8);
            break;
        case D3DFMT_L16:
            v = Unorm(luminance(), 65535);
            break;
        case D3DFMT_A16B16G16R16:
            for (int i = 0; i < 4; ++i) Store(p + 2 * i, 2, Unorm(c[i == 3 ? 3 : 2 - i], 65535));
            return;
        case D3DFMT_V8U8:
            v = SnormBits(c[2], 127, 8) | (SnormBits(c[1], 127, 8) << 8);
            break;
        case D3DFMT_Q8W8V8U8:
            v = SnormBits(c[2], 127, 8) | (SnormBits(c[1], 127, 8) << 8) | (SnormBits(c[0], 127, 8) << 16) |
                (SnormBits(c[3], 127, 8) << 24);
            break;
        case D3DFMT_V16U16:
            v = SnormBits(c[2], 32767, 16) | (SnormBits(c[1], 32767, 16) << 16);
            break;
        default:
            break;
    }
    Store(p, BytesPerPixel(format), v);
}

float UnitOf(uint8_t sample) { return float(sample) * (1.f / 255.f); }
float UnitOf(float sample) { return sample; }

Image8 UnpackDxt(D3DFORMAT format, const BYTE* bits, size_t pitch, UINT width, UINT height) {
    Image8 image(width, height);
    BYTE block[64];
    for (UINT by = 0; by < RowCount(format, height); ++by) {
        for (UINT bx = 0; bx < (width + 3) / 4; ++bx) {
            DecodeDxtBlock(format, bits + by * pitch + size_t{bx} * DxtBlockBytes(format), block);
            for (UINT y = by * 4; y < std::min(height, by * 4 + 4); ++y) {
                for (UINT x = bx * 4; x < std::min(width, bx * 4 + 4); ++x) {
                    std::memcpy(image.Pixel(x, y), block + ((y % 4) * 4 + x % 4) * 4, 4);
                }
            }
        }
    }
    return image;
}

template <typename Sample>
void PackDxt(const Image<Sample>& image, D3DFORMAT format, BYTE* bits, size_t pitch) {
    BYTE block[64];
    for (UINT by = 0; by < RowCount(format, image.height); ++by) {
        for (UINT bx = 0; bx < (image.width + 3) / 4; ++bx) {
            // Blocks over the edge repeat the last row and column.
            for (UINT i = 0; i < 16; ++i) {
                const Sample* s =
                    image.Pixel(std::min(bx * 4 + i % 4, image.width - 1), std::min(by * 4 + i / 4, image.height - 1));
                for (int c = 0; c < 4; ++c) block[i * 4 + c] = BYTE(Unorm(UnitOf(s[c]), 255));
            }
            EncodeDxtBlock(format, block, bits + by * pitch + size_t{bx} * DxtBlockBytes(format));
        }
    }
}

template <typename Sample>
void PackImage(const Image<Sample>& image, D3DFORMAT format, BYTE* bits, size_t pitch) {
    if (image.width == 0 || image.height == 0) return;
    if (IsDxtFormat(format)) {
        PackDxt(image, format, bits, pitch);
        return;
    }
    if constexpr (std::is_same_v<Sample, uint8_t>) {
        if (format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8) {
            for (UINT y = 0; y < image.height; ++y) {
                BYTE* row = bits + y * pitch;
                std::memcpy(row, image.Pixel(0, y), size_t{image.width} * 4);
                if (format == D3DFMT_X8R8G8B8) {
                    for (UINT x = 0; x < image.width; ++x) row[x * 4 + 3] = 0xFF;
                }
            }
            return;
        }
    }
    UINT bytes = BytesPerPixel(format);
    for (UINT y = 0; y < image.height; ++y) {
        BYTE* row = bits + y * pitch;
        for (UINT x = 0; x < image.width; ++x) {
            const Sample* s = image.Pixel(x, y);
            float unit[4] = {UnitOf(s[0]), UnitOf(s[1]), UnitOf(s[2]), UnitOf(s[3])};
            WritePixel(format, unit, row + size_t{x} * bytes);
        }
    }
}

}  // namespace

bool IsConvertibleFormat(D3DFORMAT format) { return BytesPerPixel(format) != 0 || IsDxtFormat(format); }

bool IsSignedFormat(D3DFORMAT format) {
    return format == D3DFMT_V8U8 || format == D3DFMT_Q8W8V8U8 || format == D3DFMT_V16U16;
}

size_t RowBytes(D3DFORMAT format, UINT width) {
    if (IsDxtFormat(format)) return size_t{(width + 3) / 4} * DxtBlockBytes(format);
    return size_t{width} * BytesPerPixel(format);
}

UINT RowCount(D3DFORMAT format, UINT height) { return IsDxtFormat(format) ? (height + 3) / 4 : height; }

Pixels Unpack(D3DFORMAT format, const BYTE* bits, size_t pitch, UINT width, UINT height) {
    if (IsDxtFormat(format)) return UnpackDxt(format, bits, pitch, width, height);
    UINT bytes = BytesPerPixel(format);
    if (IsSignedFormat(format)) {
        ImageF image(width, height);
        for (UINT y = 0; y < height; ++y) {
            const BYTE* row = bits + y * pitch;
            for (UINT x = 0; x < width; ++x) ReadSigned(format, row + size_t{x} * bytes, image.Pixel(x, y));
        }
        return image;
    }
    Image8 image(width, height);
    for (UINT y = 0; y < height; ++y) {
        for (UINT x = 0; x < width; ++x) ReadUnsigned(format, bits + y * pitch + size_t{x} * bytes, image.Pixel(x, y));
    }
    return image;
}

void Pack(const Pixels& pixels, D3DFORMAT format, BYTE* bits, size_t pitch) {
    std::visit([&](const auto& image) { PackImage(image, format, bits, pitch); }, pixels);
}

}  // namespace platform::d3dx9
