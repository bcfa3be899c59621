#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <platform/unicode.h>

namespace {

struct LosslessCase {
    const char* name;
    std::wstring wide;
    std::u16string utf16;
    std::string utf8;
};

void PrintTo(const LosslessCase& c, std::ostream* out) { *out << c.name; }

class LosslessConversion : public testing::TestWithParam<LosslessCase> {};

TEST_P(LosslessConversion, EveryEncodingRoundTrips) {
    const LosslessCase& c = GetParam();
    EXPECT_EQ(platform::Utf16FromWide(c.wide), c.utf16);
    EXPECT_EQ(platform::WideFromUtf16(c.utf16), c.wide);
    EXPECT_EQ(platform::Utf8FromWide(c.wide), c.utf8);
    EXPECT_EQ(platform::WideFromUtf8(c.utf8), c.wide);
    const std::string bytes = platform::Utf16LeFromWide(c.wide);
    EXPECT_EQ(platform::WideFromUtf16Le(bytes.data(), bytes.size()), c.wide);
}

INSTANTIATE_TEST_SUITE_P(
    Unicode, LosslessConversion,
    testing::Values(LosslessCase{"Ascii", L"Saver 1.0", u"Saver 1.0", "Saver 1.0"},
                    LosslessCase{"Bmp", L"\u00E9\u20AC", u"\u00E9\u20AC",
                                 "\xC3\xA9\xE2\x82\xAC"},
                    LosslessCase{"SurrogatePair", std::wstring(1, wchar_t{0x1F600}),
                                 std::u16string{char16_t{0xD83D}, char16_t{0xDE00}},
                                 "\xF0\x9F\x98\x80"},
                    LosslessCase{"EmbeddedZero", std::wstring(L"a\0b", 3),
                                 std::u16string(u"a\0b", 3), std::string("a\0b", 3)}),
    [](const testing::TestParamInfo<LosslessCase>& info) { return info.param.name; });

TEST(Unicode, Utf16LeIsLittleEndian) {
    EXPECT_EQ(platform::Utf16LeFromWide(L"A\u20AC"), std::string("A\0\xAC\x20", 4));
    const char bytes[] = {'h', 0, 'i', 0, 'x'};  // a trailing odd byte is no code unit
    EXPECT_EQ(platform::WideFromUtf16Le(bytes, sizeof bytes), L"hi");
}

TEST(Unicode, UnpairedSurrogateSurvivesUtf16ButNotUtf8) {
    const std::wstring lone = {wchar_t{0xD800}, L'a', wchar_t{0xDC00}};
    const std::u16string units = {char16_t{0xD800}, u'a', char16_t{0xDC00}};
    EXPECT_EQ(platform::Utf16FromWide(lone), units);
    EXPECT_EQ(platform::WideFromUtf16(units), lone);
    EXPECT_EQ(platform::Utf8FromWide(lone), "\xEF\xBF\xBD" "a\xEF\xBF\xBD");
}

struct MalformedUtf8Case {
    const char* name;
    std::string bytes;
    std::wstring wide;
};

void PrintTo(const MalformedUtf8Case& c, std::ostream* out) { *out << c.name; }

class MalformedUtf8 : public testing::TestWithParam<MalformedUtf8Case> {};

TEST_P(MalformedUtf8, BecomesReplacementCharacter) {
    EXPECT_EQ(platform::WideFromUtf8(GetParam().bytes), GetParam().wide);
}

INSTANTIATE_TEST_SUITE_P(
    Unicode, MalformedUtf8,
    testing::Values(MalformedUtf8Case{"StrayContinuation", "a\x80z", L"a\uFFFDz"},
                    MalformedUtf8Case{"TruncatedAtEnd", "a\xE2\x82", L"a\uFFFD"},
                    MalformedUtf8Case{"TruncatedBeforeAscii", "\xE2\x82z", L"\uFFFDz"},
                    MalformedUtf8Case{"Overlong", "\xC0\xAF", L"\uFFFD"},
                    MalformedUtf8Case{"EncodedSurrogate", "\xED\xA0\x80", L"\uFFFD"},
                    MalformedUtf8Case{"BeyondUnicode", "\xF4\x90\x80\x80", L"\uFFFD"},
                    MalformedUtf8Case{"InvalidLead", "\xFF", L"\uFFFD"}),
    [](const testing::TestParamInfo<MalformedUtf8Case>& info) { return info.param.name; });

}  // namespace
