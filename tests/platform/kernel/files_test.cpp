#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include <windows.h>
#include <shlwapi.h>

#include <platform/unicode.h>

namespace {

// A folder of its own, named to Windows functions with backslashes.
class Files : public testing::Test {
protected:
    Files() {
        char pattern[] = "/tmp/files-test-XXXXXX";
        folder = mkdtemp(pattern);
    }
    ~Files() override { std::filesystem::remove_all(folder); }

    std::wstring WindowsPath(const std::string& name) const {
        std::wstring path = platform::WideFromUtf8((folder / name).string());
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        return path;
    }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
    }

    std::string Read(const std::string& name) const {
        std::ifstream file(folder / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path folder;
};

TEST_F(Files, CopyCreatesOrReplacesUnlessTold) {
    Write("source", std::string("document\0bytes", 14));
    ASSERT_TRUE(CopyFileW(WindowsPath("source").c_str(), WindowsPath("copy").c_str(), TRUE));
    EXPECT_EQ(Read("copy"), Read("source"));

    Write("short", "new");
    EXPECT_FALSE(CopyFileW(WindowsPath("short").c_str(), WindowsPath("copy").c_str(), TRUE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(Read("copy"), Read("source"));

    ASSERT_TRUE(CopyFileW(WindowsPath("short").c_str(), WindowsPath("copy").c_str(), FALSE));
    EXPECT_EQ(Read("copy"), "new");
}

TEST_F(Files, CopyFailuresLeaveFilesAlone) {
    EXPECT_FALSE(CopyFileW(WindowsPath("missing").c_str(), WindowsPath("copy").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(std::filesystem::exists(folder / "copy"));

    Write("source", "keep me");
    EXPECT_FALSE(
        CopyFileW(WindowsPath("source").c_str(), WindowsPath("no\\dir\\copy").c_str(), FALSE));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));

    EXPECT_FALSE(CopyFileW(WindowsPath("source").c_str(), WindowsPath("source").c_str(), FALSE));
    EXPECT_EQ(Read("source"), "keep me");
}

TEST_F(Files, DeleteAndExistence) {
    Write("caf\xC3\xA9", "x");
    const std::wstring path = WindowsPath("caf\xC3\xA9");
    EXPECT_TRUE(PathFileExistsW(path.c_str()));
    EXPECT_TRUE(PathFileExistsW(WindowsPath("").c_str()));  // folders exist too
    ASSERT_TRUE(DeleteFileW(path.c_str()));
    EXPECT_FALSE(PathFileExistsW(path.c_str()));
    EXPECT_FALSE(DeleteFileW(path.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

class TempPath : public testing::Test {
protected:
    TempPath() {
        if (const char* value = std::getenv("TMPDIR")) saved = value;
    }
    ~TempPath() override {
        if (saved) {
            setenv("TMPDIR", saved->c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }

    std::optional<std::string> saved;
};

TEST_F(TempPath, EndsWithSeparatorAndReportsTheSizeNeeded) {
    setenv("TMPDIR", "/var/tmp/saver", 1);
    wchar_t buffer[MAX_PATH];
    EXPECT_EQ(GetTempPathW(MAX_PATH, buffer), 15u);
    EXPECT_EQ(std::wstring(buffer), L"/var/tmp/saver/");

    wchar_t small[15];
    std::wmemset(small, L'#', 15);
    EXPECT_EQ(GetTempPathW(15, small), 16u);
    EXPECT_EQ(small[0], L'#');

    unsetenv("TMPDIR");
    EXPECT_EQ(GetTempPathW(MAX_PATH, buffer), 5u);
    EXPECT_EQ(std::wstring(buffer), L"/tmp/");
}

}  // namespace
