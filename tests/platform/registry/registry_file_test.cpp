#include "platform/registry/registry_fixture.h"

#include <platform/unicode.h>

#include <cstdio>
#include <string>

namespace registry_test {
namespace {

using RegistryFormatTest = RegistryFileTest;

std::string HexOf(const std::vector<BYTE>& data) {
    std::string hex;
    char digits[3];
    for (BYTE byte : data) {
        std::snprintf(digits, sizeof digits, "%02x", byte);
        hex += digits;
    }
    return hex;
}

struct StoredValue {
    const wchar_t* name;
    DWORD type;
    std::vector<BYTE> data;
};

// Names and data that the file's quoting and escaping must carry exactly.
std::vector<StoredValue> AwkwardValues() {
    std::vector<BYTE> adapter(16);
    for (std::size_t i = 0; i < adapter.size(); ++i) adapter[i] = static_cast<BYTE>(0xF7 - 13 * i);
    return {
        {L"\"SoundVolume\"", REG_DWORD, DwordBytes(100)},
        {L"\"PicPos\"", REG_DWORD, DwordBytes(0xFFFFFFFF)},
        {L"Adapter ID", REG_BINARY, adapter},
        {L"\\back\\slash\\", REG_BINARY, {}},
        {L"a=b\"=[c]\"\\\"", REG_SZ, StringBytes(L"C:\\dir\\ \"quoted\" = [x] \u00e9\u4e2d\U0001F600")},
        {L"", REG_SZ, StringBytes(L"the default value")},
        {L"two\nlines\r", REG_SZ, StringBytes(L"one\ntwo\r\n")},
        {L"@", REG_SZ, StringBytes(L"")},
        {L"[HKEY_CURRENT_USER\\Fake]", REG_DWORD, DwordBytes(3)},
        // Data that is no plain string or DWORD is kept byte for byte.
        {L"unterminated", REG_SZ, {0x41, 0, 0, 0, 0x42, 0, 0}},
        {L"short dword", REG_DWORD, {1, 2}},
        {L"expand", REG_EXPAND_SZ, StringBytes(L"%HOME%")},
    };
}

TEST_F(RegistryFormatTest, EveryValueRoundTripsThroughTheFileAndAnotherProcess) {
    const std::vector<StoredValue> values = AwkwardValues();
    for (const StoredValue& value : values) SetValue(kSaverKey, value.name, value.type, value.data);

    const std::string keyArgument = platform::Utf8FromWide(kSaverKey);
    for (const StoredValue& value : values) {
        const std::string name = platform::Utf8FromWide(value.name);
        const auto read = QueryValue(kSaverKey, value.name);
        ASSERT_TRUE(read.has_value()) << name;
        EXPECT_EQ(read->first, value.type) << name;
        EXPECT_EQ(read->second, value.data) << name;

        const HelperRun run = RunHelper({"get", keyArgument, name});
        EXPECT_EQ(run.exitCode, 0) << name;
        EXPECT_EQ(run.output, std::to_string(value.type) + " " + HexOf(value.data)) << name;
    }
}

TEST_F(RegistryFormatTest, WritesTheRegistryEditorFormat) {
    SetDword(kSaverKey, L"\"SoundVolume\"", 42);
    SetValue(kSaverKey, L"Adapter ID", REG_BINARY, {0x01, 0x02, 0xab});
    SetValue(kSaverKey, L"", REG_SZ, StringBytes(L"say \"hi\" \\ \u00e9"));
    const std::string text = FileText();
    EXPECT_EQ(text.rfind("Windows Registry Editor Version 5.00\n", 0), 0u) << text;
    const std::string section =
        "[HKEY_CURRENT_USER\\Software\\Corvenna\\Lumaweft Maker\\Screensaver]\n"
        "\"\\\"SoundVolume\\\"\"=dword:0000002a\n"
        "\"Adapter ID\"=hex:01,02,ab\n"
        "@=\"say \\\"hi\\\" \\\\ \xc3\xa9\"\n";
    EXPECT_NE(text.find(section), std::string::npos) << text;
    // The keys above it are implied by its path, as the Registry Editor reads it.
    EXPECT_EQ(text.find("[HKEY_CURRENT_USER\\Software\\Corvenna]\n"), std::string::npos) << text;
    // The temporary file was renamed over the registry, not left behind.
    for (const auto& entry : std::filesystem::directory_iterator(folder())) {
        EXPECT_TRUE(entry.path() == file() || entry.path().extension() == ".lock") << entry.path();
    }
}

TEST_F(RegistryFormatTest, ReadsAFileWrittenByHand) {
    WriteFileText(
        "\xef\xbb\xbfWindows Registry Editor Version 5.00\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Corvenna\\Lumaweft Maker\\Screensaver]\r\n"
        "\"\\\"MuteSound\\\"\"=dword:00000001\r\n"
        "\"Leave Black\"=dword:00000001   \r\n"
        "\"Adapter ID\"=hex:0a,0B,0c\r\n"
        "\"Folder\"=\"C:\\\\x\"\r\n"
        "\"Path\"=hex(2):41,00,00,00,00,00,00,00\r\n"
        "@=\"default\"\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Corvenna\\Lumaweft Maker\\Screensaver]\r\n"
        "\"Width\"=dword:00000400\r\n");
    struct Expected {
        const wchar_t* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    const Expected expected[] = {
        {L"\"MuteSound\"", REG_DWORD, DwordBytes(1)},
        {L"Leave Black", REG_DWORD, DwordBytes(1)},
        {L"Adapter ID", REG_BINARY, {0x0a, 0x0b, 0x0c}},
        {L"Folder", REG_SZ, StringBytes(L"C:\\x")},
        {L"Path", REG_EXPAND_SZ, {0x41, 0, 0, 0, 0, 0, 0, 0}},
        {L"", REG_SZ, StringBytes(L"default")},
    };
    for (const Expected& e : expected) {
        const auto read = QueryValue(kSaverKey, e.name);
        ASSERT_TRUE(read.has_value()) << platform::Utf8FromWide(e.name);
        EXPECT_EQ(read->first, e.type) << platform::Utf8FromWide(e.name);
        EXPECT_EQ(read->second, e.data) << platform::Utf8FromWide(e.name);
    }
    // Another root's section does not leak into ours.
    EXPECT_EQ(QueryValue(kSaverKey, L"Width"), std::nullopt);
}

struct DamagedFile {
    const char* label;
    std::string text;
    bool keepsWidth;  // the valid line before the damage survives

    friend void PrintTo(const DamagedFile& file, std::ostream* out) { *out << file.label; }
};

class DamagedFileTest : public RegistryFileTest, public ::testing::WithParamInterface<DamagedFile> {};

TEST_P(DamagedFileTest, ReadsWhatIsValidAndCanBeWrittenAgain) {
    WriteFileText(GetParam().text);
    const auto width = QueryValue(kSaverKey, L"Width");
    if (GetParam().keepsWidth) {
        ASSERT_TRUE(width.has_value());
        EXPECT_EQ(width->second, DwordBytes(1024));
    } else {
        EXPECT_EQ(width, std::nullopt);
    }
    EXPECT_EQ(QueryValue(kSaverKey, L"Height"), std::nullopt);

    SetDword(kSaverKey, L"Height", 768);
    const auto height = QueryValue(kSaverKey, L"Height");
    ASSERT_TRUE(height.has_value());
    EXPECT_EQ(height->second, DwordBytes(768));
    EXPECT_EQ(QueryValue(kSaverKey, L"Width").has_value(), GetParam().keepsWidth);
    EXPECT_EQ(FileText().rfind("Windows Registry Editor Version 5.00\n", 0), 0u);
}

const std::string kValidStart =
    "Windows Registry Editor Version 5.00\n\n"
    "[HKEY_CURRENT_USER\\Software\\Corvenna\\Lumaweft Maker\\Screensaver]\n"
    "\"Width\"=dword:00000400\n";

std::string BinaryJunk() {
    std::string junk;
    for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919 + 13) % 256);
    return junk;
}

INSTANTIATE_TEST_SUITE_P(
    Registry, DamagedFileTest,
    ::testing::Values(
        DamagedFile{"Empty", "", false},
        DamagedFile{"TruncatedInAValue", kValidStart + "\"Height\"=dword:000", true},
        DamagedFile{"TruncatedInBytes", kValidStart + "\"Height\"=hex:01,02,0", true},
        DamagedFile{"TruncatedInAName", kValidStart + "\"Hei", true},
        DamagedFile{"TruncatedInASection", kValidStart + "[HKEY_CURRENT_USER\\Softw", true},
        DamagedFile{"Garbage", "hello\n[[[]]\n=====\n\"\\\n@=\n\"x\"=dword:123456789\n\"y\"=hex:1,,2\n", false},
        DamagedFile{"BinaryJunk", BinaryJunk(), false},
        DamagedFile{"BinaryJunkAfterValidLines", kValidStart + std::string("\0\xff\xfe\x01", 4) + BinaryJunk(),
                    true},
        DamagedFile{"InvalidUtf8", kValidStart + "\"H\xc3\x28ight\"=dword:00000001\n\xff\xfe\xfd\n", true}),
    [](const ::testing::TestParamInfo<DamagedFile>& info) { return std::string(info.param.label); });

TEST_F(RegistryFormatTest, ConcurrentWritersKeepEachOthersValues) {
    constexpr int kCount = 60;
    const std::string key = platform::Utf8FromWide(kSaverKey);
    const int first = StartHelper({"set-many", key, "\"First\"", std::to_string(kCount)});
    const int second = StartHelper({"set-many", key, "Second", std::to_string(kCount)});
    ASSERT_EQ(WaitForHelper(first), 0);
    ASSERT_EQ(WaitForHelper(second), 0);
    for (const std::wstring prefix : {L"\"First\"", L"Second"}) {
        for (int i = 0; i < kCount; ++i) {
            const std::wstring name = prefix + std::to_wstring(i);
            const auto value = QueryValue(kSaverKey, name.c_str());
            ASSERT_TRUE(value.has_value()) << platform::Utf8FromWide(name);
            EXPECT_EQ(value->second, DwordBytes(i));
        }
    }
}

TEST_F(RegistryFormatTest, DefaultFileLivesInTheConfigurationFolder) {
    unsetenv("SAVER_REGISTRY");
    setenv("XDG_CONFIG_HOME", (folder() / "config").c_str(), 1);
    SetDword(kSaverKey, L"AllScreensSame", 1);
    const auto expected = folder() / "config" / "lumaweft-saver" / "registry.reg";
    ASSERT_TRUE(std::filesystem::exists(expected));
    UseRegistryFile(expected);
    const auto value = QueryValue(kSaverKey, L"AllScreensSame");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->second, DwordBytes(1));
}

}  // namespace
}  // namespace registry_test
