// make_picture_corpus <folder>: writes the picture fuzz target's seed
// corpus, small files of every kind each decoder reads (PNG of every colour
// type and depth, JPEG baseline and progressive, BMP of every header and
// depth, DDS of every pixel format) and the edges where they refuse a file
// (cut short, too large for the budget, kinds they do not read), so that a
// short run starts from all of each decoder's paths.
#include <d3d9types.h>

#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/d3dx9/picture_files.h"

namespace {

using d3dx9_test::Bytes;
using d3dx9_test::Put16;
using d3dx9_test::Put32;

std::filesystem::path g_folder;

void Write(const std::string& name, const Bytes& bytes) {
    std::ofstream(g_folder / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                            static_cast<std::streamsize>(bytes.size()));
}

// Samples that vary from byte to byte, the same on every run.
Bytes Pattern(size_t count, unsigned seed = 11) {
    Bytes bytes(count);
    for (size_t i = 0; i < count; ++i) bytes[i] = BYTE(i * 37 + seed);
    return bytes;
}

Bytes CutShort(Bytes bytes) {
    bytes.resize(bytes.size() * 2 / 3);
    return bytes;
}

// The file with one little-endian field changed.
Bytes With32(Bytes file, size_t offset, uint32_t value) {
    Put32(file, offset, value);
    return file;
}

void Put32BigEndian(Bytes& out, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[offset + i] = BYTE(value >> (24 - 8 * i));
}

// ---- PNG ---------------------------------------------------------------

int Channels(int colourType) {
    switch (colourType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        case PNG_COLOR_TYPE_RGB: return 3;
        case PNG_COLOR_TYPE_RGBA: return 4;
        default: return 1;
    }
}

d3dx9_test::PngPicture Png(UINT width, UINT height, int colourType, int bitDepth) {
    d3dx9_test::PngPicture picture;
    picture.width = width;
    picture.height = height;
    picture.colourType = colourType;
    picture.bitDepth = bitDepth;
    const size_t stride = (size_t{width} * Channels(colourType) * bitDepth + 7) / 8;
    picture.rows = Pattern(stride * height);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i < (1 << bitDepth); ++i) picture.palette.push_back(0x102030u * static_cast<uint32_t>(i + 1));
    }
    return picture;
}

// A header that promises another size, with its checksum made right so
// that only the size tells.
Bytes WithPngSize(Bytes file, uint32_t width, uint32_t height) {
    Put32BigEndian(file, 16, width);
    Put32BigEndian(file, 20, height);
    Put32BigEndian(file, 29, static_cast<uint32_t>(crc32(0, file.data() + 12, 17)));
    return file;
}

void WritePngs() {
    struct Kind {
        const char* name;
        int colourType;
        std::initializer_list<int> depths;
    };
    const Kind kinds[] = {{"grey", PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}},
                          {"grey_alpha", PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}},
                          {"rgb", PNG_COLOR_TYPE_RGB, {8, 16}},
                          {"rgba", PNG_COLOR_TYPE_RGBA, {8, 16}},
                          {"palette", PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}}};
    for (const Kind& kind : kinds) {
        for (int depth : kind.depths)
            Write("png_" + std::string(kind.name) + std::to_string(depth) + ".png",
                  d3dx9_test::EncodePng(Png(5, 3, kind.colourType, depth)));
    }
    auto interlaced = Png(9, 7, PNG_COLOR_TYPE_RGBA, 8);
    interlaced.interlaced = true;
    Write("png_rgba8_interlaced.png", d3dx9_test::EncodePng(interlaced));
    auto palette = Png(6, 4, PNG_COLOR_TYPE_PALETTE, 2);
    palette.interlaced = true;
    palette.paletteAlpha = {0, 128, 255};
    Write("png_palette2_transparent_interlaced.png", d3dx9_test::EncodePng(palette));
    auto grey = Png(4, 4, PNG_COLOR_TYPE_GRAY, 8);
    grey.greyKey = 37;
    Write("png_grey8_key.png", d3dx9_test::EncodePng(grey));
    auto rgb = Png(4, 4, PNG_COLOR_TYPE_RGB, 8);
    rgb.colourKey = 0x2F5476;
    Write("png_rgb8_key.png", d3dx9_test::EncodePng(rgb));
    const Bytes one = d3dx9_test::EncodePng(Png(1, 1, PNG_COLOR_TYPE_RGB, 8));
    Write("png_rgb8_1x1.png", one);

    Write("edge_png_cut_short.png", CutShort(d3dx9_test::EncodePng(Png(16, 8, PNG_COLOR_TYPE_RGBA, 8))));
    Write("edge_png_more_pixels_than_data.png", WithPngSize(one, 4000, 4000));
    Write("edge_png_wider_than_allowed.png", WithPngSize(one, 20000, 1));
}

// ---- JPEG --------------------------------------------------------------

// The size in a baseline or progressive frame header.
Bytes WithJpegSize(Bytes file, uint16_t width, uint16_t height) {
    for (size_t at = 2; at + 8 < file.size(); ++at) {
        if (file[at] == 0xFF && (file[at + 1] == 0xC0 || file[at + 1] == 0xC2)) {
            file[at + 5] = BYTE(height >> 8);
            file[at + 6] = BYTE(height);
            file[at + 7] = BYTE(width >> 8);
            file[at + 8] = BYTE(width);
            break;
        }
    }
    return file;
}

void WriteJpegs() {
    struct Kind {
        const char* name;
        UINT width, height;
        bool grey, progressive;
    };
    const Kind kinds[] = {{"colour_8x8", 8, 8, false, false},
                          {"colour_17x9", 17, 9, false, false},
                          {"grey_13x5", 13, 5, true, false},
                          {"colour_progressive_16x16", 16, 16, false, true},
                          {"grey_progressive_9x9", 9, 9, true, true}};
    for (const Kind& kind : kinds) {
        const size_t samples = size_t{kind.width} * kind.height * (kind.grey ? 1 : 3);
        Write("jpeg_" + std::string(kind.name) + ".jpg",
              d3dx9_test::EncodeJpeg({kind.width, kind.height, kind.grey, kind.progressive, Pattern(samples)}));
    }
    const Bytes colour = d3dx9_test::EncodeJpeg({16, 16, false, false, Pattern(16 * 16 * 3)});
    Write("edge_jpeg_cut_short.jpg", CutShort(colour));
    Write("edge_jpeg_more_pixels_than_data.jpg", WithJpegSize(colour, 8000, 8000));
    Write("edge_jpeg_larger_than_allowed.jpg", WithJpegSize(colour, 20000, 20000));
}

// ---- BMP ---------------------------------------------------------------

size_t BmpStride(int32_t width, WORD bits) { return (size_t(width) * bits + 31) / 32 * 4; }

d3dx9_test::BmpPicture Bmp(int32_t width, int32_t height, WORD bits) {
    d3dx9_test::BmpPicture picture;
    picture.width = width;
    picture.height = height;
    picture.bits = bits;
    picture.rows = Pattern(BmpStride(width, bits) * size_t(std::abs(height)));
    if (bits <= 8) {
        for (int i = 0; i < (1 << bits); ++i) picture.palette.push_back(0x030507u * static_cast<uint32_t>(i));
    }
    return picture;
}

// A file with another info header: core (12 bytes, three-byte palette
// entries), plain with the bit-field masks after it (40), or the later
// ones that hold the masks (108, 124).
Bytes BmpWithHeader(uint32_t headerBytes, int32_t width, int32_t height, WORD bits, bool bitFields) {
    const size_t paletteEntry = headerBytes == 12 ? 3 : 4;
    const size_t paletteBytes = bits <= 8 ? (size_t{1} << bits) * paletteEntry : 0;
    const size_t masksAfter = headerBytes == 40 && bitFields ? 12 : 0;
    const size_t dataOffset = 14 + headerBytes + masksAfter + paletteBytes;
    const Bytes rows = Pattern(BmpStride(width, bits) * size_t(std::abs(height)), 5);
    Bytes out(dataOffset);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, uint32_t(dataOffset + rows.size()));
    Put32(out, 10, uint32_t(dataOffset));
    Put32(out, 14, headerBytes);
    if (headerBytes == 12) {
        Put16(out, 18, uint32_t(width));
        Put16(out, 20, uint32_t(height));
        Put16(out, 22, 1);
        Put16(out, 24, bits);
    } else {
        Put32(out, 18, uint32_t(width));
        Put32(out, 22, uint32_t(height));
        Put16(out, 26, 1);
        Put16(out, 28, bits);
        Put32(out, 30, bitFields ? 3 : 0);
        if (bitFields) {
            const uint32_t masks[4] = {bits == 16 ? 0xF800u : 0xFF0000u, bits == 16 ? 0x7E0u : 0xFF00u,
                                       bits == 16 ? 0x1Fu : 0xFFu, bits == 16 ? 0u : 0xFF000000u};
            for (int i = 0; i < (headerBytes == 40 ? 3 : 4); ++i) Put32(out, 54 + 4 * i, masks[i]);
        }
    }
    for (size_t i = 0; i < paletteBytes; ++i) out[14 + headerBytes + masksAfter + i] = BYTE(i * 3);
    out.insert(out.end(), rows.begin(), rows.end());
    return out;
}

void WriteBmps() {
    for (WORD bits : {1, 4, 8, 16, 24, 32})
        Write("bmp_" + std::to_string(bits) + "bit.bmp", d3dx9_test::EncodeBmp(Bmp(7, 3, bits)));
    auto fewColours = Bmp(5, 2, 8);
    fewColours.palette.resize(5);
    Write("bmp_8bit_five_colours.bmp", d3dx9_test::EncodeBmp(fewColours));
    Write("bmp_24bit_top_down.bmp", d3dx9_test::EncodeBmp(Bmp(6, -4, 24)));
    auto r5g6b5 = Bmp(5, 3, 16);
    r5g6b5.bitFields = true;
    r5g6b5.masks[0] = 0xF800, r5g6b5.masks[1] = 0x7E0, r5g6b5.masks[2] = 0x1F;
    Write("bmp_16bit_fields_565.bmp", d3dx9_test::EncodeBmp(r5g6b5));
    auto argb = Bmp(4, 3, 32);
    argb.bitFields = true;
    argb.masks[0] = 0xFF0000, argb.masks[1] = 0xFF00, argb.masks[2] = 0xFF, argb.masks[3] = 0xFF000000;
    Write("bmp_32bit_fields_alpha.bmp", d3dx9_test::EncodeBmp(argb));
    Write("bmp_core_8bit.bmp", BmpWithHeader(12, 5, 3, 8, false));
    Write("bmp_core_24bit.bmp", BmpWithHeader(12, 3, 2, 24, false));
    Write("bmp_info_masks_after_16bit.bmp", BmpWithHeader(40, 5, 2, 16, true));
    Write("bmp_v4_32bit_fields.bmp", BmpWithHeader(108, 3, 3, 32, true));
    Write("bmp_v5_24bit.bmp", BmpWithHeader(124, 3, -3, 24, false));

    Write("edge_bmp_cut_short.bmp", CutShort(d3dx9_test::EncodeBmp(Bmp(16, 16, 24))));
    Write("edge_bmp_two_bit.bmp", BmpWithHeader(40, 4, 2, 2, false));
    Write("edge_bmp_larger_than_allowed.bmp", BmpWithHeader(40, 20000, 1, 1, false));
    Write("edge_bmp_run_length.bmp", With32(d3dx9_test::EncodeBmp(Bmp(4, 4, 8)), 30, 1));
    Write("edge_bmp_header_too_short.bmp", BmpWithHeader(20, 4, 4, 24, false));
}

// ---- DDS ---------------------------------------------------------------

size_t DdsBytes(D3DFORMAT format, UINT bytesPerPixel, UINT width, UINT height, UINT levels) {
    size_t bytes = 0;
    for (UINT level = 0; level < levels; ++level) {
        const UINT w = std::max(width >> level, 1u), h = std::max(height >> level, 1u);
        if (format == D3DFMT_DXT1 || format == D3DFMT_DXT3 || format == D3DFMT_DXT5)
            bytes += size_t{(w + 3) / 4} * ((h + 3) / 4) * (format == D3DFMT_DXT1 ? 8 : 16);
        else
            bytes += size_t{w} * h * bytesPerPixel;
    }
    return bytes;
}

void WriteDds(const std::string& name, const d3dx9_test::DdsPixelFormat& pixels, D3DFORMAT format,
              UINT bytesPerPixel, UINT width, UINT height, UINT levels = 1) {
    Write(name, d3dx9_test::EncodeDds(width, height, levels, pixels,
                                      Pattern(DdsBytes(format, bytesPerPixel, width, height, levels))));
}

void WriteDdss() {
    using namespace d3dx9_test;
    WriteDds("dds_dxt1.dds", DdsFourCc(D3DFMT_DXT1), D3DFMT_DXT1, 0, 8, 4);
    WriteDds("dds_dxt1_5x3.dds", DdsFourCc(D3DFMT_DXT1), D3DFMT_DXT1, 0, 5, 3);
    WriteDds("dds_dxt3.dds", DdsFourCc(D3DFMT_DXT3), D3DFMT_DXT3, 0, 4, 4);
    WriteDds("dds_dxt5_mipmaps.dds", DdsFourCc(D3DFMT_DXT5), D3DFMT_DXT5, 0, 8, 8, 4);
    WriteDds("dds_argb8_mipmaps.dds", DdsArgb8(), D3DFMT_A8R8G8B8, 4, 3, 2, 2);
    WriteDds("dds_xrgb8.dds", DdsXrgb8(), D3DFMT_X8R8G8B8, 4, 2, 2);
    WriteDds("dds_rgb8.dds", DdsRgb8(), D3DFMT_R8G8B8, 3, 3, 3);
    WriteDds("dds_r5g6b5.dds", DdsR5G6B5(), D3DFMT_R5G6B5, 2, 3, 2);
    WriteDds("dds_a1r5g5b5.dds", DdsA1R5G5B5(), D3DFMT_A1R5G5B5, 2, 3, 2);
    WriteDds("dds_x1r5g5b5.dds", DdsX1R5G5B5(), D3DFMT_X1R5G5B5, 2, 3, 2);
    WriteDds("dds_a4r4g4b4.dds", DdsA4R4G4B4(), D3DFMT_A4R4G4B4, 2, 3, 2);
    WriteDds("dds_x4r4g4b4.dds", DdsX4R4G4B4(), D3DFMT_X4R4G4B4, 2, 3, 2);
    WriteDds("dds_l8.dds", DdsL8(), D3DFMT_L8, 1, 4, 3);
    WriteDds("dds_a8l8.dds", DdsA8L8(), D3DFMT_A8L8, 2, 4, 3);
    WriteDds("dds_l16.dds", DdsL16(), D3DFMT_L16, 2, 4, 3);
    WriteDds("dds_a8.dds", DdsA8(), D3DFMT_A8, 1, 4, 3);
    WriteDds("dds_v8u8.dds", DdsV8U8(), D3DFMT_V8U8, 2, 3, 3);
    WriteDds("dds_q8w8v8u8.dds", DdsQ8W8V8U8(), D3DFMT_Q8W8V8U8, 4, 3, 3);
    WriteDds("dds_v16u16.dds", DdsV16U16(), D3DFMT_V16U16, 4, 3, 3);
    // Some writers put a format's number where the four-character code goes.
    WriteDds("dds_number_a16b16g16r16.dds", DdsFourCc(D3DFMT_A16B16G16R16), D3DFMT_A16B16G16R16, 8, 2, 2);
    WriteDds("dds_number_a8r8g8b8.dds", DdsFourCc(D3DFMT_A8R8G8B8), D3DFMT_A8R8G8B8, 4, 2, 2);

    const Bytes argb = EncodeDds(4, 4, 3, DdsArgb8(), Pattern(DdsBytes(D3DFMT_A8R8G8B8, 4, 4, 4, 3)));
    Write("edge_dds_cut_short.dds", CutShort(argb));
    Write("edge_dds_cube_map.dds", With32(argb, 112, 0x200));
    Write("edge_dds_volume.dds", With32(argb, 8, 0x801007));
    Write("edge_dds_more_levels_than_the_chain.dds", With32(argb, 28, 9));
    Write("edge_dds_larger_than_allowed.dds", With32(argb, 16, 20000));
    WriteDds("edge_dds_unknown_masks.dds", {0x40, 0, 16, {0xF0, 0xF00, 0xF000, 0}}, D3DFMT_R5G6B5, 2, 2, 2);
    WriteDds("edge_dds_unknown_code.dds", DdsFourCc(static_cast<D3DFORMAT>(MAKEFOURCC('A', 'T', 'I', '2'))),
             D3DFMT_A8, 1, 4, 4);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_picture_corpus <folder>\n");
        return 2;
    }
    g_folder = argv[1];
    std::filesystem::remove_all(g_folder);
    std::filesystem::create_directories(g_folder);
    WritePngs();
    WriteJpegs();
    WriteBmps();
    WriteDdss();
    return 0;
}
