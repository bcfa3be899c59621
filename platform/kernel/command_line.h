// Windows command lines: one string, split by the CommandLineToArgvW rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The program path first, always in double quotes; each argument quoted
// when it is empty or holds a blank, a tab or a quote, so that
// SplitCommandLine gives the arguments back. A program path cannot hold a
// double quote: Windows reads the first token up to the next one.
std::wstring BuildCommandLine(const std::vector<std::wstring>& arguments);

// The program token ends at its closing quote, or at the first blank when
// unquoted, with backslashes taken literally. In the arguments, 2n
// backslashes before a quote give n and the quote delimits, 2n+1 give n
// and a literal quote; other backslashes are literal; a doubled quote
// inside a quoted part is a literal quote that ends the quoted part.
std::vector<std::wstring> SplitCommandLine(std::wstring_view line);

}  // namespace platform
