// Small files that claim a lot: what one picture may cost is bounded by its
// image data and by a fixed budget, and odd headers are refused cleanly.
#include "d3dx9/picture_decoder.h"
#include "platform/d3dx9/picture_files.h"

#include <d3dx9.h>
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>

namespace {

using namespace d3dx9_test;
using platform::d3dx9::DecodeDepth;
using platform::d3dx9::DecodePicture;
using platform::d3dx9::Picture;

HRESULT Decode(const Bytes& bytes, DecodeDepth depth = DecodeDepth::Pixels) {
    Picture picture;
    return DecodePicture(bytes, depth, picture);
}

// The offset of the frame header's height in a file written by libjpeg.
size_t FrameHeaderSize(const Bytes& jpeg) {
    for (size_t at = 2; at + 8 < jpeg.size(); ++at) {
        if (jpeg[at] == 0xFF && (jpeg[at + 1] == 0xC0 || jpeg[at + 1] == 0xC2)) return at + 5;
    }
    return 0;
}

void ClaimJpegSize(Bytes& jpeg, UINT width, UINT height) {
    const size_t at = FrameHeaderSize(jpeg);
    ASSERT_NE(at, 0u);
    jpeg[at] = BYTE(height >> 8);
    jpeg[at + 1] = BYTE(height);
    jpeg[at + 2] = BYTE(width >> 8);
    jpeg[at + 3] = BYTE(width);
}

// Comment segments of 65,533 bytes each after the start marker.
void PadWithComments(Bytes& jpeg, size_t bytes) {
    Bytes padding;
    while (padding.size() < bytes) {
        const Bytes segment{0xFF, 0xFE, 0xFF, 0xFF};
        padding.insert(padding.end(), segment.begin(), segment.end());
        padding.insert(padding.end(), 0xFFFF - 2, 'x');
    }
    jpeg.insert(jpeg.begin() + 2, padding.begin(), padding.end());
}

JpegPicture GreyPicture(UINT width, UINT height) {
    JpegPicture picture{width, height, true, false, Bytes(size_t{width} * height)};
    for (size_t i = 0; i < picture.samples.size(); ++i) picture.samples[i] = BYTE(i * 37 + i / 61);
    return picture;
}

TEST(HostilePictures, ASixteenBitDdsDecodesEachChannelOnItsOwn) {
    Bytes texel = {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0xFF, 0xFF};  // R, G, B, A in 16 bits
    Picture picture;
    ASSERT_EQ(DecodePicture(EncodeDds(1, 1, 1, DdsFourCc(D3DFMT_A16B16G16R16), texel), DecodeDepth::Pixels, picture),
              S_OK);
    const auto& image = std::get<platform::d3dx9::Image8>(picture.levels.at(0));
    const BYTE* bgra = image.Pixel(0, 0);
    EXPECT_EQ(bgra[0], 128);  // B
    EXPECT_EQ(bgra[1], 0);    // G
    EXPECT_EQ(bgra[2], 255);  // R
    EXPECT_EQ(bgra[3], 255);  // A
}

TEST(HostilePictures, ADdsCodeBeyondTheFormatsIsRefused) {
    for (DWORD code : {0x80000000u, 0xFFFFFFFFu, 0x7FFFFFFFu}) {
        DdsPixelFormat format = DdsFourCc(D3DFMT_A8R8G8B8);
        format.fourCc = code;
        EXPECT_EQ(Decode(EncodeDds(1, 1, 1, format, Bytes(8))), D3DXERR_INVALIDDATA) << std::hex << code;
    }
}

TEST(HostilePictures, ABlankOneBitPngClaimingMillionsOfPixelsIsRefused) {
    PngPicture png;
    png.width = 4097;
    png.height = 4097;
    png.colourType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = 1;
    png.rows.assign(size_t{(4097 + 7) / 8} * 4097, 0);
    const Bytes file = EncodePng(png);
    ASSERT_LT(file.size(), 8192u);
    EXPECT_EQ(Decode(file, DecodeDepth::InfoOnly), D3DXERR_INVALIDDATA);
    EXPECT_EQ(Decode(file), D3DXERR_INVALIDDATA);
}

TEST(HostilePictures, JpegCommentsDoNotCountAsImageData) {
    Bytes jpeg = EncodeJpeg(GreyPicture(5, 3));
    ClaimJpegSize(jpeg, 4096, 4096);
    PadWithComments(jpeg, 262144);
    EXPECT_EQ(Decode(jpeg, DecodeDepth::InfoOnly), D3DXERR_INVALIDDATA);
}

TEST(HostilePictures, PicturesBeyondTheBudgetAreRefused) {
    Bytes jpeg = EncodeJpeg(GreyPicture(64, 64));
    ClaimJpegSize(jpeg, 16384, 16384);
    EXPECT_EQ(Decode(jpeg, DecodeDepth::InfoOnly), D3DXERR_INVALIDDATA);
    EXPECT_EQ(Decode(EncodeDds(8193, 8193, 1, DdsA8(), Bytes(size_t{8193} * 8193))), D3DXERR_INVALIDDATA);
}

TEST(HostilePictures, ALargePhotoStillFitsTheBudget) {
    Picture picture;
    ASSERT_EQ(DecodePicture(EncodeJpeg(GreyPicture(8000, 6000)), DecodeDepth::InfoOnly, picture), S_OK);
    EXPECT_EQ(picture.info.Width, 8000u);
    EXPECT_EQ(picture.info.Height, 6000u);
}

TEST(HostilePictures, AScanCutShortIsRefusedWithOrWithoutAnEndMarker) {
    const Bytes whole = EncodeJpeg(GreyPicture(64, 64));
    ASSERT_EQ(Decode(whole), S_OK);
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() * 2 / 3));
    Bytes marked = cut;
    marked.insert(marked.end(), {0xFF, 0xD9});
    EXPECT_EQ(Decode(cut), D3DXERR_INVALIDDATA);
    EXPECT_EQ(Decode(marked), D3DXERR_INVALIDDATA);
}

}  // namespace
