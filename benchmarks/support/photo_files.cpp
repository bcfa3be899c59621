#include "photo_files.h"

#include <png.h>

namespace benchmark_pictures {
namespace {

// Smooth gradients with fine detail, like a photograph.
d3dx9_test::Bytes PhotoSamples() {
    d3dx9_test::Bytes samples(size_t{kPhotoWidth} * kPhotoHeight * 3);
    for (UINT y = 0; y < kPhotoHeight; ++y) {
        for (UINT x = 0; x < kPhotoWidth; ++x) {
            BYTE* p = &samples[(size_t{y} * kPhotoWidth + x) * 3];
            p[0] = BYTE(x * 255 / kPhotoWidth);
            p[1] = BYTE(y * 255 / kPhotoHeight);
            p[2] = BYTE((x * 7 + y * 13 + (x * y) % 17) & 0xFF);
        }
    }
    return samples;
}

}  // namespace

const d3dx9_test::Bytes& PhotoJpeg() {
    static const d3dx9_test::Bytes file = [] {
        d3dx9_test::JpegPicture picture{kPhotoWidth, kPhotoHeight, false, false, PhotoSamples()};
        return d3dx9_test::EncodeJpeg(picture);
    }();
    return file;
}

const d3dx9_test::Bytes& PhotoPng() {
    static const d3dx9_test::Bytes file = [] {
        d3dx9_test::PngPicture picture;
        picture.width = kPhotoWidth;
        picture.height = kPhotoHeight;
        picture.colourType = PNG_COLOR_TYPE_RGB;
        picture.rows = PhotoSamples();
        return d3dx9_test::EncodePng(picture);
    }();
    return file;
}

}  // namespace benchmark_pictures
