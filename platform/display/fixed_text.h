// Copies text into a fixed WCHAR field of a Windows record, cut to fit
// and always terminated.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

#include <windef.h>

namespace platform::display {

template <std::size_t N>
void CopyToField(WCHAR (&field)[N], std::wstring_view text) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, field);
    std::fill(field + length, field + N, L'\0');
}

}  // namespace platform::display
