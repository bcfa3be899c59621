// Conversions at the byte boundaries: UTF-16LE (documents, .res files)
// and UTF-8 (the registry file, file names) to and from std::wstring.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Every code unit is kept: pairs combine, unpaired surrogates survive.
std::wstring WideFromUtf16(std::u16string_view units);
std::wstring WideFromUtf16Le(const void* bytes, std::size_t byteCount);
std::u16string Utf16FromWide(std::wstring_view text);
std::string Utf16LeFromWide(std::wstring_view text);

// Malformed input and unpaired surrogates become U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace platform
