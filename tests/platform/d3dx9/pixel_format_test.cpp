// The exact Direct3D memory layouts D3DX writes and reads.
#include "d3dx9/dxt.h"
#include "d3dx9/pixel_format.h"
#include "platform/d3dx9/image_checks.h"

#include <gtest/gtest.h>

namespace {

using namespace d3dx9_test;
using platform::d3dx9::Image8;
using platform::d3dx9::ImageF;
using platform::d3dx9::Pack;
using platform::d3dx9::Pixels;
using platform::d3dx9::RowBytes;
using platform::d3dx9::RowCount;
using platform::d3dx9::Unpack;

using Bytes = std::vector<BYTE>;

Image8 OnePixel(BYTE r, BYTE g, BYTE b, BYTE a) {
    Image8 image(1, 1);
    BYTE* p = image.Pixel(0, 0);
    p[0] = b, p[1] = g, p[2] = r, p[3] = a;
    return image;
}

struct LayoutCase {
    const char* name;
    D3DFORMAT format;
    Bytes stored;  // red 255, green 128, blue 0, alpha 64
};

std::ostream& operator<<(std::ostream& out, const LayoutCase& c) { return out << c.name; }

const LayoutCase kLayouts[] = {
    {"a8r8g8b8", D3DFMT_A8R8G8B8, {0x00, 0x80, 0xFF, 0x40}},
    {"x8r8g8b8", D3DFMT_X8R8G8B8, {0x00, 0x80, 0xFF, 0xFF}},
    {"r5g6b5", D3DFMT_R5G6B5, {0x00, 0xFC}},
    {"x1r5g5b5", D3DFMT_X1R5G5B5, {0x00, 0xFE}},
    {"a1r5g5b5", D3DFMT_A1R5G5B5, {0x00, 0x7E}},
    {"a4r4g4b4", D3DFMT_A4R4G4B4, {0x80, 0x4F}},
    {"a8", D3DFMT_A8, {0x40}},
    {"l8", D3DFMT_L8, {146}},
    {"a8l8", D3DFMT_A8L8, {146, 0x40}},
    // Unsigned channels stored in signed formats keep their value: 1 is 127.
    {"v8u8", D3DFMT_V8U8, {0x7F, 0x40}},
    {"v16u16", D3DFMT_V16U16, {0xFF, 0x7F, 0x40, 0x40}},
};

class PixelLayout : public testing::TestWithParam<LayoutCase> {};

TEST_P(PixelLayout, PackWritesTheFormatsBytes) {
    const LayoutCase& c = GetParam();
    Bytes stored(c.stored.size() + 1, 0xCC);
    Pack(OnePixel(255, 128, 0, 64), c.format, stored.data(), stored.size());
    EXPECT_EQ(Bytes(stored.begin(), stored.end() - 1), c.stored);
    EXPECT_EQ(stored.back(), 0xCC) << "wrote past the pixel";
}

INSTANTIATE_TEST_SUITE_P(Formats, PixelLayout, testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PixelFormats, SignedPicturesPackIntoBumpFormats) {
    ImageF normal(1, 1);
    float* p = normal.Pixel(0, 0);
    p[0] = 0.5f, p[1] = 0.25f, p[2] = -1.f, p[3] = 1.f;  // W, V, U, Q
    Bytes v8u8(2), q8w8v8u8(4), v16u16(4);
    Pack(normal, D3DFMT_V8U8, v8u8.data(), 2);
    Pack(normal, D3DFMT_Q8W8V8U8, q8w8v8u8.data(), 4);
    Pack(normal, D3DFMT_V16U16, v16u16.data(), 4);
    EXPECT_EQ(v8u8, (Bytes{0x81, 0x20}));
    EXPECT_EQ(q8w8v8u8, (Bytes{0x81, 0x20, 0x40, 0x7F}));
    EXPECT_EQ(v16u16, (Bytes{0x01, 0x80, 0x00, 0x20}));
}

TEST(PixelFormats, RowsHonourThePitch) {
    Image8 image(2, 2);
    for (size_t i = 0; i < image.samples.size(); ++i) image.samples[i] = BYTE(i);
    Bytes stored(2 * 10, 0xCC);
    Pack(image, D3DFMT_A8R8G8B8, stored.data(), 10);
    EXPECT_EQ(stored[10], 8);
    EXPECT_EQ(stored[8], 0xCC);
    Pixels back = Unpack(D3DFMT_A8R8G8B8, stored.data(), 10, 2, 2);
    EXPECT_EQ(std::get<Image8>(back).samples, image.samples);
}

TEST(PixelFormats, LosslessFormatsRoundTrip) {
    // Pixels whose values each format holds exactly.
    const D3DFORMAT formats[] = {D3DFMT_A8R8G8B8, D3DFMT_R5G6B5, D3DFMT_A1R5G5B5, D3DFMT_A4R4G4B4, D3DFMT_A8L8};
    const Image8 pixels[] = {OnePixel(255, 0, 255, 255), OnePixel(0, 255, 0, 0), OnePixel(0, 0, 0, 255)};
    for (D3DFORMAT format : formats) {
        for (const Image8& pixel : pixels) {
            if (format == D3DFMT_A8L8 && pixel.samples[1] != pixel.samples[2]) continue;
            Bytes stored(4);
            Pack(pixel, format, stored.data(), 4);
            Pixels back = Unpack(format, stored.data(), 4, 1, 1);
            Rgba expected = PixelAt(pixel, 0, 0);
            if (format == D3DFMT_R5G6B5) expected.a = 255;
            EXPECT_TRUE(Near(PixelAt(back, 0, 0), expected, 0)) << format;
        }
    }
}

TEST(PixelFormats, DxtSizesCountBlocks) {
    EXPECT_EQ(RowBytes(D3DFMT_DXT1, 5), 16u);
    EXPECT_EQ(RowBytes(D3DFMT_DXT5, 5), 32u);
    EXPECT_EQ(RowCount(D3DFMT_DXT3, 3), 1u);
    EXPECT_EQ(RowBytes(D3DFMT_R5G6B5, 5), 10u);
    EXPECT_EQ(RowCount(D3DFMT_L8, 3), 3u);
}

// A 5 x 3 picture (partial blocks) of two colours that 5:6:5 holds exactly,
// with alpha 0 in the left column.
Image8 TwoColours() {
    Image8 image(5, 3);
    for (UINT y = 0; y < 3; ++y) {
        for (UINT x = 0; x < 5; ++x) {
            BYTE* p = image.Pixel(x, y);
            bool left = x < 2;
            p[0] = left ? 0 : 255;
            p[1] = left ? 0 : 255;
            p[2] = 255;
            p[3] = x == 0 ? 0 : 255;
        }
    }
    return image;
}

TEST(PixelFormats, DxtEncodingKeepsEndPointsAndAlpha) {
    Image8 image = TwoColours();
    for (D3DFORMAT format : {D3DFMT_DXT1, D3DFMT_DXT3, D3DFMT_DXT5}) {
        size_t pitch = RowBytes(format, 5);
        Bytes stored(pitch * RowCount(format, 3));
        Pack(image, format, stored.data(), pitch);
        Pixels back = Unpack(format, stored.data(), pitch, 5, 3);
        for (UINT y = 0; y < 3; ++y) {
            for (UINT x = 1; x < 5; ++x) {
                EXPECT_TRUE(Near(PixelAt(back, x, y), PixelAt(image, x, y), 0)) << format << " at " << x << "," << y;
            }
            // DXT1 keeps only "transparent black" for alpha below one half.
            Rgba left = PixelAt(back, 0, y);
            EXPECT_EQ(left.a, 0) << format;
            if (format != D3DFMT_DXT1) {
                EXPECT_TRUE(Near(left, {255, 0, 0, 0}, 0)) << format;
            }
        }
    }
}

TEST(PixelFormats, DxtEncodingFollowsAGradient) {
    // Green rises and alpha falls along x: both lie on the block's end-point lines.
    Image8 ramp(4, 4);
    for (UINT y = 0; y < 4; ++y) {
        for (UINT x = 0; x < 4; ++x) {
            BYTE* p = ramp.Pixel(x, y);
            p[0] = 0, p[1] = BYTE(x * 80), p[2] = 128, p[3] = BYTE(255 - x * 60);
        }
    }
    Bytes block(16);
    Pack(ramp, D3DFMT_DXT5, block.data(), 16);
    Pixels back = Unpack(D3DFMT_DXT5, block.data(), 16, 4, 4);
    for (UINT y = 0; y < 4; ++y) {
        for (UINT x = 0; x < 4; ++x) {
            Rgba decoded = PixelAt(back, x, y), original = PixelAt(ramp, x, y);
            EXPECT_NEAR(decoded.g, original.g, 3) << x << "," << y;
            EXPECT_NEAR(decoded.r, original.r, 6) << x << "," << y;
            EXPECT_NEAR(decoded.a, original.a, 13) << x << "," << y;
        }
    }
}

}  // namespace
