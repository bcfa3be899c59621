#include "text_pictures.h"

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "dds_painter.h"

namespace {

constexpr const char* kFamily = "DejaVu Sans";

// The file of the bold face; another family would set the sample apart
// from one machine to the next.
std::string FontFile() {
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans:bold"));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    std::string file;
    FcChar8* path = nullptr;
    FcChar8* family = nullptr;
    if (match && FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch &&
        std::string(reinterpret_cast<const char*>(family)) == kFamily &&
        FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
        file = reinterpret_cast<const char*>(path);
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    if (file.empty()) throw std::runtime_error(std::string("no font of the family ") + kFamily);
    return file;
}

struct LibraryDone {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDone {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
using Library = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryDone>;
using Face = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDone>;

int Pixels(FT_Pos units) { return static_cast<int>((units + 32) >> 6); }

// Coverage from 0 to 255, one byte a pixel, rows top first.
class Coverage {
public:
    Coverage(int width, int height) : width_(width), height_(height), bytes_(static_cast<size_t>(width * height)) {}

    void Put(const FT_Bitmap& bitmap, int left, int top) {
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const int x = left + static_cast<int>(column), y = top + static_cast<int>(row);
                if (x < 0 || y < 0 || x >= width_ || y >= height_) continue;
                BYTE& at = bytes_[static_cast<size_t>(y * width_ + x)];
                at = std::max(at, bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column]);
            }
        }
    }
    void Line(int left, int right, int top, int thickness) {
        for (int y = top; y < std::min(top + thickness, height_); ++y)
            for (int x = std::max(left, 0); x < std::min(right, width_); ++x) bytes_[static_cast<size_t>(y * width_ + x)] = 255;
    }
    std::vector<DWORD> WhitePixels() const {
        std::vector<DWORD> pixels;
        pixels.reserve(bytes_.size());
        for (BYTE alpha : bytes_) pixels.push_back(static_cast<DWORD>(alpha) << 24 | 0xFFFFFF);
        return pixels;
    }

private:
    int width_, height_;
    std::vector<BYTE> bytes_;
};

void Load(FT_Face face, char32_t character, FT_Int32 flags) {
    if (FT_Load_Char(face, character, flags) != 0) throw std::runtime_error("a glyph the font cannot set");
}

}  // namespace

TextPicture RenderTextPicture(std::u32string_view text, int pixelHeight, bool underlined) {
    FT_Library rawLibrary = nullptr;
    if (FT_Init_FreeType(&rawLibrary) != 0) throw std::runtime_error("FreeType does not start");
    const Library library(rawLibrary);
    FT_Face rawFace = nullptr;
    if (FT_New_Face(library.get(), FontFile().c_str(), 0, &rawFace) != 0) throw std::runtime_error("the font does not read");
    const Face face(rawFace);
    FT_Set_Pixel_Sizes(face.get(), 0, static_cast<FT_UInt>(pixelHeight));
    const int ascent = Pixels(face->size->metrics.ascender), descent = -Pixels(face->size->metrics.descender);
    const int margin = std::max(pixelHeight / 10, 1);

    int advance = 0;
    for (char32_t character : text) {
        Load(face.get(), character, FT_LOAD_DEFAULT);
        advance += Pixels(face->glyph->advance.x);
    }
    TextPicture picture{{}, advance + 2 * margin, ascent + descent + 2 * margin};
    Coverage coverage(picture.width, picture.height);
    const int baseline = margin + ascent;
    int pen = margin;
    for (char32_t character : text) {
        Load(face.get(), character, FT_LOAD_RENDER);
        const FT_GlyphSlot glyph = face->glyph;
        coverage.Put(glyph->bitmap, pen + glyph->bitmap_left, baseline - glyph->bitmap_top);
        pen += Pixels(glyph->advance.x);
    }
    if (underlined) coverage.Line(margin, pen, baseline + std::max(descent / 3, 1), std::max(pixelHeight / 14, 1));
    picture.dds = sample_pictures::A8R8G8B8Dds(picture.width, picture.height, coverage.WhitePixels());
    return picture;
}
