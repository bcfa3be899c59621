#include "platform/d3dx9/picture_files.h"

#include <cstdio>

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <stdexcept>

namespace d3dx9_test {
namespace {

void AppendToVector(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

// libpng longjmps on error: the jump lands here, where every local is
// trivially destructible.
bool WritePng(png_structp png, png_infop info, const PngPicture* picture, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_IHDR(png, info, picture->width, picture->height, picture->bitDepth, picture->colourType,
                 picture->interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[256];
    for (size_t i = 0; i < picture->palette.size(); ++i) {
        uint32_t c = picture->palette[i];
        palette[i] = {png_byte(c >> 16), png_byte(c >> 8), png_byte(c)};
    }
    if (!picture->palette.empty()) png_set_PLTE(png, info, palette, int(picture->palette.size()));
    png_color_16 key{};
    if (picture->greyKey) key.gray = *picture->greyKey;
    if (picture->colourKey) {
        key.red = png_uint_16((*picture->colourKey >> 16) & 0xFF);
        key.green = png_uint_16((*picture->colourKey >> 8) & 0xFF);
        key.blue = png_uint_16(*picture->colourKey & 0xFF);
    }
    if (!picture->paletteAlpha.empty()) {
        png_set_tRNS(png, info, picture->paletteAlpha.data(), int(picture->paletteAlpha.size()), nullptr);
    } else if (picture->greyKey || picture->colourKey) {
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1); }

bool WriteJpeg(jpeg_compress_struct* compress, JpegErrors* errors, const JpegPicture* picture,
               unsigned char** out, unsigned long* size) {
    compress->err = jpeg_std_error(&errors->manager);
    errors->manager.error_exit = JumpOnError;
    if (setjmp(errors->jump)) return false;
    jpeg_create_compress(compress);
    jpeg_mem_dest(compress, out, size);
    compress->image_width = picture->width;
    compress->image_height = picture->height;
    compress->input_components = picture->grey ? 1 : 3;
    compress->in_color_space = picture->grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(compress);
    jpeg_set_quality(compress, 100, TRUE);
    if (picture->progressive) jpeg_simple_progression(compress);
    jpeg_start_compress(compress, TRUE);
    size_t stride = size_t{picture->width} * compress->input_components;
    while (compress->next_scanline < compress->image_height) {
        JSAMPROW row = const_cast<BYTE*>(picture->samples.data()) + compress->next_scanline * stride;
        jpeg_write_scanlines(compress, &row, 1);
    }
    jpeg_finish_compress(compress);
    return true;
}

constexpr DWORD kDdsAlphaPixels = 0x1, kDdsAlpha = 0x2, kDdsFourCc = 0x4, kDdsRgb = 0x40;
constexpr DWORD kDdsLuminance = 0x20000, kDdsBumpDuDv = 0x80000;

}  // namespace

void Put16(Bytes& out, size_t offset, uint32_t value) {
    out[offset] = BYTE(value);
    out[offset + 1] = BYTE(value >> 8);
}

void Put32(Bytes& out, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[offset + i] = BYTE(value >> (8 * i));
}

Bytes EncodePng(const PngPicture& picture) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendToVector, NoFlush);
    size_t stride = picture.rows.size() / picture.height;
    std::vector<png_bytep> rows(picture.height);
    for (UINT y = 0; y < picture.height; ++y) rows[y] = const_cast<BYTE*>(picture.rows.data()) + y * stride;
    bool written = WritePng(png, info, &picture, rows.data());
    png_destroy_write_struct(&png, &info);
    if (!written) throw std::runtime_error("libpng could not write the test picture");
    return out;
}

Bytes EncodeJpeg(const JpegPicture& picture) {
    jpeg_compress_struct compress{};
    JpegErrors errors{};
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    bool written = WriteJpeg(&compress, &errors, &picture, &buffer, &size);
    jpeg_destroy_compress(&compress);
    Bytes out(buffer, buffer + (written ? size : 0));
    std::free(buffer);
    if (!written) throw std::runtime_error("libjpeg could not write the test picture");
    return out;
}

Bytes EncodeBmp(const BmpPicture& picture) {
    const size_t headerBytes = picture.bitFields ? 56 : 40;
    const size_t paletteOffset = 14 + headerBytes;
    const size_t dataOffset = paletteOffset + picture.palette.size() * 4;
    Bytes out(dataOffset);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, uint32_t(dataOffset + picture.rows.size()));
    Put32(out, 10, uint32_t(dataOffset));
    Put32(out, 14, uint32_t(headerBytes));
    Put32(out, 18, uint32_t(picture.width));
    Put32(out, 22, uint32_t(picture.height));
    Put16(out, 26, 1);
    Put16(out, 28, picture.bits);
    Put32(out, 30, picture.bitFields ? 3 : 0);
    Put32(out, 34, uint32_t(picture.rows.size()));
    Put32(out, 46, uint32_t(picture.palette.size()));
    if (picture.bitFields) {
        for (int i = 0; i < 4; ++i) Put32(out, 54 + 4 * i, picture.masks[i]);
    }
    for (size_t i = 0; i < picture.palette.size(); ++i) Put32(out, paletteOffset + 4 * i, picture.palette[i]);
    out.insert(out.end(), picture.rows.begin(), picture.rows.end());
    return out;
}

Bytes EncodeDds(UINT width, UINT height, UINT mipLevels, const DdsPixelFormat& format, const Bytes& data) {
    Bytes out(128 + data.size());
    std::copy(data.begin(), data.end(), out.begin() + 128);
    Put32(out, 0, MAKEFOURCC('D', 'D', 'S', ' '));
    Put32(out, 4, 124);
    Put32(out, 8, 0x1007 | (mipLevels > 1 ? 0x20000 : 0));
    Put32(out, 12, height);
    Put32(out, 16, width);
    Put32(out, 28, mipLevels);
    Put32(out, 76, 32);
    Put32(out, 80, format.flags);
    Put32(out, 84, format.fourCc);
    Put32(out, 88, format.bits);
    for (int i = 0; i < 4; ++i) Put32(out, 92 + 4 * i, format.masks[i]);
    Put32(out, 108, 0x1000 | (mipLevels > 1 ? 0x400008 : 0));
    return out;
}

DdsPixelFormat DdsFourCc(D3DFORMAT format) { return {kDdsFourCc, DWORD(format), 0, {}}; }
DdsPixelFormat DdsArgb8() { return {kDdsRgb | kDdsAlphaPixels, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}}; }
DdsPixelFormat DdsXrgb8() { return {kDdsRgb, 0, 32, {0xFF0000, 0xFF00, 0xFF, 0}}; }
DdsPixelFormat DdsRgb8() { return {kDdsRgb, 0, 24, {0xFF0000, 0xFF00, 0xFF, 0}}; }
DdsPixelFormat DdsR5G6B5() { return {kDdsRgb, 0, 16, {0xF800, 0x7E0, 0x1F, 0}}; }
DdsPixelFormat DdsA1R5G5B5() { return {kDdsRgb | kDdsAlphaPixels, 0, 16, {0x7C00, 0x3E0, 0x1F, 0x8000}}; }
DdsPixelFormat DdsX1R5G5B5() { return {kDdsRgb, 0, 16, {0x7C00, 0x3E0, 0x1F, 0}}; }
DdsPixelFormat DdsX4R4G4B4() { return {kDdsRgb, 0, 16, {0xF00, 0xF0, 0xF, 0}}; }
DdsPixelFormat DdsA4R4G4B4() { return {kDdsRgb | kDdsAlphaPixels, 0, 16, {0xF00, 0xF0, 0xF, 0xF000}}; }
DdsPixelFormat DdsL8() { return {kDdsLuminance, 0, 8, {0xFF, 0, 0, 0}}; }
DdsPixelFormat DdsA8L8() { return {kDdsLuminance | kDdsAlphaPixels, 0, 16, {0xFF, 0, 0, 0xFF00}}; }
DdsPixelFormat DdsL16() { return {kDdsLuminance, 0, 16, {0xFFFF, 0, 0, 0}}; }
DdsPixelFormat DdsA8() { return {kDdsAlpha, 0, 8, {0, 0, 0, 0xFF}}; }
DdsPixelFormat DdsV8U8() { return {kDdsBumpDuDv, 0, 16, {0xFF, 0xFF00, 0, 0}}; }
DdsPixelFormat DdsQ8W8V8U8() { return {kDdsBumpDuDv, 0, 32, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}}; }
DdsPixelFormat DdsV16U16() { return {kDdsBumpDuDv, 0, 32, {0xFFFF, 0xFFFF0000, 0, 0}}; }

}  // namespace d3dx9_test
