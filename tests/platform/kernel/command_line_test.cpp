#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include <windows.h>

#include <platform/unicode.h>

#include "platform/kernel/command_line.h"

namespace {

using Arguments = std::vector<std::wstring>;

struct SplitCase {
    const char* name;
    std::wstring line;
    Arguments arguments;
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.name; }

class CommandLineSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplit, FollowsCommandLineToArgvW) {
    EXPECT_EQ(platform::SplitCommandLine(GetParam().line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, CommandLineSplit,
    testing::Values(
        SplitCase{"Empty", L"", {}},
        SplitCase{"Blanks", L"saver.scr  /p\t1234 ", {L"saver.scr", L"/p", L"1234"}},
        SplitCase{"QuotedProgramKeepsBackslashes", L"\"C:\\Saver dir\\saver.scr\" /s",
                  {L"C:\\Saver dir\\saver.scr", L"/s"}},
        SplitCase{"ProgramEndsAtItsQuote", L"\"a b\"c d", {L"a b", L"c", L"d"}},
        SplitCase{"QuotedArgument", L"p \"two words\" x\"y z\"", {L"p", L"two words", L"xy z"}},
        SplitCase{"EmptyArgument", L"p \"\" x", {L"p", L"", L"x"}},
        SplitCase{"EvenBackslashesBeforeQuote", L"p a\\\\\"b c\"", {L"p", L"a\\b c"}},
        SplitCase{"OddBackslashesBeforeQuote", L"p a\\\\\\\"b", {L"p", L"a\\\"b"}},
        SplitCase{"BackslashesElsewhereLiteral", L"p C:\\dir\\ \\\\x", {L"p", L"C:\\dir\\", L"\\\\x"}},
        SplitCase{"DoubledQuoteInsideQuotes", L"p \"a\"\"b c\"", {L"p", L"a\"b", L"c"}},
        SplitCase{"UnclosedQuote", L"p \"a b", {L"p", L"a b"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

struct BuildCase {
    const char* name;
    Arguments arguments;
    std::wstring line;
};

void PrintTo(const BuildCase& c, std::ostream* out) { *out << c.name; }

class CommandLineBuild : public testing::TestWithParam<BuildCase> {};

TEST_P(CommandLineBuild, QuotesAsWindowsPresentsIt) {
    EXPECT_EQ(platform::BuildCommandLine(GetParam().arguments), GetParam().line);
    EXPECT_EQ(platform::SplitCommandLine(GetParam().line), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Kernel, CommandLineBuild,
    testing::Values(
        BuildCase{"ProgramAlwaysQuoted", {L"/usr/bin/saver"}, L"\"/usr/bin/saver\""},
        BuildCase{"PlainArguments", {L"/a b/saver", L"/p", L"1234"}, L"\"/a b/saver\" /p 1234"},
        BuildCase{"Empty", {L"p", L""}, L"\"p\" \"\""},
        BuildCase{"Blank", {L"p", L"a b"}, L"\"p\" \"a b\""},
        BuildCase{"Tab", {L"p", L"a\tb"}, L"\"p\" \"a\tb\""},
        BuildCase{"Quote", {L"p", L"say \"hi\""}, L"\"p\" \"say \\\"hi\\\"\""},
        BuildCase{"BackslashesBeforeQuote", {L"p", L"a\\\"b"}, L"\"p\" \"a\\\\\\\"b\""},
        BuildCase{"TrailingBackslashQuoted", {L"p", L"C:\\my dir\\"}, L"\"p\" \"C:\\my dir\\\\\""},
        BuildCase{"BackslashUnquoted", {L"p", L"C:\\dir\\"}, L"\"p\" C:\\dir\\"}),
    [](const testing::TestParamInfo<BuildCase>& info) { return info.param.name; });

TEST(CommandLine, RoundTripsAwkwardArguments) {
    const Arguments arguments = {L"/opt/my saver/saver", L"\\\\\"",  L"\"",     L"\\",
                                 L" \\ ",                L"a\\\\b\\", L"\u00E9 \U0001F600",
                                 L"",                    L"\"\"",     L"x\"\"y z"};
    EXPECT_EQ(platform::SplitCommandLine(platform::BuildCommandLine(arguments)), arguments);
}

TEST(CommandLine, ThisProcessIsPresentedAsOnWindows) {
    const std::wstring line = GetCommandLineW();
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.front(), L'"');
    Arguments expected;
    for (const std::string& argument : testing::internal::GetArgvs())
        expected.push_back(platform::WideFromUtf8(argument));
    EXPECT_EQ(platform::SplitCommandLine(line), expected);
    EXPECT_EQ(GetCommandLineW(), GetCommandLineW());
}

}  // namespace
