#include <gtest/gtest.h>

#include <cwchar>
#include <ostream>
#include <string>

#include <windows.h>

#include "platform/text/case_fold.h"

namespace {

TEST(WideString, LengthCopyAndConcatenate) {
    EXPECT_EQ(lstrlenW(nullptr), 0);
    EXPECT_EQ(lstrlenW(L"four"), 4);
    wchar_t buffer[16] = {};
    EXPECT_EQ(lstrcpyW(buffer, L"abc"), buffer);
    EXPECT_EQ(lstrcatW(buffer, L"def"), buffer);
    EXPECT_EQ(std::wstring(buffer), L"abcdef");
    EXPECT_EQ(lstrcpyW(buffer, nullptr), nullptr);
}

TEST(WideString, BoundedCopyAlwaysTerminates) {
    wchar_t buffer[8];
    std::wmemset(buffer, L'#', 8);
    EXPECT_EQ(lstrcpynW(buffer, L"abcdefghij", 4), buffer);
    EXPECT_EQ(std::wstring(buffer), L"abc");
    EXPECT_EQ(buffer[4], L'#');

    EXPECT_EQ(lstrcpynW(buffer, L"ab", 8), buffer);
    EXPECT_EQ(std::wstring(buffer), L"ab");

    EXPECT_EQ(lstrcpynW(buffer, L"xyz", 1), buffer);
    EXPECT_EQ(buffer[0], L'\0');

    buffer[0] = L'#';
    lstrcpynW(buffer, L"xyz", 0);
    EXPECT_EQ(buffer[0], L'#');
}

struct CompareCase {
    const char* name;
    const wchar_t* a;
    const wchar_t* b;
    int exact;
    int ignoringCase;
};

void PrintTo(const CompareCase& c, std::ostream* out) { *out << c.name; }

class WideCompare : public testing::TestWithParam<CompareCase> {};

TEST_P(WideCompare, OrdersLikeWindows) {
    const CompareCase& c = GetParam();
    EXPECT_EQ(lstrcmpW(c.a, c.b), c.exact);
    EXPECT_EQ(lstrcmpW(c.b, c.a), -c.exact);
    EXPECT_EQ(lstrcmpiW(c.a, c.b), c.ignoringCase);
    EXPECT_EQ(lstrcmpiW(c.b, c.a), -c.ignoringCase);
}

INSTANTIATE_TEST_SUITE_P(
    Text, WideCompare,
    testing::Values(CompareCase{"Equal", L"abc", L"abc", 0, 0}, CompareCase{"Less", L"abc", L"abd", -1, -1},
                    CompareCase{"Prefix", L"ab", L"abc", -1, -1}, CompareCase{"AsciiCase", L"DDS", L"dds", -1, 0},
                    CompareCase{"CaseOrderVersusFold", L"Mode[2]", L"mode[1]", -1, 1},
                    CompareCase{"Latin1", L"\u00C9T\u00C9", L"\u00E9t\u00E9", -1, 0},
                    CompareCase{"LatinExtendedA", L"\u0139\u0160\u0178", L"\u013A\u0161\u00FF", -1, 0},
                    CompareCase{"Cyrillic", L"\u0414\u0401", L"\u0434\u0451", -1, 0},
                    CompareCase{"Greek", L"\u03A3", L"\u03C3", -1, 0},
                    CompareCase{"NotLetters", L"\u00D7", L"\u00F7", -1, -1},
                    CompareCase{"NullBeforeEmpty", nullptr, L"", -1, -1}, CompareCase{"BothNull", nullptr, nullptr, 0, 0}),
    [](const testing::TestParamInfo<CompareCase>& info) { return info.param.name; });

TEST(CaseFold, UpperCasesBeyondAsciiWhateverTheLocale) {
    EXPECT_EQ(platform::UpperCase(L"dds \u00e4\u00ff\u017e\u0431\u03c3"), L"DDS \u00c4\u0178\u017d\u0411\u03a3");
    EXPECT_EQ(platform::UpperCaseChar(0x0131), L'I');  // dotless i
    EXPECT_EQ(platform::UpperCaseChar(0x00D7), wchar_t{0x00D7});  // not a letter
}

}  // namespace
