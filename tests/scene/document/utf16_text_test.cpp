// Document text at either width of WCHAR: 16-bit characters are the code
// units as stored, 32-bit ones combine pairs; unpaired surrogates survive
// both ways.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "scene/document/utf16_text.h"

namespace {

struct TextCase {
    const char* name;
    std::vector<BYTE> bytes;
    std::u16string units;   // the text where WCHAR is 16 bits
    std::u32string points;  // the text where WCHAR is 32 bits
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class DocumentText : public testing::TestWithParam<TextCase> {};

template <class Char>
void ExpectRoundTrip(const TextCase& c, const std::basic_string<Char>& text) {
    EXPECT_EQ(TextFromUtf16Le<Char>(c.bytes.data(), c.bytes.size() / 2), text);
    EXPECT_EQ(Utf16LeFromText<Char>(text), c.bytes);
}

TEST_P(DocumentText, ReadsAndWritesAtBothWidths) {
    ExpectRoundTrip<char16_t>(GetParam(), GetParam().units);
    ExpectRoundTrip<char32_t>(GetParam(), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentText,
    testing::Values(
        TextCase{"Latin", {'h', 0, 0xE9, 0}, u"h\u00E9", U"h\u00E9"},
        TextCase{"BeyondLatin", {0x3A, 0x04, 0xAC, 0x20}, u"\u043A\u20AC", U"\u043A\u20AC"},
        TextCase{"SurrogatePair", {0x3D, 0xD8, 0x00, 0xDE}, u"\U0001F600", U"\U0001F600"},
        TextCase{"LoneHigh", {0x00, 0xD8, 'a', 0}, {char16_t{0xD800}, u'a'}, {char32_t{0xD800}, U'a'}},
        TextCase{"LoneLowFirst", {0x00, 0xDC, 0x00, 0xD8}, {char16_t{0xDC00}, char16_t{0xD800}},
                 {char32_t{0xDC00}, char32_t{0xD800}}},
        TextCase{"HighAtTheEnd", {'a', 0, 0x3D, 0xD8}, {u'a', char16_t{0xD83D}},
                 {U'a', char32_t{0xD83D}}}),
    [](const auto& info) { return info.param.name; });

TEST(DocumentText, BeyondTheLastCodePointWritesTheReplacement) {
    const std::u32string text = {char32_t{0x110000}, U'a'};
    EXPECT_EQ(Utf16LeFromText<char32_t>(text), (std::vector<BYTE>{0xFD, 0xFF, 'a', 0}));
}

}  // namespace
