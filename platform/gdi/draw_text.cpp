// DrawTextW: measures with DT_CALCRECT, otherwise draws the lines into the
// rectangle, which also clips them.
#include <windows.h>

#include <algorithm>
#include <cwchar>

#include "gdi/font_face.h"
#include "gdi/gdi_objects.h"
#include "gdi/painting.h"
#include "gdi/text_layout.h"

namespace platform::gdi {

namespace {

void DrawGlyph(DeviceContext& context, const std::vector<RECT>& parts, const Glyph& glyph, int x, int baseline,
               uint32_t color) {
    const int left = x + glyph.left;
    const int top = baseline - glyph.top;
    for (const RECT& part : parts) {
        const RECT box = Intersection(part, {left, top, left + glyph.width, top + glyph.rows});
        for (LONG py = box.top; py < box.bottom; ++py) {
            const uint8_t* row = glyph.coverage.data() + static_cast<ptrdiff_t>(py - top) * glyph.width;
            for (LONG px = box.left; px < box.right; ++px) {
                if (const uint8_t coverage = row[px - left]) BlendPixel(context.canvas, px, py, color, coverage);
            }
        }
    }
}

void DrawLine(DeviceContext& context, FontFace& face, const RECT& clip, const TextLine& line, int x, int y) {
    const RECT cell{x, y, x + line.width, y + face.Height()};
    if (context.backgroundMode == OPAQUE) FillClipped(context, Intersection(cell, clip), context.backgroundColor);
    const std::vector<RECT> parts = DrawableParts(context, clip);
    const uint32_t color = CanvasColor(context.textColor);
    const int baseline = y + face.Ascent();
    for (size_t i = 0; i < line.text.size(); ++i) {
        const Glyph& glyph = face.GlyphFor(line.text[i]);
        DrawGlyph(context, parts, glyph, x, baseline, color);
        if (line.underlined[i]) {
            FillClipped(context, Intersection({x, baseline + 1, x + glyph.advance, baseline + 2}, clip),
                        context.textColor);
        }
        x += glyph.advance;
    }
}

}  // namespace

}  // namespace platform::gdi

using platform::gdi::FaceFor;
using platform::gdi::FontFace;
using platform::gdi::LayOutText;
using platform::gdi::LookUpDeviceContext;
using platform::gdi::LookUpObject;
using platform::gdi::TextLine;

extern "C" int WINAPI DrawTextW(HDC dc, LPCWSTR text, int count, LPRECT rect, UINT format) {
    auto* context = LookUpDeviceContext(dc);
    const auto font = context ? LookUpObject(context->font) : std::nullopt;
    FontFace* face = font ? FaceFor(font->font) : nullptr;
    if (!face || !text || !rect) return 0;
    const size_t length = count < 0 ? std::wcslen(text) : static_cast<size_t>(count);
    const int width = rect->right - rect->left;
    const auto lines = LayOutText({text, length}, format, width,
                                  [face](wchar_t c) { return face->Advance(c); });
    const int lineHeight = face->Height();
    const int height = static_cast<int>(lines.size()) * lineHeight;

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const TextLine& line : lines) widest = std::max(widest, line.width);
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }

    int y = rect->top;
    const bool centreVertically = (format & DT_SINGLELINE) && (format & DT_VCENTER);
    if (centreVertically) y += (rect->bottom - rect->top - lineHeight) / 2;
    const int offset = y - rect->top;
    for (const TextLine& line : lines) {
        const int x = (format & DT_CENTER) ? rect->left + (width - line.width) / 2 : rect->left;
        platform::gdi::DrawLine(*context, *face, *rect, line, x, y);
        y += lineHeight;
    }
    return centreVertically ? offset + height : height;
}
