#include "gdi/text_layout.h"

#include <winuser.h>

namespace platform::gdi {

namespace {

// "&x" underlines x, "&&" is one '&', a final '&' disappears.
TextLine StripPrefixes(std::wstring_view text, bool prefixes) {
    TextLine line;
    for (size_t i = 0; i < text.size(); ++i) {
        bool underline = false;
        if (prefixes && text[i] == L'&') {
            if (++i == text.size()) break;
            underline = text[i] != L'&';
        }
        line.text.push_back(text[i]);
        line.underlined.push_back(underline);
    }
    return line;
}

std::vector<TextLine> SplitParagraphs(const TextLine& all) {
    std::vector<TextLine> paragraphs(1);
    for (size_t i = 0; i < all.text.size(); ++i) {
        const wchar_t c = all.text[i];
        if (c == L'\r' || c == L'\n') {
            if (c == L'\r' && i + 1 < all.text.size() && all.text[i + 1] == L'\n') ++i;
            paragraphs.emplace_back();
            continue;
        }
        paragraphs.back().text.push_back(c);
        paragraphs.back().underlined.push_back(all.underlined[i]);
    }
    return paragraphs;
}

TextLine Slice(const TextLine& line, size_t begin, size_t end) {
    TextLine part;
    part.text = line.text.substr(begin, end - begin);
    part.underlined.assign(line.underlined.begin() + static_cast<ptrdiff_t>(begin),
                           line.underlined.begin() + static_cast<ptrdiff_t>(end));
    return part;
}

int Measure(const TextLine& line, const AdvanceOf& advance) {
    int width = 0;
    for (wchar_t c : line.text) width += advance(c);
    return width;
}

// Breaks after the last space before the text passes width; a word wider
// than width stays whole on its own line. Spaces at a break are dropped.
void BreakWords(const TextLine& paragraph, int width, const AdvanceOf& advance, std::vector<TextLine>& lines) {
    const std::wstring& text = paragraph.text;
    size_t start = 0;
    while (true) {
        int used = 0;
        size_t breakAt = std::wstring::npos;  // end of the last word that fits
        size_t i = start;
        for (; i < text.size(); ++i) {
            if (text[i] == L' ') {
                if (i > start && text[i - 1] != L' ') breakAt = i;
            } else if (used + advance(text[i]) > width && breakAt != std::wstring::npos) {
                break;
            }
            used += advance(text[i]);
        }
        if (i == text.size()) {
            lines.push_back(Slice(paragraph, start, text.size()));
            return;
        }
        lines.push_back(Slice(paragraph, start, breakAt));
        start = text.find_first_not_of(L' ', breakAt);
        if (start == std::wstring::npos) return;
    }
}

}  // namespace

std::vector<TextLine> LayOutText(std::wstring_view text, UINT format, int width, const AdvanceOf& advance) {
    const TextLine all = StripPrefixes(text, !(format & DT_NOPREFIX));
    std::vector<TextLine> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back(all);
    } else {
        for (const TextLine& paragraph : SplitParagraphs(all)) {
            if (format & DT_WORDBREAK) {
                BreakWords(paragraph, width, advance, lines);
            } else {
                lines.push_back(paragraph);
            }
        }
    }
    for (TextLine& line : lines) line.width = Measure(line, advance);
    return lines;
}

}  // namespace platform::gdi

