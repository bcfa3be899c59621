// Lines of DrawTextW: prefix characters, line ends and word breaks.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <windef.h>

namespace platform::gdi {

struct TextLine {
    std::wstring text;
    std::vector<bool> underlined;  // per character: it followed a prefix '&'
    int width = 0;
};

using AdvanceOf = std::function<int(wchar_t)>;

// format is DrawTextW's: DT_SINGLELINE, DT_WORDBREAK (lines no wider than
// width where spaces allow) and DT_NOPREFIX count.
std::vector<TextLine> LayOutText(std::wstring_view text, UINT format, int width, const AdvanceOf& advance);

}  // namespace platform::gdi
