#include "gdi/font_face.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>
#include <unordered_map>

namespace platform::gdi {

namespace {

struct LibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using LibraryPointer = std::unique_ptr<std::remove_pointer_t<FT_Library>, LibraryDeleter>;
using FacePointer = std::unique_ptr<std::remove_pointer_t<FT_Face>, FaceDeleter>;
using PatternPointer = std::unique_ptr<FcPattern, PatternDeleter>;

int CeilPixels(FT_Pos value) { return static_cast<int>((value + 63) >> 6); }

class FreeTypeFace final : public FontFace {
public:
    explicit FreeTypeFace(FacePointer face) : face_(std::move(face)) {
        ascent_ = CeilPixels(face_->size->metrics.ascender);
        descent_ = CeilPixels(-face_->size->metrics.descender);
    }

    int Ascent() const override { return ascent_; }
    int Descent() const override { return descent_; }

    const Glyph& GlyphFor(wchar_t character) override {
        auto found = glyphs_.find(character);
        if (found == glyphs_.end()) found = glyphs_.emplace(character, Render(character)).first;
        return found->second;
    }

private:
    Glyph Render(wchar_t character) {
        Glyph glyph;
        if (FT_Load_Char(face_.get(), static_cast<FT_ULong>(character), FT_LOAD_RENDER) != 0) return glyph;
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        glyph.left = slot->bitmap_left;
        glyph.top = slot->bitmap_top;
        glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
        if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return glyph;
        glyph.width = static_cast<int>(bitmap.width);
        glyph.rows = static_cast<int>(bitmap.rows);
        glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
        for (int y = 0; y < glyph.rows; ++y) {
            const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
            std::copy_n(row, glyph.width, glyph.coverage.begin() + static_cast<ptrdiff_t>(y) * glyph.width);
        }
        return glyph;
    }

    FacePointer face_;
    int ascent_ = 0;
    int descent_ = 0;
    std::unordered_map<wchar_t, Glyph> glyphs_;
};

}  // namespace

bool FindSansFont(bool bold, std::string& file, int& index) {
    PatternPointer pattern(FcPatternCreate());
    if (!pattern) return false;
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    PatternPointer match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* path = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch) return false;
    file = reinterpret_cast<const char*>(path);
    if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    return true;
}

namespace {

class FontStore {
public:
    FontFace* FaceFor(const FontSpec& spec) {
        std::lock_guard lock(mutex_);
        auto found = faces_.find(spec);
        if (found == faces_.end()) found = faces_.emplace(spec, Load(spec)).first;
        return found->second.get();
    }

private:
    std::unique_ptr<FontFace> Load(const FontSpec& spec) {
        if (!library_) {
            FT_Library library = nullptr;
            if (FT_Init_FreeType(&library) != 0) return nullptr;
            library_.reset(library);
        }
        std::string file;
        int index = 0;
        if (!FindSansFont(spec.bold, file, index)) return nullptr;
        FT_Face raw = nullptr;
        if (FT_New_Face(library_.get(), file.c_str(), index, &raw) != 0) return nullptr;
        FacePointer face(raw);
        // A positive height is the whole cell, a negative one the em square.
        FT_Size_RequestRec request{};
        request.type = spec.height > 0 ? FT_SIZE_REQUEST_TYPE_CELL : FT_SIZE_REQUEST_TYPE_NOMINAL;
        request.height = static_cast<FT_Long>(std::abs(spec.height)) << 6;
        if (FT_Request_Size(face.get(), &request) != 0) return nullptr;
        return std::make_unique<FreeTypeFace>(std::move(face));
    }

    std::mutex mutex_;
    // Declared first, so destroyed after the faces that use it.
    LibraryPointer library_;
    std::map<FontSpec, std::unique_ptr<FontFace>> faces_;
};

}  // namespace

FontFace* FaceFor(const FontSpec& spec) {
    static FontStore store;
    return store.FaceFor(spec);
}

}  // namespace platform::gdi
