// Small picture files made in the tests: PNG and JPEG through libpng and
// libjpeg, BMP and DDS byte by byte.
#pragma once

#include <d3d9types.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace d3dx9_test {

using Bytes = std::vector<BYTE>;

// Little-endian fields written into a file at an offset it already has.
void Put16(Bytes& out, size_t offset, uint32_t value);
void Put32(Bytes& out, size_t offset, uint32_t value);

struct PngPicture {
    UINT width = 0;
    UINT height = 0;
    int colourType = 0;  // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    Bytes rows;  // packed as in the file, 16-bit samples big-endian
    bool interlaced = false;
    std::vector<uint32_t> palette;      // 0xRRGGBB
    Bytes paletteAlpha;                 // tRNS of a palette picture
    std::optional<uint16_t> greyKey;    // tRNS of a grey picture
    std::optional<uint32_t> colourKey;  // tRNS of an RGB picture, 0xRRGGBB
};
Bytes EncodePng(const PngPicture& picture);

struct JpegPicture {
    UINT width = 0;
    UINT height = 0;
    bool grey = false;
    bool progressive = false;
    Bytes samples;  // R, G, B or grey, rows top first
};
Bytes EncodeJpeg(const JpegPicture& picture);

struct BmpPicture {
    int32_t width = 0;
    int32_t height = 0;  // negative: rows top first in the file
    WORD bits = 24;
    bool bitFields = false;            // BI_BITFIELDS with a 56-byte header
    DWORD masks[4] = {};               // R, G, B, A for bitFields
    std::vector<uint32_t> palette;     // 0xRRGGBB
    Bytes rows;                        // as stored, each padded to 4 bytes, file order
};
Bytes EncodeBmp(const BmpPicture& picture);

struct DdsPixelFormat {
    DWORD flags;
    DWORD fourCc;
    DWORD bits;
    DWORD masks[4];  // R, G, B, A
};
Bytes EncodeDds(UINT width, UINT height, UINT mipLevels, const DdsPixelFormat& format, const Bytes& data);

// The pixel formats the tests write.
DdsPixelFormat DdsFourCc(D3DFORMAT format);
DdsPixelFormat DdsArgb8();
DdsPixelFormat DdsXrgb8();
DdsPixelFormat DdsRgb8();
DdsPixelFormat DdsR5G6B5();
DdsPixelFormat DdsA1R5G5B5();
DdsPixelFormat DdsX1R5G5B5();
DdsPixelFormat DdsA4R4G4B4();
DdsPixelFormat DdsX4R4G4B4();
DdsPixelFormat DdsL8();
DdsPixelFormat DdsL16();
DdsPixelFormat DdsA8L8();
DdsPixelFormat DdsA8();
DdsPixelFormat DdsV8U8();
DdsPixelFormat DdsQ8W8V8U8();
DdsPixelFormat DdsV16U16();

}  // namespace d3dx9_test
