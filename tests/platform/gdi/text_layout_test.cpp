#include <gtest/gtest.h>

#include <windows.h>

#include "platform/gdi/text_layout.h"

namespace {

using platform::gdi::LayOutText;

struct LayoutCase {
    const wchar_t* text;
    UINT format;
    int width;  // in characters of ten pixels
    std::vector<std::wstring> lines;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    for (const wchar_t* p = c.text; *p; ++p) *out << (*p >= 0x20 && *p < 0x7F ? static_cast<char>(*p) : '~');
    *out << " in " << c.width << (c.format & DT_SINGLELINE ? " single" : "") << (c.format & DT_NOPREFIX ? "" : " prefix");
}

class TextLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(TextLayoutTest, BreaksIntoTheseLines) {
    const LayoutCase& c = GetParam();
    const auto lines = LayOutText(c.text, c.format, c.width * 10, [](wchar_t) { return 10; });
    std::vector<std::wstring> texts;
    for (const auto& line : lines) {
        texts.push_back(line.text);
        EXPECT_EQ(line.width, static_cast<int>(line.text.size()) * 10);
        EXPECT_EQ(line.underlined.size(), line.text.size());
    }
    EXPECT_EQ(texts, c.lines);
}

constexpr UINT kWrap = DT_WORDBREAK | DT_NOPREFIX;

INSTANTIATE_TEST_SUITE_P(
    Table, TextLayoutTest,
    testing::Values(
        LayoutCase{L"one two three", kWrap, 20, {L"one two three"}},
        LayoutCase{L"one two three", kWrap, 7, {L"one two", L"three"}},
        LayoutCase{L"one two three", kWrap, 6, {L"one", L"two", L"three"}},
        LayoutCase{L"one   two", kWrap, 5, {L"one", L"two"}},
        LayoutCase{L"  lead", kWrap, 10, {L"  lead"}},
        LayoutCase{L"extraordinary word", kWrap, 5, {L"extraordinary", L"word"}},
        LayoutCase{L"a extraordinary", kWrap, 5, {L"a", L"extraordinary"}},
        LayoutCase{L"first\r\nsecond\nthird\rfourth", kWrap, 20, {L"first", L"second", L"third", L"fourth"}},
        LayoutCase{L"line one\n\nafter a blank", kWrap, 9, {L"line one", L"", L"after a", L"blank"}},
        LayoutCase{L"no wrap without the flag", DT_NOPREFIX, 3, {L"no wrap without the flag"}},
        LayoutCase{L"one\ntwo", DT_SINGLELINE | kWrap, 3, {L"one\ntwo"}},
        LayoutCase{L"&Save && &quit&", 0, 40, {L"Save & quit"}},
        LayoutCase{L"&Save", DT_NOPREFIX, 40, {L"&Save"}},
        LayoutCase{L"", kWrap, 10, {L""}}));

TEST(TextLayout, APrefixUnderlinesTheCharacterAfterIt) {
    const auto lines = LayOutText(L"a&b&&c", 0, 100, [](wchar_t) { return 1; });
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, L"ab&c");
    EXPECT_EQ(lines[0].underlined, (std::vector<bool>{false, true, false, false}));
}

}  // namespace
