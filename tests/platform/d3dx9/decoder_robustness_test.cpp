// Whatever the bytes, the decoders answer D3DXERR_INVALIDDATA or a whole
// picture: truncated files, random bytes, and seeded mutations of good
// files under the sanitizers.
#include "d3dx9/picture_decoder.h"
#include "platform/d3dx9/picture_files.h"

#include <d3dx9.h>
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <random>

namespace {

using namespace d3dx9_test;
using platform::d3dx9::DecodeDepth;
using platform::d3dx9::DecodePicture;
using platform::d3dx9::Picture;

JpegPicture Gradient(UINT w, UINT h, bool grey, bool progressive) {
    JpegPicture p{w, h, grey, progressive, Bytes(size_t{w} * h * (grey ? 1 : 3))};
    for (size_t i = 0; i < p.samples.size(); ++i) p.samples[i] = BYTE(i * 7 + i / 13);
    return p;
}

PngPicture RgbaPng(bool interlaced) {
    PngPicture p;
    p.width = 9;
    p.height = 7;
    p.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    p.interlaced = interlaced;
    p.rows.resize(9 * 7 * 4);
    for (size_t i = 0; i < p.rows.size(); ++i) p.rows[i] = BYTE(i * 31 + i / 5);
    return p;
}

PngPicture PalettePng() {
    PngPicture p;
    p.width = 6;
    p.height = 5;
    p.colourType = PNG_COLOR_TYPE_PALETTE;
    p.bitDepth = 4;
    p.palette = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
    p.paletteAlpha = {0, 128};
    p.rows.resize(3 * 5);
    for (size_t i = 0; i < p.rows.size(); ++i) p.rows[i] = BYTE((i % 4) * 0x11);
    return p;
}

BmpPicture PaletteBmp() {
    BmpPicture p;
    p.width = 5;
    p.height = -3;
    p.bits = 8;
    p.palette = {0x102030, 0x405060, 0x708090};
    p.rows = Bytes(8 * 3, 2);
    return p;
}

BmpPicture TrueColourBmp() {
    BmpPicture p;
    p.width = 3;
    p.height = 3;
    p.bits = 24;
    p.rows = Bytes(12 * 3, 0x5A);
    return p;
}

struct NamedFile {
    const char* name;
    Bytes bytes;
};

std::vector<NamedFile> GoodFiles() {
    Bytes dxt5(16 * 4);
    for (size_t i = 0; i < dxt5.size(); ++i) dxt5[i] = BYTE(i * 13);
    return {
        {"png", EncodePng(RgbaPng(false))},
        {"png_interlaced", EncodePng(RgbaPng(true))},
        {"png_palette", EncodePng(PalettePng())},
        {"jpeg", EncodeJpeg(Gradient(19, 11, false, false))},
        {"jpeg_progressive", EncodeJpeg(Gradient(19, 11, false, true))},
        {"jpeg_grey", EncodeJpeg(Gradient(9, 9, true, false))},
        {"bmp_palette", EncodeBmp(PaletteBmp())},
        {"bmp_24", EncodeBmp(TrueColourBmp())},
        {"dds_dxt5", EncodeDds(8, 8, 1, DdsFourCc(D3DFMT_DXT5), dxt5)},
        {"dds_argb_mips", EncodeDds(4, 2, 3, DdsArgb8(), Bytes(4 * 2 * 4 + 2 * 1 * 4 + 4, 0x33))},
        {"dds_v8u8", EncodeDds(3, 3, 1, DdsV8U8(), Bytes(3 * 3 * 2, 0x90))},
    };
}

HRESULT Decode(const Bytes& bytes, Picture& picture) {
    return DecodePicture(bytes, DecodeDepth::Pixels, picture);
}

TEST(DecoderRobustness, EveryTruncationOfAGoodFileIsInvalidData) {
    for (const NamedFile& file : GoodFiles()) {
        Picture picture;
        ASSERT_EQ(Decode(file.bytes, picture), S_OK) << file.name;
        for (size_t size = 0; size < file.bytes.size(); ++size) {
            Bytes cut(file.bytes.begin(), file.bytes.begin() + size);
            ASSERT_EQ(Decode(cut, picture), D3DXERR_INVALIDDATA) << file.name << " cut to " << size;
            EXPECT_TRUE(picture.levels.empty());
        }
    }
}

TEST(DecoderRobustness, RandomBytesAreInvalidDataBehindEveryMagic) {
    const Bytes magics[] = {{}, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, {0xFF, 0xD8, 0xFF}, {'B', 'M'},
                            {'D', 'D', 'S', ' '}};
    std::mt19937 random(1234);
    for (const Bytes& magic : magics) {
        for (int round = 0; round < 200; ++round) {
            Bytes bytes = magic;
            size_t extra = random() % 400;
            for (size_t i = 0; i < extra; ++i) bytes.push_back(BYTE(random()));
            Picture picture;
            EXPECT_EQ(Decode(bytes, picture), D3DXERR_INVALIDDATA) << "magic of " << magic.size() << " bytes";
            D3DXIMAGE_INFO info;
            if (!bytes.empty()) {
                EXPECT_EQ(D3DXGetImageInfoFromFileInMemory(bytes.data(), UINT(bytes.size()), &info),
                          D3DXERR_INVALIDDATA);
            }
        }
    }
}

// After a mutation, PNG chunks get their CRCs back, so that the changed
// bytes reach the inflater and the filters instead of the CRC check.
void RepairPngCrcs(Bytes& bytes) {
    size_t offset = 8;
    while (offset + 12 <= bytes.size()) {
        size_t length = size_t{bytes[offset]} << 24 | size_t{bytes[offset + 1]} << 16 |
                        size_t{bytes[offset + 2]} << 8 | bytes[offset + 3];
        if (length > bytes.size() - offset - 12) return;
        uLong crc = crc32(0, bytes.data() + offset + 4, uInt(length + 4));
        for (int i = 0; i < 4; ++i) bytes[offset + 8 + length + i] = BYTE(crc >> (24 - 8 * i));
        offset += length + 12;
    }
}

Bytes Mutate(const Bytes& good, std::mt19937& random) {
    Bytes bytes = good;
    static constexpr BYTE kInteresting[] = {0x00, 0xFF, 0x7F, 0x80, 0x01, 0xFE};
    int edits = 1 + int(random() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        size_t at = random() % bytes.size();
        switch (random() % 5) {
            case 0:
                bytes[at] ^= BYTE(1u << (random() % 8));
                break;
            case 1:
                bytes[at] = kInteresting[random() % std::size(kInteresting)];
                break;
            case 2:
                bytes[at] = BYTE(random());
                break;
            case 3: {
                size_t end = std::min(bytes.size(), at + 1 + random() % 8);
                bytes.erase(bytes.begin() + ptrdiff_t(at), bytes.begin() + ptrdiff_t(end));
                break;
            }
            default:
                bytes.insert(bytes.begin() + ptrdiff_t(at), 1 + random() % 8, BYTE(random()));
                break;
        }
    }
    return bytes;
}

TEST(DecoderRobustness, SeededMutationsDecodeWholeOrFailCleanly) {
    std::mt19937 random(20261210);
    int decoded = 0, refused = 0;
    for (const NamedFile& file : GoodFiles()) {
        for (int round = 0; round < 1000; ++round) {
            Bytes bytes = Mutate(file.bytes, random);
            if (std::string(file.name).starts_with("png") && round % 2 == 0) RepairPngCrcs(bytes);
            Picture picture;
            HRESULT result = Decode(bytes, picture);
            ASSERT_TRUE(result == S_OK || result == D3DXERR_INVALIDDATA) << file.name << " round " << round;
            if (result == D3DXERR_INVALIDDATA) {
                ++refused;
                continue;
            }
            ++decoded;
            ASSERT_EQ(picture.levels.size(), picture.info.MipLevels);
            EXPECT_EQ(WidthOf(picture.levels[0]), picture.info.Width);
            EXPECT_EQ(HeightOf(picture.levels[0]), picture.info.Height);
        }
    }
    // Both outcomes happen, or the mutations test nothing.
    EXPECT_GT(decoded, 0);
    EXPECT_GT(refused, 0);
}

}  // namespace
