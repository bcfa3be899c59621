// Only a regular file of at most 16 MB is read as the registry: anything
// else reads as empty, is never written, and says so once on stderr. A
// write of what the file already holds leaves it alone.
#include "platform/registry/registry_fixture.h"

#include <platform/unicode.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <future>
#include <iterator>
#include <ostream>
#include <utility>

namespace registry_test {
namespace {

constexpr std::size_t kLargestFile = std::size_t{16} << 20;  // the limit the README gives

const std::string kSettings = "Windows Registry Editor Version 5.00\n\n"
                              "[HKEY_CURRENT_USER\\Software\\Corvenna\\Lumaweft Maker\\Screensaver]\n"
                              "\"Width\"=dword:00000400\n";

// The settings, then a comment line that makes the file that long.
std::string SettingsOfSize(std::size_t bytes) {
    std::string text = kSettings + "; ";
    text.append(bytes - text.size() - 1, 'x');
    return text + '\n';
}

struct RefusedFile {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
    // Whether the thing at the path is still what was made.
    std::function<bool(const std::filesystem::path&)> unchanged;

    friend void PrintTo(const RefusedFile& file, std::ostream* out) { *out << file.name; }
};

class RefusedFileTest : public RegistryFileTest, public ::testing::WithParamInterface<RefusedFile> {
protected:
    // A FIFO would block the reader until a writer comes: after a while the
    // test comes as one, so that a failing read fails rather than hangs.
    std::optional<std::pair<DWORD, std::vector<BYTE>>> QueryWithoutWaiting(const wchar_t* name) const {
        auto query = std::async(std::launch::async, [&] { return QueryValue(kSaverKey, name); });
        if (query.wait_for(std::chrono::seconds(20)) == std::future_status::timeout) {
            ADD_FAILURE() << "reading the registry waits";
            const int writer = ::open(file().c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) ::close(writer);
        }
        return query.get();
    }
};

TEST_P(RefusedFileTest, ReadsAsEmptyIsNeverWrittenAndSaysSoOnce) {
    GetParam().make(file());
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(QueryWithoutWaiting(L"Width"), std::nullopt);
    EXPECT_EQ(QueryWithoutWaiting(L"Width"), std::nullopt);

    ScopedKey key;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kSaverKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(), nullptr),
              ERROR_ACCESS_DENIED);
    const DWORD width = 640;
    EXPECT_EQ(RegSetValueExW(HKEY_CURRENT_USER, L"Width", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&width),
                             sizeof width),
              ERROR_ACCESS_DENIED);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_NE(errors.find(file().string()), std::string::npos) << errors;
    EXPECT_TRUE(GetParam().unchanged(file()));
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedFileTest,
    ::testing::Values(
        RefusedFile{"Fifo", [](const std::filesystem::path& path) { ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0); },
                    [](const std::filesystem::path& path) { return std::filesystem::is_fifo(path); }},
        RefusedFile{"Directory",
                    [](const std::filesystem::path& path) {
                        std::filesystem::create_directory(path);
                        std::ofstream(path / "inside") << kSettings;
                    },
                    [](const std::filesystem::path& path) {
                        return std::filesystem::is_directory(path) && std::filesystem::file_size(path / "inside") ==
                                                                          kSettings.size();
                    }},
        RefusedFile{"LargerThanTheLimit",
                    [](const std::filesystem::path& path) {
                        std::ofstream(path, std::ios::binary) << SettingsOfSize(kLargestFile + 1);
                    },
                    [](const std::filesystem::path& path) {
                        std::ifstream in(path, std::ios::binary);
                        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
                        return text == SettingsOfSize(kLargestFile + 1);
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

// A change that would take the file past the limit is refused, so that the
// file stays readable; one within it is written.
TEST_F(RegistryFileTest, AFileOfTheLimitsSizeIsReadAndKeptWithinIt) {
    const std::string largest = SettingsOfSize(kLargestFile);
    WriteFileText(largest);
    ASSERT_TRUE(QueryValue(kSaverKey, L"Width").has_value());

    ScopedKey key;
    CreateKey(kSaverKey, key);
    const DWORD height = 768;
    EXPECT_EQ(RegSetValueExW(key.get(), L"Height", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&height), sizeof height),
              ERROR_REGISTRY_IO_FAILED);
    EXPECT_TRUE(FileText() == largest);

    SetDword(kSaverKey, L"Width", 800);  // a line of the same length
    // As another process reads the file written.
    EXPECT_EQ(RunHelper({"get", platform::Utf8FromWide(kSaverKey), "Width"}).output, "4 20030000");
    EXPECT_EQ(QueryValue(kSaverKey, L"Height"), std::nullopt);
}

TEST_F(RegistryFileTest, WritingWhatIsStoredLeavesTheFileAlone) {
    const auto inode = [&] {
        struct stat status {};
        ::stat(file().c_str(), &status);
        return status.st_ino;
    };
    WriteFileText(kSettings);
    // A write replaces the file by another: the same file is none.
    auto last = inode();
    const auto replaced = [&] {
        const auto now = inode();
        return std::exchange(last, now) != now;
    };
    struct Step {
        const char* what;
        std::function<void()> write;
        bool replaces;
    };
    const Step steps[] = {
        {"the value as read", [&] { SetDword(kSaverKey, L"Width", 1024); }, false},
        {"the key as read", [&] { ScopedKey key; CreateKey(kSaverKey, key); }, false},
        {"a new value", [&] { SetDword(kSaverKey, L"Height", 768); }, true},
        {"the new value again", [&] { SetDword(kSaverKey, L"Height", 768); }, false},
        {"the same bytes as another type", [&] { SetValue(kSaverKey, L"Width", REG_BINARY, DwordBytes(1024)); }, true},
    };
    for (const Step& step : steps) {
        step.write();
        EXPECT_EQ(replaced(), step.replaces) << step.what;
    }
    EXPECT_EQ(QueryValue(kSaverKey, L"Width")->first, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(QueryValue(kSaverKey, L"Height")->second, DwordBytes(768));
}

}  // namespace
}  // namespace registry_test
