#include "png_file.h"

#include <cstdio>
#include <memory>

#include <png.h>

namespace pictures {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

class PngWriter {
public:
    PngWriter() : png_(png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr)) {
        if (png_ != nullptr) info_ = png_create_info_struct(png_);
    }
    ~PngWriter() { png_destroy_write_struct(&png_, &info_); }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;

    bool Write(std::FILE* file, int width, int height, const std::vector<uint8_t>& rgb, int channels) {
        if (png_ == nullptr || info_ == nullptr) return false;
        if (setjmp(png_jmpbuf(png_))) return false;
        png_init_io(png_, file);
        const int colourType = channels == 4 ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
        png_set_IHDR(png_, info_, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, colourType,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(png_, 9);
        png_write_info(png_, info_);
        const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
        for (int y = 0; y < height; ++y) {
            png_write_row(png_, rgb.data() + stride * static_cast<std::size_t>(y));
        }
        png_write_end(png_, nullptr);
        return true;
    }

private:
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb, int channels) {
    bool written = false;
    {
        std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
        if (file) {
            PngWriter writer;
            written = writer.Write(file.get(), width, height, rgb, channels) && std::fflush(file.get()) == 0;
        }
    }
    if (!written) std::remove(path.c_str());
    return written;
}

}  // namespace pictures
