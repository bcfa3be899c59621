// Each test gets its own registry file in a fresh folder, and a handle type
// that closes itself.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace registry_test {

inline constexpr wchar_t kSaverKey[] = L"Software\\Corvenna\\Lumaweft Maker\\Screensaver\\";

class ScopedKey {
public:
    ScopedKey() = default;
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    HKEY get() const { return key_; }
    PHKEY out() { return &key_; }
    // Hands the handle over to a test that closes it itself.
    HKEY release() { return std::exchange(key_, nullptr); }

private:
    HKEY key_ = nullptr;
};

class RegistryFileTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::filesystem::path folder() const { return folder_; }
    std::filesystem::path file() const { return folder_ / "registry.reg"; }
    std::string FileText() const;
    void WriteFileText(const std::string& text) const;
    void UseRegistryFile(const std::filesystem::path& path) const;

    // Creates (or opens) a key below HKEY_CURRENT_USER; fails the test if it cannot.
    void CreateKey(const wchar_t* subKey, ScopedKey& key, DWORD* disposition = nullptr) const;
    void SetValue(const wchar_t* subKey, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) const;
    void SetDword(const wchar_t* subKey, const wchar_t* name, DWORD number) const;
    // The value's type and bytes through a new handle, or nothing.
    std::optional<std::pair<DWORD, std::vector<BYTE>>> QueryValue(const wchar_t* subKey,
                                                                  const wchar_t* name) const;

private:
    std::filesystem::path folder_;
    std::optional<std::string> savedRegistry_;
    std::optional<std::string> savedConfigHome_;
};

std::vector<BYTE> DwordBytes(DWORD number);
std::vector<BYTE> StringBytes(const std::wstring& text);

struct HelperRun {
    int exitCode = -1;
    std::string output;
};

// Runs the registry helper program in a new process with the given arguments.
HelperRun RunHelper(const std::vector<std::string>& arguments);
// Starts it without waiting; returns the process id.
int StartHelper(const std::vector<std::string>& arguments);
int WaitForHelper(int processId);

}  // namespace registry_test
