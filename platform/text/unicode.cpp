#include <platform/unicode.h>

#include <cstdint>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

template <typename UnitAt>
std::wstring DecodeUtf16(std::size_t count, UnitAt unitAt) {
    std::wstring text;
    text.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        char32_t unit = unitAt(i);
        if (IsHighSurrogate(unit) && i + 1 < count && IsLowSurrogate(unitAt(i + 1))) {
            char32_t low = unitAt(++i);
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

template <typename PutUnit>
void EncodeUtf16(std::wstring_view text, PutUnit putUnit) {
    for (wchar_t wide : text) {
        auto c = static_cast<char32_t>(wide);
        if (c >= 0x10000 && c <= 0x10FFFF) {
            c -= 0x10000;
            putUnit(static_cast<char16_t>(0xD800 + (c >> 10)));
            putUnit(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else if (c > 0x10FFFF) {
            putUnit(static_cast<char16_t>(kReplacement));
        } else {
            putUnit(static_cast<char16_t>(c));  // lone surrogates pass through
        }
    }
}

}  // namespace

std::wstring WideFromUtf16(std::u16string_view units) {
    return DecodeUtf16(units.size(), [&](std::size_t i) { return char32_t{units[i]}; });
}

std::wstring WideFromUtf16Le(const void* bytes, std::size_t byteCount) {
    const auto* b = static_cast<const uint8_t*>(bytes);
    return DecodeUtf16(byteCount / 2, [&](std::size_t i) {
        return static_cast<char32_t>(b[2 * i] | (b[2 * i + 1] << 8));
    });
}

std::u16string Utf16FromWide(std::wstring_view text) {
    std::u16string units;
    units.reserve(text.size());
    EncodeUtf16(text, [&](char16_t unit) { units.push_back(unit); });
    return units;
}

std::string Utf16LeFromWide(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    EncodeUtf16(text, [&](char16_t unit) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    });
    return bytes;
}

std::wstring WideFromUtf8(std::string_view text) {
    std::wstring wide;
    wide.reserve(text.size());
    const auto* s = reinterpret_cast<const uint8_t*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const uint8_t lead = s[i];
        int length = 0;
        char32_t c = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            length = 1, c = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, c = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, c = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, c = lead & 0x07, minimum = 0x10000;
        } else {
            wide.push_back(static_cast<wchar_t>(kReplacement));
            ++i;
            continue;
        }
        int taken = 1;
        while (taken < length && i + taken < n && (s[i + taken] & 0xC0) == 0x80) {
            c = (c << 6) | (s[i + taken] & 0x3F);
            ++taken;
        }
        if (taken < length || c < minimum || c > 0x10FFFF || IsSurrogate(c)) c = kReplacement;
        wide.push_back(static_cast<wchar_t>(c));
        i += taken;
    }
    return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (wchar_t wide : text) {
        auto c = static_cast<char32_t>(wide);
        if (IsSurrogate(c) || c > 0x10FFFF) c = kReplacement;
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

}  // namespace platform
