#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <windows.h>

#include <platform/unicode.h>

#include "platform/kernel/command_line.h"

namespace {

class Process : public testing::Test {
protected:
    Process() {
        char pattern[] = "/tmp/process-test-XXXXXX";
        folder = mkdtemp(pattern);
    }
    ~Process() override {
        for (HANDLE handle : handles) CloseHandle(handle);
        std::filesystem::remove_all(folder);
    }

    BOOL Start(LPCWSTR applicationName, std::wstring commandLine,
               LPCWSTR currentDirectory = nullptr) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION information{};
        const BOOL started = CreateProcessW(applicationName, commandLine.data(), nullptr, nullptr,
                                            FALSE, 0, nullptr, currentDirectory, &startup,
                                            &information);
        if (started) {
            process = information.hProcess;
            thread = information.hThread;
            handles = {process, thread};
        }
        return started;
    }

    DWORD ExitCode() {
        DWORD code = 0;
        EXPECT_TRUE(GetExitCodeProcess(process, &code));
        return code;
    }

    std::string ReadFile(const char* name) {
        std::ifstream file(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path folder;
    HANDLE process = nullptr;
    HANDLE thread = nullptr;
    std::vector<HANDLE> handles;
};

TEST_F(Process, CommandLineWithoutApplicationNameIsSearchedOnPath) {
    ASSERT_TRUE(Start(nullptr, L"sh -c \"exit 3\""));
    EXPECT_EQ(WaitForSingleObject(process, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCode(), 3u);
}

TEST_F(Process, ArgumentsArriveAsTheyWereQuoted) {
    const std::wstring output = platform::WideFromUtf8((folder / "out").string());
    const std::vector<std::wstring> arguments = {
        L"sh", L"-c", L"printf '%s|%s' \"$1\" \"$2\" > \"$3\"", L"sh", L"a \"b\"\tc\\", L"",
        output};
    ASSERT_TRUE(Start(nullptr, platform::BuildCommandLine(arguments)));
    ASSERT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCode(), 0u);
    EXPECT_EQ(ReadFile("out"), "a \"b\"\tc\\|");
}

TEST_F(Process, ApplicationNameIsRunAsNamedWithWindowsSeparators) {
    ASSERT_TRUE(Start(L"\\bin\\sh", L"sh -c \"pwd > out\"", folder.wstring().c_str()));
    ASSERT_EQ(WaitForSingleObject(process, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(ReadFile("out"), folder.string() + "\n");
}

TEST_F(Process, WaitTimesOutWhileTheChildRuns) {
    ASSERT_TRUE(Start(nullptr, L"sleep 1"));
    EXPECT_EQ(WaitForSingleObject(process, 20), WAIT_TIMEOUT);
    EXPECT_EQ(ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(process, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCode(), 0u);
}

TEST_F(Process, MissingProgramFails) {
    EXPECT_FALSE(Start(nullptr, L"no-such-program-anywhere /s"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(Start(L"sh", L"sh -c \"exit 0\""));  // an application name is not searched
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(Process, HandlesCloseOnceAndRefuseTheWrongKind) {
    ASSERT_TRUE(Start(nullptr, L"true"));
    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeProcess(thread, &code));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(CloseHandle(process));
    EXPECT_FALSE(CloseHandle(process));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(thread));
    EXPECT_TRUE(CloseHandle(GetCurrentThread()));
    handles.clear();
}

}  // namespace
