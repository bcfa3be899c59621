// GDI objects behind the handles: solid brushes and fonts, stock and
// system-colour objects that live for the whole process, and brushes the
// program creates and deletes.
#pragma once

#include <optional>

#include <windef.h>

namespace platform::gdi {

// Height as in a LOGFONT: negative is the em size in pixels, positive the
// cell height (ascent plus descent).
struct FontSpec {
    int height;
    bool bold;

    auto operator<=>(const FontSpec&) const = default;
};

struct GdiObject {
    enum class Kind { Brush, Font } kind;
    COLORREF color = 0;      // brushes
    FontSpec font{0, false};  // fonts
};

std::optional<GdiObject> LookUpObject(HGDIOBJ object);

// The brush's colour; brush may also be (HBRUSH)(COLOR_xxx + 1).
std::optional<COLORREF> BrushColor(HBRUSH brush);

}  // namespace platform::gdi
