// Document text is stored as UTF-16LE code units. Where WCHAR is 16 bits
// they are the text as it stands; where it is 32 bits, a surrogate pair is
// one character and an unpaired surrogate is kept as its own code unit, so
// every text survives a round trip.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace utf16_text {

constexpr char32_t kReplacement = 0xFFFD;

constexpr bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
constexpr bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

inline char32_t UnitAt(const BYTE* bytes, std::size_t index) {
    return static_cast<char32_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
}

inline void AppendUnit(std::vector<BYTE>* bytes, char32_t unit) {
    bytes->push_back(static_cast<BYTE>(unit & 0xFF));
    bytes->push_back(static_cast<BYTE>((unit >> 8) & 0xFF));
}

}  // namespace utf16_text

// The text of `unitCount` code units at `bytes`.
template <class Char>
std::basic_string<Char> TextFromUtf16Le(const BYTE* bytes, std::size_t unitCount) {
    using namespace utf16_text;
    std::basic_string<Char> text;
    text.reserve(unitCount);
    for (std::size_t i = 0; i < unitCount; ++i) {
        char32_t unit = UnitAt(bytes, i);
        if constexpr (sizeof(Char) > 2) {
            if (IsHighSurrogate(unit) && i + 1 < unitCount && IsLowSurrogate(UnitAt(bytes, i + 1))) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (UnitAt(bytes, ++i) - 0xDC00);
            }
        }
        text.push_back(static_cast<Char>(unit));
    }
    return text;
}

// The code units of `text`; a character beyond U+10FFFF becomes U+FFFD.
template <class Char>
std::vector<BYTE> Utf16LeFromText(std::basic_string_view<Char> text) {
    using namespace utf16_text;
    std::vector<BYTE> bytes;
    bytes.reserve(text.size() * 2);
    for (Char character : text) {
        auto c = static_cast<char32_t>(character);
        if (sizeof(Char) > 2 && c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            AppendUnit(&bytes, 0xD800 + (c >> 10));
            AppendUnit(&bytes, 0xDC00 + (c & 0x3FF));
        } else {
            AppendUnit(&bytes, c > 0x10FFFF ? kReplacement : c);
        }
    }
    return bytes;
}
