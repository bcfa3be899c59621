#include "kernel/command_line.h"

#include <fstream>
#include <iterator>

#include <windows.h>

#include <platform/unicode.h>

namespace platform {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

bool NeedsQuotes(std::wstring_view argument) {
    return argument.empty() || argument.find_first_of(L" \t\"") != std::wstring_view::npos;
}

std::wstring QuoteArgument(std::wstring_view argument) {
    if (!NeedsQuotes(argument)) return std::wstring(argument);
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            quoted.append(2 * backslashes + 1, L'\\');
        } else {
            quoted.append(backslashes, L'\\');
        }
        quoted += c;
        backslashes = 0;
    }
    quoted.append(2 * backslashes, L'\\');  // they now stand before the closing quote
    quoted += L'"';
    return quoted;
}

std::wstring ReadProgramToken(std::wstring_view line, std::size_t& i) {
    std::wstring program;
    if (i < line.size() && line[i] == L'"') {
        for (++i; i < line.size() && line[i] != L'"'; ++i) program += line[i];
        if (i < line.size()) ++i;
    } else {
        for (; i < line.size() && !IsBlank(line[i]); ++i) program += line[i];
    }
    return program;
}

std::wstring ReadArgument(std::wstring_view line, std::size_t& i) {
    std::wstring argument;
    bool quoted = false;
    std::size_t backslashes = 0;
    for (; i < line.size(); ++i) {
        const wchar_t c = line[i];
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            argument.append(backslashes / 2, L'\\');
            const bool escaped = backslashes % 2 == 1;
            backslashes = 0;
            if (escaped) {
                argument += L'"';
            } else if (quoted && i + 1 < line.size() && line[i + 1] == L'"') {
                argument += L'"';
                quoted = false;
                ++i;
            } else {
                quoted = !quoted;
            }
            continue;
        }
        argument.append(backslashes, L'\\');
        backslashes = 0;
        if (!quoted && IsBlank(c)) break;
        argument += c;
    }
    argument.append(backslashes, L'\\');
    return argument;
}

std::vector<std::wstring> ArgumentsOfThisProcess() {
    std::ifstream file("/proc/self/cmdline", std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::vector<std::wstring> arguments;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find('\0', start);
        if (end == std::string::npos) end = bytes.size();
        arguments.push_back(WideFromUtf8(std::string_view(bytes).substr(start, end - start)));
        start = end + 1;
    }
    return arguments;
}

}  // namespace

std::wstring BuildCommandLine(const std::vector<std::wstring>& arguments) {
    std::wstring line;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i == 0) {
            line = L"\"" + arguments[0] + L"\"";
        } else {
            line += L' ';
            line += QuoteArgument(arguments[i]);
        }
    }
    return line;
}

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
    std::vector<std::wstring> arguments;
    if (line.empty()) return arguments;
    std::size_t i = 0;
    arguments.push_back(ReadProgramToken(line, i));
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i == line.size()) break;
        arguments.push_back(ReadArgument(line, i));
    }
    return arguments;
}

}  // namespace platform

extern "C" LPWSTR WINAPI GetCommandLineW() {
    static std::wstring line = platform::BuildCommandLine(platform::ArgumentsOfThisProcess());
    return line.data();
}
