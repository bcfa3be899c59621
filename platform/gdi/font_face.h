// Fonts for GDI text: the installed sans font found through fontconfig,
// sized and rasterised with FreeType.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gdi/gdi_objects.h"

namespace platform::gdi {

struct Glyph {
    int left = 0;     // from the pen position to the bitmap's first column
    int top = 0;      // from the baseline up to the bitmap's first row
    int width = 0;
    int rows = 0;
    int advance = 0;  // whole pixels
    std::vector<uint8_t> coverage;  // rows top first, 0 to 255
};

class FontFace {
public:
    virtual ~FontFace() = default;
    virtual int Ascent() const = 0;
    virtual int Descent() const = 0;
    int Height() const { return Ascent() + Descent(); }
    virtual const Glyph& GlyphFor(wchar_t character) = 0;
    int Advance(wchar_t character) { return GlyphFor(character).advance; }
};

// The file and face index of the sans font fontconfig picks.
bool FindSansFont(bool bold, std::string& file, int& index);

// The face for spec, kept for the whole process; null when no font could be
// loaded. Call from one thread at a time (the painting thread).
FontFace* FaceFor(const FontSpec& spec);

}  // namespace platform::gdi
