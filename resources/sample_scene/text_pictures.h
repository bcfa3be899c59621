// The pictures of the sample's texts, which the player only draws: set
// here with FreeType in the bold DejaVu Sans that the setup installs,
// white with the glyphs' coverage as alpha.
#pragma once

#include <string_view>
#include <vector>

#include <windows.h>

struct TextPicture {
    std::vector<BYTE> dds;  // uncompressed A8R8G8B8
    int width;
    int height;
};

// One line of text, pixelHeight pixels from the font's ascent to its descent,
// with a margin of a tenth of that all round; underlined when asked.
// Throws std::runtime_error when the font cannot be found or read.
TextPicture RenderTextPicture(std::u32string_view text, int pixelHeight, bool underlined = false);
