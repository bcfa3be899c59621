#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include <windows.h>

namespace {

struct FormatCase {
    const char* name;
    std::function<int(LPWSTR)> format;
    std::wstring expected;
};

void PrintTo(const FormatCase& c, std::ostream* out) { *out << c.name; }

class WideFormat : public testing::TestWithParam<FormatCase> {};

TEST_P(WideFormat, WritesWindowsText) {
    wchar_t buffer[1024];
    const int count = GetParam().format(buffer);
    EXPECT_EQ(std::wstring(buffer), GetParam().expected);
    EXPECT_EQ(count, static_cast<int>(GetParam().expected.size()));
}

const LONG kNegativeLong = -5;
const DWORD kAllBits = 0xFFFFFFFFu;

INSTANTIATE_TEST_SUITE_P(
    Text, WideFormat,
    testing::Values(
        FormatCase{"WideString", [](LPWSTR b) { return wsprintfW(b, L"[%s]", L"wide"); },
                   L"[wide]"},
        FormatCase{"NarrowStringIsUtf8",
                   [](LPWSTR b) { return wsprintfW(b, L"%S", "caf\xC3\xA9"); }, L"caf\u00E9"},
        FormatCase{"SizeForcesNarrowOrWide",
                   [](LPWSTR b) { return wsprintfW(b, L"%hs|%lS", "n", L"w"); }, L"n|w"},
        FormatCase{"NullString",
                   [](LPWSTR b) { return wsprintfW(b, L"%s", static_cast<LPCWSTR>(nullptr)); },
                   L"(null)"},
        FormatCase{"Characters",
                   [](LPWSTR b) { return wsprintfW(b, L"%c%C", L'\u00E9', 'A'); },
                   L"\u00E9A"},
        FormatCase{"Signed",
                   [](LPWSTR b) { return wsprintfW(b, L"%d %i %d", -42, 7, INT32_MIN); },
                   L"-42 7 -2147483648"},
        FormatCase{"Unsigned", [](LPWSTR b) { return wsprintfW(b, L"%u", -1); },
                   L"4294967295"},
        FormatCase{"Hex",
                   [](LPWSTR b) {
                       return wsprintfW(b, L"%x %X %#x %#X %#x", 0xBEEF, 0xBEEF, 255, 255, 0);
                   },
                   L"beef BEEF 0xff 0XFF 0"},
        FormatCase{"LongIs32Bits",
                   [](LPWSTR b) {
                       return wsprintfW(b, L"%ld %lu %lx %d", kNegativeLong, kAllBits, kAllBits,
                                        9);
                   },
                   L"-5 4294967295 ffffffff 9"},
        FormatCase{"Int64",
                   [](LPWSTR b) {
                       return wsprintfW(b, L"%I64d %I64u %I64X %d", int64_t{-9000000000},
                                        UINT64_MAX, uint64_t{0x123456789AB}, 3);
                   },
                   L"-9000000000 18446744073709551615 123456789AB 3"},
        FormatCase{"NumberWidths",
                   [](LPWSTR b) {
                       return wsprintfW(b, L"[%5d][%-5d][%05d][%05d][%-05d]", 42, 42, 42, -42,
                                        42);
                   },
                   L"[   42][42   ][00042][-0042][42   ]"},
        FormatCase{"NumberPrecision",
                   [](LPWSTR b) { return wsprintfW(b, L"[%.4d][%8.4x][%.0d]", 7, 0xAB, 0); },
                   L"[0007][    00ab][0]"},
        FormatCase{"StringWidthAndPrecision",
                   [](LPWSTR b) {
                       return wsprintfW(b, L"[%6s][%-6s][%.3s][%5.2S]", L"abc", L"abc",
                                        L"abcdef", "abcdef");
                   },
                   L"[   abc][abc   ][abc][   ab]"},
        FormatCase{"Pointer",
                   [](LPWSTR b) {
                       return wsprintfW(b, L"%p", reinterpret_cast<void*>(uintptr_t{0xBEEF}));
                   },
                   L"000000000000BEEF"},
        FormatCase{"Percent", [](LPWSTR b) { return wsprintfW(b, L"100%% %d%%", 5); },
                   L"100% 5%"}),
    [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

class WideFormatLimit : public testing::Test {
protected:
    static constexpr wchar_t kUntouched = L'#';
    std::vector<wchar_t> buffer = std::vector<wchar_t>(1100, kUntouched);

    void ExpectCappedAt1024(int count, wchar_t filler) {
        EXPECT_EQ(count, 1023);
        EXPECT_EQ(std::wstring(buffer.data()), std::wstring(1023, filler));
        EXPECT_EQ(buffer[1024], kUntouched);
    }
};

TEST_F(WideFormatLimit, LongArgumentIsCut) {
    const std::wstring text(2000, L'x');
    ExpectCappedAt1024(wsprintfW(buffer.data(), L"%s%d", text.c_str(), 12345), L'x');
}

TEST_F(WideFormatLimit, LongFormatIsCut) {
    const std::wstring format(1500, L'y');
    ExpectCappedAt1024(wsprintfW(buffer.data(), format.c_str()), L'y');
}

TEST_F(WideFormatLimit, HugeWidthIsCut) {
    ExpectCappedAt1024(wsprintfW(buffer.data(), L"%099999d", 7), L'0');
}

}  // namespace
