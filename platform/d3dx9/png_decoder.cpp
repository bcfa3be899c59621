#include "d3dx9/format_decoders.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>

namespace platform::d3dx9 {
namespace {

// No deflate stream expands its input more than 1032 times, and one byte of
// scanline data becomes at most four bytes of BGRA: a header that promises
// more pixels than the file's image data can hold is refused before
// allocating. Other chunks, which any amount of padding can fill, do not
// count.
constexpr size_t kMaxInflation = 1032 * 4;

size_t ImageDataBytes(std::span<const BYTE> file) {
    size_t count = 0;
    for (size_t at = 8; at + 8 <= file.size();) {
        const size_t length = size_t{file[at]} << 24 | size_t{file[at + 1]} << 16 | size_t{file[at + 2]} << 8 |
                              file[at + 3];
        const size_t chunk = std::min(length, file.size() - at - 8);
        if (std::memcmp(file.data() + at + 4, "IDAT", 4) == 0) count += chunk;
        at += 8 + chunk + 4;  // length, type, data, CRC
    }
    return count;
}

struct PngSource {
    const BYTE* data;
    size_t size;
    size_t offset;
};

void ReadFromSource(png_structp png, png_bytep out, size_t count) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (count > source->size - source->offset) png_error(png, "truncated");
    std::memcpy(out, source->data + source->offset, count);
    source->offset += count;
}

void FailOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnoreWarning(png_structp, png_const_charp) {}

// libpng reports errors by longjmp. It lands in these functions, whose
// locals are all trivially destructible, never across a C++ frame.
bool ReadHeader(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    return true;
}

// Every kind of PNG becomes 8-bit B, G, R, A.
bool ConvertToBgra(png_structp png, png_infop info) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

bool ReadRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

struct PngReader {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, FailOnError, IgnoreWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;

    PngReader() = default;
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;
    ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
};

D3DFORMAT FormatOf(int colourType, int bitDepth, bool transparency) {
    switch (colourType) {
        case PNG_COLOR_TYPE_PALETTE:
            return D3DFMT_P8;
        case PNG_COLOR_TYPE_GRAY:
            if (bitDepth == 16) return D3DFMT_L16;
            return transparency ? D3DFMT_A8L8 : D3DFMT_L8;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return bitDepth == 16 ? D3DFMT_A16B16G16R16 : D3DFMT_A8L8;
        case PNG_COLOR_TYPE_RGB:
            if (bitDepth == 16) return D3DFMT_A16B16G16R16;
            return transparency ? D3DFMT_A8R8G8B8 : D3DFMT_R8G8B8;
        default:
            return bitDepth == 16 ? D3DFMT_A16B16G16R16 : D3DFMT_A8R8G8B8;
    }
}

}  // namespace

bool IsPngFile(std::span<const BYTE> file) { return file.size() >= 8 && png_sig_cmp(file.data(), 0, 8) == 0; }

bool DecodePng(std::span<const BYTE> file, DecodeDepth depth, Picture& picture) {
    PngReader reader;
    if (!reader.info) return false;
    PngSource source{file.data(), file.size(), 0};
    png_set_read_fn(reader.png, &source, ReadFromSource);
    png_set_user_limits(reader.png, kMaxPictureSide, kMaxPictureSide);
    if (!ReadHeader(reader.png, reader.info)) return false;

    UINT width = png_get_image_width(reader.png, reader.info);
    UINT height = png_get_image_height(reader.png, reader.info);
    if (!FitsPictureBudget(width, height)) return false;
    if (size_t{width} * height * 4 > ImageDataBytes(file) * kMaxInflation) return false;
    int colourType = png_get_color_type(reader.png, reader.info);
    int bitDepth = png_get_bit_depth(reader.png, reader.info);
    bool transparency = png_get_valid(reader.png, reader.info, PNG_INFO_tRNS) != 0;
    picture.info = {width, height, 1, 1, FormatOf(colourType, bitDepth, transparency), D3DRTYPE_TEXTURE, D3DXIFF_PNG};
    if (depth == DecodeDepth::InfoOnly) return true;

    if (!ConvertToBgra(reader.png, reader.info)) return false;
    if (png_get_rowbytes(reader.png, reader.info) != size_t{width} * 4) return false;
    Image8 image(width, height, Unfilled{});
    std::vector<png_bytep> rows(height);
    for (UINT y = 0; y < height; ++y) rows[y] = image.Pixel(0, y);
    if (!ReadRows(reader.png, rows.data())) return false;
    picture.levels.emplace_back(std::move(image));
    return true;
}

}  // namespace platform::d3dx9
