#include "d3dx9/format_decoders.h"

#include <cstdio>  // jpeglib.h needs FILE

#include <jerror.h>
#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>

namespace platform::d3dx9 {
namespace {

// Even a progressive file spends a bit on each 8 x 8 block of a channel,
// so it cannot promise more than this many output bytes per byte of image
// data.
constexpr size_t kMaxExpansion = 4096;

// The bytes that describe the picture: the file less its application and
// comment segments, which any amount of padding can fill.
size_t ImageDataBytes(std::span<const BYTE> file) {
    size_t count = 0;
    size_t at = 2;  // after the start marker
    while (at < file.size()) {
        if (file[at] != 0xFF || at + 1 >= file.size()) {
            ++count;
            ++at;
            continue;
        }
        const BYTE marker = file[at + 1];
        const bool standalone = marker == 0x00 || marker == 0xFF || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9);
        if (standalone || at + 3 >= file.size()) {
            count += 2;
            at += 2;
            continue;
        }
        const size_t length = size_t{file[at + 2]} << 8 | file[at + 3];
        const size_t segment = std::min(2 + length, file.size() - at);
        const bool padding = (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE;
        if (!padding) count += segment;
        at += segment;
    }
    return count;
}

struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    bool truncated;
};

[[noreturn]] void FailOnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1); }

// Warnings are quiet; a scan that runs out of data, at the end of the file
// or at a marker, is a failure, not a grey tail.
void NoteMessage(j_common_ptr info, int level) {
    const int code = info->err->msg_code;
    if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) {
        reinterpret_cast<ErrorTrap*>(info->err)->truncated = true;
    }
}

// Destroying a zeroed or half-created decompressor is safe.
struct JpegReader {
    jpeg_decompress_struct decompress{};
    ErrorTrap trap{};

    JpegReader() = default;
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;
    ~JpegReader() { jpeg_destroy_decompress(&decompress); }
};

// libjpeg reports errors through error_exit, which longjmps into these
// functions; their locals are all trivially destructible.
bool ReadHeader(JpegReader* reader, const BYTE* data, size_t size) {
    jpeg_decompress_struct* decompress = &reader->decompress;
    decompress->err = jpeg_std_error(&reader->trap.manager);
    reader->trap.manager.error_exit = FailOnError;
    reader->trap.manager.emit_message = NoteMessage;
    if (setjmp(reader->trap.jump)) return false;
    jpeg_create_decompress(decompress);
    jpeg_mem_src(decompress, data, static_cast<unsigned long>(size));
    return jpeg_read_header(decompress, TRUE) == JPEG_HEADER_OK && !reader->trap.truncated;
}

bool ReadPixels(JpegReader* reader, BYTE* pixels, size_t pitch) {
    jpeg_decompress_struct* decompress = &reader->decompress;
    if (setjmp(reader->trap.jump)) return false;
    decompress->out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(decompress);
    while (decompress->output_scanline < decompress->output_height) {
        JSAMPROW row = pixels + decompress->output_scanline * pitch;
        jpeg_read_scanlines(decompress, &row, 1);
    }
    jpeg_finish_decompress(decompress);
    return !reader->trap.truncated;
}

}  // namespace

bool IsJpegFile(std::span<const BYTE> file) {
    return file.size() >= 3 && file[0] == 0xFF && file[1] == 0xD8 && file[2] == 0xFF;
}

bool DecodeJpeg(std::span<const BYTE> file, DecodeDepth depth, Picture& picture) {
    JpegReader reader;
    if (!ReadHeader(&reader, file.data(), file.size())) return false;
    const jpeg_decompress_struct& header = reader.decompress;
    UINT width = header.image_width, height = header.image_height;
    if (!FitsPictureBudget(width, height)) return false;
    if (size_t{width} * height * 4 > ImageDataBytes(file) * kMaxExpansion) return false;
    // Only grey and colour pictures: CMYK has no faithful BGRA form here.
    if (header.jpeg_color_space != JCS_GRAYSCALE && header.jpeg_color_space != JCS_YCbCr &&
        header.jpeg_color_space != JCS_RGB)
        return false;
    D3DFORMAT format = header.jpeg_color_space == JCS_GRAYSCALE ? D3DFMT_L8 : D3DFMT_X8R8G8B8;
    picture.info = {width, height, 1, 1, format, D3DRTYPE_TEXTURE, D3DXIFF_JPG};
    if (depth == DecodeDepth::InfoOnly) return true;

    Image8 image(width, height, Unfilled{});
    if (!ReadPixels(&reader, image.samples.data(), size_t{width} * 4)) return false;
    picture.levels.emplace_back(std::move(image));
    return true;
}

}  // namespace platform::d3dx9
