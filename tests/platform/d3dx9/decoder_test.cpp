// Every picture kind the loaders read: the reported size and format, and
// the decoded pixels.
#include "d3dx9/picture_decoder.h"
#include "platform/d3dx9/image_checks.h"
#include "platform/d3dx9/picture_files.h"

#include <d3dx9.h>
#include <gtest/gtest.h>
#include <png.h>

#include <functional>

namespace {

using namespace d3dx9_test;
using platform::d3dx9::DecodeDepth;
using platform::d3dx9::DecodePicture;
using platform::d3dx9::Picture;

struct Sample {
    UINT x, y;
    Rgba expected;
};

struct PictureCase {
    const char* name;
    std::function<Bytes()> file;
    UINT width, height;
    D3DFORMAT format;
    D3DXIMAGE_FILEFORMAT fileFormat;
    std::vector<Sample> samples;
    float tolerance = 0;
    UINT levels = 1;
};

std::ostream& operator<<(std::ostream& out, const PictureCase& c) { return out << c.name; }

PngPicture Png(UINT w, UINT h, int type, int depth, Bytes rows) {
    PngPicture p;
    p.width = w;
    p.height = h;
    p.colourType = type;
    p.bitDepth = depth;
    p.rows = std::move(rows);
    return p;
}

// 16 x 16 in four flat 8 x 8 quadrants: red, green / blue, white.
JpegPicture Quadrants(bool progressive) {
    JpegPicture p{16, 16, false, progressive, Bytes(16 * 16 * 3)};
    for (UINT y = 0; y < 16; ++y) {
        for (UINT x = 0; x < 16; ++x) {
            BYTE* s = &p.samples[(y * 16 + x) * 3];
            int quadrant = (y / 8) * 2 + x / 8;
            s[0] = quadrant == 0 || quadrant == 3 ? 255 : 0;
            s[1] = quadrant == 1 || quadrant == 3 ? 255 : 0;
            s[2] = quadrant >= 2 ? 255 : 0;
        }
    }
    return p;
}

std::vector<Sample> QuadrantSamples() {
    return {{3, 3, {255, 0, 0, 255}}, {12, 3, {0, 255, 0, 255}}, {3, 12, {0, 0, 255, 255}},
            {12, 12, {255, 255, 255, 255}}};
}

BmpPicture Bmp(int32_t w, int32_t h, WORD bits, Bytes rows) {
    BmpPicture p;
    p.width = w;
    p.height = h;
    p.bits = bits;
    p.rows = std::move(rows);
    return p;
}

// One DXT block of 4 x 4 pixels on its own.
Bytes DxtColourBlock(WORD c0, WORD c1, DWORD indices) {
    return {BYTE(c0), BYTE(c0 >> 8), BYTE(c1), BYTE(c1 >> 8),
            BYTE(indices), BYTE(indices >> 8), BYTE(indices >> 16), BYTE(indices >> 24)};
}

Bytes Concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const PictureCase kPictures[] = {
    // PNG
    {"png_rgb",
     [] {
         return EncodePng(
             Png(3, 2, PNG_COLOR_TYPE_RGB, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90}));
     },
     3, 2, D3DFMT_R8G8B8, D3DXIFF_PNG, {{0, 0, {255, 0, 0, 255}}, {2, 0, {0, 0, 255, 255}}, {2, 1, {70, 80, 90, 255}}}},
    {"png_rgba", [] { return EncodePng(Png(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {1, 2, 3, 128, 4, 5, 6, 0})); },
     2, 1, D3DFMT_A8R8G8B8, D3DXIFF_PNG, {{0, 0, {1, 2, 3, 128}}, {1, 0, {4, 5, 6, 0}}}},
    {"png_palette", [] {
         auto p = Png(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {1, 0});
         p.palette = {0x102030, 0xA0B0C0};
         return EncodePng(p);
     },
     2, 1, D3DFMT_P8, D3DXIFF_PNG, {{0, 0, {0xA0, 0xB0, 0xC0, 255}}, {1, 0, {0x10, 0x20, 0x30, 255}}}},
    {"png_palette_trns", [] {
         auto p = Png(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {1, 0});
         p.palette = {0x102030, 0xA0B0C0};
         p.paletteAlpha = {255, 64};
         return EncodePng(p);
     },
     2, 1, D3DFMT_P8, D3DXIFF_PNG, {{0, 0, {0xA0, 0xB0, 0xC0, 64}}, {1, 0, {0x10, 0x20, 0x30, 255}}}},
    {"png_palette_4bit", [] {
         auto p = Png(3, 1, PNG_COLOR_TYPE_PALETTE, 4, {0x21, 0x00});
         p.palette = {0x000000, 0x808080, 0xFF0000};
         return EncodePng(p);
     },
     3, 1, D3DFMT_P8, D3DXIFF_PNG, {{0, 0, {255, 0, 0, 255}}, {1, 0, {128, 128, 128, 255}}, {2, 0, {0, 0, 0, 255}}}},
    {"png_grey", [] { return EncodePng(Png(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x40, 0xC0})); },
     2, 1, D3DFMT_L8, D3DXIFF_PNG, {{0, 0, {0x40, 0x40, 0x40, 255}}, {1, 0, {0xC0, 0xC0, 0xC0, 255}}}},
    {"png_grey_2bit", [] { return EncodePng(Png(4, 1, PNG_COLOR_TYPE_GRAY, 2, {0x1B})); },
     4, 1, D3DFMT_L8, D3DXIFF_PNG, {{0, 0, {0, 0, 0, 255}}, {1, 0, {85, 85, 85, 255}}, {3, 0, {255, 255, 255, 255}}}},
    {"png_grey_alpha", [] { return EncodePng(Png(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {0x80, 0x40, 0xFF, 0x00})); },
     2, 1, D3DFMT_A8L8, D3DXIFF_PNG, {{0, 0, {0x80, 0x80, 0x80, 0x40}}, {1, 0, {255, 255, 255, 0}}}},
    {"png_grey_trns", [] {
         auto p = Png(2, 1, PNG_COLOR_TYPE_GRAY, 8, {0x10, 0x20});
         p.greyKey = 0x20;
         return EncodePng(p);
     },
     2, 1, D3DFMT_A8L8, D3DXIFF_PNG, {{0, 0, {0x10, 0x10, 0x10, 255}}, {1, 0, {0x20, 0x20, 0x20, 0}}}},
    {"png_rgb_trns", [] {
         auto p = Png(2, 1, PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 4, 5, 6});
         p.colourKey = 0x040506;
         return EncodePng(p);
     },
     2, 1, D3DFMT_A8R8G8B8, D3DXIFF_PNG, {{0, 0, {1, 2, 3, 255}}, {1, 0, {4, 5, 6, 0}}}},
    {"png_rgb_16bit", [] { return EncodePng(Png(1, 1, PNG_COLOR_TYPE_RGB, 16, {0x12, 0x34, 0xAB, 0xCD, 0xFF, 0xFF})); },
     1, 1, D3DFMT_A16B16G16R16, D3DXIFF_PNG, {{0, 0, {18, 171, 255, 255}}}},
    {"png_rgba_16bit",
     [] { return EncodePng(Png(1, 1, PNG_COLOR_TYPE_RGB_ALPHA, 16, {0, 0, 0xFF, 0xFF, 0, 0, 0x80, 0x80})); },
     1, 1, D3DFMT_A16B16G16R16, D3DXIFF_PNG, {{0, 0, {0, 255, 0, 128}}}},
    {"png_grey_16bit", [] { return EncodePng(Png(1, 1, PNG_COLOR_TYPE_GRAY, 16, {0x80, 0x80})); },
     1, 1, D3DFMT_L16, D3DXIFF_PNG, {{0, 0, {128, 128, 128, 255}}}},
    {"png_interlaced", [] {
         Bytes rows;
         for (int i = 0; i < 9; ++i) rows.insert(rows.end(), {BYTE(i * 20), BYTE(i), BYTE(255 - i), BYTE(100 + i)});
         auto p = Png(3, 3, PNG_COLOR_TYPE_RGB_ALPHA, 8, rows);
         p.interlaced = true;
         return EncodePng(p);
     },
     3, 3, D3DFMT_A8R8G8B8, D3DXIFF_PNG,
     {{0, 0, {0, 0, 255, 100}}, {2, 2, {160, 8, 247, 108}}, {1, 2, {140, 7, 248, 107}}}},
    // JPEG
    {"jpeg_baseline", [] { return EncodeJpeg(Quadrants(false)); }, 16, 16, D3DFMT_X8R8G8B8, D3DXIFF_JPG,
     QuadrantSamples(), 12},
    {"jpeg_progressive", [] { return EncodeJpeg(Quadrants(true)); }, 16, 16, D3DFMT_X8R8G8B8, D3DXIFF_JPG,
     QuadrantSamples(), 12},
    {"jpeg_grey", [] {
         JpegPicture p{13, 7, true, false, Bytes(13 * 7)};
         for (UINT i = 0; i < p.samples.size(); ++i) p.samples[i] = i % 13 < 6 ? 0x30 : 0xD0;
         return EncodeJpeg(p);
     },
     13, 7, D3DFMT_L8, D3DXIFF_JPG, {{1, 3, {0x30, 0x30, 0x30, 255}}, {11, 3, {0xD0, 0xD0, 0xD0, 255}}}, 6},
    // BMP
    {"bmp_24_bottom_up", [] { return EncodeBmp(Bmp(2, 2, 24, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0})); },
     2, 2, D3DFMT_R8G8B8, D3DXIFF_BMP, {{0, 0, {9, 8, 7, 255}}, {1, 0, {12, 11, 10, 255}}, {0, 1, {3, 2, 1, 255}}}},
    {"bmp_24_top_down", [] { return EncodeBmp(Bmp(2, -2, 24, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0})); },
     2, 2, D3DFMT_R8G8B8, D3DXIFF_BMP, {{0, 0, {3, 2, 1, 255}}, {1, 1, {12, 11, 10, 255}}}},
    {"bmp_32_rgb", [] { return EncodeBmp(Bmp(2, 1, 32, {1, 2, 3, 0, 4, 5, 6, 7})); },
     2, 1, D3DFMT_X8R8G8B8, D3DXIFF_BMP, {{0, 0, {3, 2, 1, 255}}, {1, 0, {6, 5, 4, 255}}}},
    {"bmp_32_bitfields_alpha", [] {
         auto p = Bmp(2, 1, 32, {1, 2, 3, 0, 4, 5, 6, 200});
         p.bitFields = true;
         p.masks[0] = 0xFF0000, p.masks[1] = 0xFF00, p.masks[2] = 0xFF, p.masks[3] = 0xFF000000;
         return EncodeBmp(p);
     },
     2, 1, D3DFMT_A8R8G8B8, D3DXIFF_BMP, {{0, 0, {3, 2, 1, 0}}, {1, 0, {6, 5, 4, 200}}}},
    {"bmp_32_bitfields_bgr", [] {
         auto p = Bmp(1, 1, 32, {0x10, 0x20, 0x30, 0x40});
         p.bitFields = true;
         p.masks[0] = 0xFF, p.masks[1] = 0xFF00, p.masks[2] = 0xFF0000;
         return EncodeBmp(p);
     },
     1, 1, D3DFMT_X8R8G8B8, D3DXIFF_BMP, {{0, 0, {0x10, 0x20, 0x30, 255}}}},
    {"bmp_16_565", [] {
         auto p = Bmp(2, 1, 16, {0x00, 0xF8, 0x1F, 0x00});
         p.bitFields = true;
         p.masks[0] = 0xF800, p.masks[1] = 0x07E0, p.masks[2] = 0x001F;
         return EncodeBmp(p);
     },
     2, 1, D3DFMT_R5G6B5, D3DXIFF_BMP, {{0, 0, {255, 0, 0, 255}}, {1, 0, {0, 0, 255, 255}}}},
    {"bmp_8_palette", [] {
         auto p = Bmp(3, 2, 8, {2, 1, 0, 0, 0, 1, 2, 0});
         p.palette = {0x000000, 0x808080, 0xFF8000};
         return EncodeBmp(p);
     },
     3, 2, D3DFMT_P8, D3DXIFF_BMP, {{0, 0, {0, 0, 0, 255}}, {2, 0, {255, 128, 0, 255}}, {0, 1, {255, 128, 0, 255}}}},
    {"bmp_4_palette", [] {
         auto p = Bmp(3, 1, 4, {0x21, 0x00, 0, 0});
         p.palette = {0x000000, 0x808080, 0x00FF00};
         return EncodeBmp(p);
     },
     3, 1, D3DFMT_P8, D3DXIFF_BMP, {{0, 0, {0, 255, 0, 255}}, {1, 0, {128, 128, 128, 255}}, {2, 0, {0, 0, 0, 255}}}},
    // DDS, uncompressed
    {"dds_a8r8g8b8", [] { return EncodeDds(2, 1, 1, DdsArgb8(), {1, 2, 3, 4, 5, 6, 7, 8}); },
     2, 1, D3DFMT_A8R8G8B8, D3DXIFF_DDS, {{0, 0, {3, 2, 1, 4}}, {1, 0, {7, 6, 5, 8}}}},
    {"dds_x8r8g8b8", [] { return EncodeDds(1, 1, 1, DdsXrgb8(), {1, 2, 3, 0}); },
     1, 1, D3DFMT_X8R8G8B8, D3DXIFF_DDS, {{0, 0, {3, 2, 1, 255}}}},
    {"dds_fourcc_number", [] { return EncodeDds(1, 1, 1, DdsFourCc(D3DFMT_A8R8G8B8), {1, 2, 3, 4}); },
     1, 1, D3DFMT_A8R8G8B8, D3DXIFF_DDS, {{0, 0, {3, 2, 1, 4}}}},
    {"dds_r5g6b5", [] { return EncodeDds(2, 1, 1, DdsR5G6B5(), {0x00, 0xF8, 0xE0, 0x07}); },
     2, 1, D3DFMT_R5G6B5, D3DXIFF_DDS, {{0, 0, {255, 0, 0, 255}}, {1, 0, {0, 255, 0, 255}}}},
    {"dds_a1r5g5b5", [] { return EncodeDds(2, 1, 1, DdsA1R5G5B5(), {0x00, 0x7C, 0x1F, 0x80}); },
     2, 1, D3DFMT_A1R5G5B5, D3DXIFF_DDS, {{0, 0, {255, 0, 0, 0}}, {1, 0, {0, 0, 255, 255}}}},
    {"dds_a4r4g4b4", [] { return EncodeDds(1, 1, 1, DdsA4R4G4B4(), {0x5F, 0x8A}); },
     1, 1, D3DFMT_A4R4G4B4, D3DXIFF_DDS, {{0, 0, {0xAA, 0x55, 0xFF, 0x88}}}},
    {"dds_l8", [] { return EncodeDds(1, 1, 1, DdsL8(), {0x80}); },
     1, 1, D3DFMT_L8, D3DXIFF_DDS, {{0, 0, {128, 128, 128, 255}}}},
    {"dds_a8l8", [] { return EncodeDds(1, 1, 1, DdsA8L8(), {0x80, 0x40}); },
     1, 1, D3DFMT_A8L8, D3DXIFF_DDS, {{0, 0, {128, 128, 128, 64}}}},
    {"dds_a8", [] { return EncodeDds(1, 1, 1, DdsA8(), {0x7F}); },
     1, 1, D3DFMT_A8, D3DXIFF_DDS, {{0, 0, {0, 0, 0, 127}}}},
    // DDS, signed bump data: U in red, V in green
    {"dds_v8u8", [] { return EncodeDds(2, 1, 1, DdsV8U8(), {0x7F, 0x81, 0x00, 0x40}); },
     2, 1, D3DFMT_V8U8, D3DXIFF_DDS, {{0, 0, {1, -1, 1, 1}}, {1, 0, {0, 64 / 127.f, 1, 1}}}, 1e-6f},
    {"dds_q8w8v8u8", [] { return EncodeDds(1, 1, 1, DdsQ8W8V8U8(), {0x7F, 0x81, 0x00, 0xC1}); },
     1, 1, D3DFMT_Q8W8V8U8, D3DXIFF_DDS, {{0, 0, {1, -1, 0, -63 / 127.f}}}, 1e-6f},
    {"dds_v16u16", [] { return EncodeDds(1, 1, 1, DdsV16U16(), {0xFF, 0x7F, 0x01, 0x80}); },
     1, 1, D3DFMT_V16U16, D3DXIFF_DDS, {{0, 0, {1, -1, 1, 1}}}, 1e-6f},
    // DDS, compressed: red and blue end points, indices 0, 1, 2, 3 along the first row
    {"dds_dxt1", [] { return EncodeDds(4, 4, 1, DdsFourCc(D3DFMT_DXT1), DxtColourBlock(0xF800, 0x001F, 0xE4)); },
     4, 4, D3DFMT_DXT1, D3DXIFF_DDS,
     {{0, 0, {255, 0, 0, 255}}, {1, 0, {0, 0, 255, 255}}, {2, 0, {170, 0, 85, 255}}, {3, 0, {85, 0, 170, 255}},
      {3, 3, {255, 0, 0, 255}}}},
    {"dds_dxt1_transparent",
     [] { return EncodeDds(4, 4, 1, DdsFourCc(D3DFMT_DXT1), DxtColourBlock(0x001F, 0xF800, 0xE4)); },
     4, 4, D3DFMT_DXT1, D3DXIFF_DDS,
     {{0, 0, {0, 0, 255, 255}}, {2, 0, {128, 0, 128, 255}}, {3, 0, {0, 0, 0, 0}}}},
    {"dds_dxt3", [] {
         Bytes alpha = {0x08, 0, 0, 0, 0, 0, 0, 0xF0};
         return EncodeDds(4, 4, 1, DdsFourCc(D3DFMT_DXT3), Concat(alpha, DxtColourBlock(0xF800, 0x001F, 0)));
     },
     4, 4, D3DFMT_DXT3, D3DXIFF_DDS, {{0, 0, {255, 0, 0, 0x88}}, {1, 0, {255, 0, 0, 0}}, {3, 3, {255, 0, 0, 255}}}},
    {"dds_dxt5", [] {
         // Alpha end points 255 and 0; indices 0, 1, 2 for the first three pixels.
         Bytes alpha = {255, 0, 0x88, 0, 0, 0, 0, 0};
         return EncodeDds(4, 4, 1, DdsFourCc(D3DFMT_DXT5), Concat(alpha, DxtColourBlock(0x07E0, 0x07E0, 0)));
     },
     4, 4, D3DFMT_DXT5, D3DXIFF_DDS, {{0, 0, {0, 255, 0, 255}}, {1, 0, {0, 255, 0, 0}}, {2, 0, {0, 255, 0, 219}}}},
    {"dds_mip_chain", [] {
         Bytes data(4 * 4 * 4 + 2 * 2 * 4 + 4, 0);
         data[data.size() - 4] = 9;  // level 2's only pixel: blue 9
         data[data.size() - 1] = 255;
         return EncodeDds(4, 4, 3, DdsArgb8(), data);
     },
     4, 4, D3DFMT_A8R8G8B8, D3DXIFF_DDS, {{0, 0, {0, 0, 0, 0}}}, 0, 3},
};

class PictureDecoding : public testing::TestWithParam<PictureCase> {};

TEST_P(PictureDecoding, ReportsTheFilesOwnSizeAndFormatAndDecodesItsPixels) {
    const PictureCase& c = GetParam();
    Bytes file = c.file();
    D3DXIMAGE_INFO info{};
    ASSERT_EQ(D3DXGetImageInfoFromFileInMemory(file.data(), UINT(file.size()), &info), D3D_OK);
    EXPECT_EQ(info.Width, c.width);
    EXPECT_EQ(info.Height, c.height);
    EXPECT_EQ(info.Depth, 1u);
    EXPECT_EQ(info.MipLevels, c.levels);
    EXPECT_EQ(info.Format, c.format);
    EXPECT_EQ(info.ResourceType, D3DRTYPE_TEXTURE);
    EXPECT_EQ(info.ImageFileFormat, c.fileFormat);

    Picture picture;
    ASSERT_EQ(DecodePicture(file, DecodeDepth::Pixels, picture), S_OK);
    EXPECT_EQ(picture.info.Format, c.format);
    ASSERT_EQ(picture.levels.size(), c.levels);
    for (UINT level = 0; level < c.levels; ++level) {
        EXPECT_EQ(WidthOf(picture.levels[level]), std::max(c.width >> level, 1u));
        EXPECT_EQ(HeightOf(picture.levels[level]), std::max(c.height >> level, 1u));
    }
    for (const Sample& s : c.samples) {
        Rgba actual = PixelAt(picture.levels[0], s.x, s.y);
        EXPECT_TRUE(Near(actual, s.expected, c.tolerance)) << "at " << s.x << "," << s.y << ": " << actual
                                                           << " instead of " << s.expected;
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, PictureDecoding, testing::ValuesIn(kPictures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PictureDecoding, DdsLevelsComeFromTheFile) {
    Bytes data(4 * 4 * 4 + 2 * 2 * 4 + 4, 0);
    data[4 * 4 * 4] = 7;          // level 1, first pixel: blue 7
    data[data.size() - 2] = 200;  // level 2: red 200
    Bytes file = EncodeDds(4, 4, 3, DdsArgb8(), data);
    Picture picture;
    ASSERT_EQ(DecodePicture(file, DecodeDepth::Pixels, picture), S_OK);
    ASSERT_EQ(picture.levels.size(), 3u);
    EXPECT_TRUE(Near(PixelAt(picture.levels[1], 0, 0), {0, 0, 7, 0}, 0));
    EXPECT_TRUE(Near(PixelAt(picture.levels[2], 0, 0), {200, 0, 0, 0}, 0));
    ASSERT_EQ(picture.storedLevels.size(), 3u);
    EXPECT_EQ(picture.storedLevels[2].size(), 4u);
    EXPECT_EQ(picture.storedLevels[2][2], 200);
}

TEST(PictureDecoding, InfoWithoutAnOutputOnlyChecksThePicture) {
    Bytes file = EncodePng(Png(1, 1, PNG_COLOR_TYPE_GRAY, 8, {0}));
    EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(file.data(), UINT(file.size()), nullptr), D3D_OK);
    EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(nullptr, 10, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(file.data(), 0, nullptr), D3DERR_INVALIDCALL);
}

TEST(PictureDecoding, UnsupportedDdsKindsFailCleanly) {
    // A DDS cube map, and a DDS of a format the layer does not know.
    Bytes cube = EncodeDds(1, 1, 1, DdsArgb8(), Bytes(6 * 4));
    cube[112] = 0x00;
    cube[113] = 0x02;  // DDSCAPS2_CUBEMAP
    Bytes yuv = EncodeDds(2, 1, 1, DdsFourCc(D3DFMT_YUY2), Bytes(4));
    for (const Bytes& file : {cube, yuv}) {
        D3DXIMAGE_INFO info{};
        EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(file.data(), UINT(file.size()), &info), D3DXERR_INVALIDDATA);
    }
}

}  // namespace
