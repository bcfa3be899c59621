// What the layer did not write stays in the file: other encodings, lines it
// cannot read, the file's permissions and links.
#include "platform/registry/registry_fixture.h"

#include <platform/unicode.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace registry_test {
namespace {

using RegistryPreservationTest = RegistryFileTest;

constexpr DWORD kMultiString = 7;  // REG_MULTI_SZ, which the program never uses itself

constexpr wchar_t kScreensaverSection[] =
    L"[HKEY_CURRENT_USER\\Software\\Corvenna\\Lumaweft Maker\\Screensaver]";

// A file as the Windows Registry Editor exports it: UTF-16LE with its mark,
// CRLF line ends, long binary data continued over lines.
std::wstring RegistryEditorExport() {
    return std::wstring(L"\xFEFF") + L"Windows Registry Editor Version 5.00\r\n"
           L"\r\n" + kScreensaverSection + L"\r\n"
           L"\"\\\"SoundVolume\\\"\"=dword:00000028\r\n"
           L"\"Adapter ID\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,\\\r\n"
           L"  15,16,17\r\n"
           L"\"Title\"=\"\u00c9cran \u4e2d\"\r\n"
           L"\"Path\"=hex(2):25,00,48,00,00,00\r\n"
           L"\"List\"=hex(7):61,00,00,00,00,00\r\n"
           L"@=\"default\"\r\n";
}

TEST_F(RegistryPreservationTest, Utf16FileReadsEveryTypeAndStaysUtf16AfterAWrite) {
    const std::string original = platform::Utf16LeFromWide(RegistryEditorExport());
    WriteFileText(original);

    std::vector<BYTE> adapter;
    for (int i = 0; i < 0x18; ++i) adapter.push_back(static_cast<BYTE>(i));
    struct Expected {
        const wchar_t* name;
        DWORD type;
        std::vector<BYTE> data;
    };
    const Expected expected[] = {
        {L"\"SoundVolume\"", REG_DWORD, DwordBytes(40)},
        {L"Adapter ID", REG_BINARY, adapter},
        {L"Title", REG_SZ, StringBytes(L"\u00c9cran \u4e2d")},
        {L"Path", REG_EXPAND_SZ, {0x25, 0, 0x48, 0, 0, 0}},
        {L"List", kMultiString, {0x61, 0, 0, 0, 0, 0}},
        {L"", REG_SZ, StringBytes(L"default")},
    };
    const auto expectAll = [&] {
        for (const Expected& e : expected) {
            const auto read = QueryValue(kSaverKey, e.name);
            ASSERT_TRUE(read.has_value()) << platform::Utf8FromWide(e.name);
            EXPECT_EQ(read->first, e.type) << platform::Utf8FromWide(e.name);
            EXPECT_EQ(read->second, e.data) << platform::Utf8FromWide(e.name);
        }
    };
    expectAll();

    SetDword(kSaverKey, L"\"MuteSound\"", 1);
    expectAll();
    const auto mute = QueryValue(kSaverKey, L"\"MuteSound\"");
    ASSERT_TRUE(mute.has_value());
    EXPECT_EQ(mute->second, DwordBytes(1));

    // The file is still UTF-16LE: its own lines unchanged, the new one in
    // its encoding and line ends, after the last value of its section.
    const std::string written = FileText();
    const std::wstring added = L"\"\\\"MuteSound\\\"\"=dword:00000001\r\n";
    EXPECT_EQ(written, original + platform::Utf16LeFromWide(added));
}

TEST_F(RegistryPreservationTest, ChangingAValueRewritesOnlyItsOwnLines) {
    const std::string before = "Windows Registry Editor Version 5.00\n\n"
                               "[HKEY_CURRENT_USER\\Software\\Corvenna\\Lumaweft Maker\\Screensaver]\n"
                               "\"Width\"=dword:00000400\n"
                               "\"Blob\"=hex:01,02,\\\n"
                               "  03\n"
                               "\"Height\"=dword:00000300\n";
    WriteFileText(before);
    SetValue(kSaverKey, L"Blob", REG_BINARY, {0xaa});
    SetDword(kSaverKey, L"Width", 800);
    EXPECT_EQ(FileText(), "Windows Registry Editor Version 5.00\n\n"
                          "[HKEY_CURRENT_USER\\Software\\Corvenna\\Lumaweft Maker\\Screensaver]\n"
                          "\"Width\"=dword:00000320\n"
                          "\"Blob\"=hex:aa\n"
                          "\"Height\"=dword:00000300\n");
}

TEST_F(RegistryPreservationTest, LinesThatDoNotParseAreKeptVerbatim) {
    const std::string unknown = "; a comment of another program\n"
                                "[HKEY_LOCAL_MACHINE\\Software\\Other]\n"
                                "\"Theirs\"=qword:0000000000000001\n";
    const std::string cut = "\"Height\"=dword:000";  // cut in the middle, no line end
    WriteFileText("Windows Registry Editor Version 5.00\n\n" + unknown +
                  "[HKEY_CURRENT_USER\\Software\\Corvenna\\Lumaweft Maker\\Screensaver]\n" +
                  "\"Width\"=dword:00000400\n" + cut);
    SetDword(kSaverKey, L"Depth", 32);

    const std::string text = FileText();
    EXPECT_NE(text.find(unknown), std::string::npos) << text;
    EXPECT_NE(text.find(cut + "\n"), std::string::npos) << text;
    ASSERT_TRUE(QueryValue(kSaverKey, L"Depth").has_value());
    EXPECT_EQ(QueryValue(kSaverKey, L"Width")->second, DwordBytes(1024));
    EXPECT_EQ(QueryValue(kSaverKey, L"Height"), std::nullopt);
}

TEST_F(RegistryPreservationTest, AFileWithoutHeaderKeepsItsTextBelowANewHeader) {
    WriteFileText("not a registry file\n\x01\x02\xff\n");
    SetDword(kSaverKey, L"Width", 1);
    EXPECT_EQ(FileText().rfind("Windows Registry Editor Version 5.00\n\nnot a registry file\n\x01\x02\xff\n", 0), 0u)
        << FileText();
}

TEST_F(RegistryPreservationTest, AReadOnlyFileIsNeverRewritten) {
    SetDword(kSaverKey, L"Width", 1024);
    const std::string before = FileText();
    std::filesystem::permissions(file(), std::filesystem::perms::owner_read | std::filesystem::perms::group_read);

    ScopedKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kSaverKey, 0, KEY_ALL_ACCESS, key.out()), ERROR_SUCCESS);
    const DWORD width = 640;
    EXPECT_EQ(RegSetValueExW(key.get(), L"Width", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&width), sizeof width),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(FileText(), before);
    EXPECT_EQ(QueryValue(kSaverKey, L"Width")->second, DwordBytes(1024));
}

TEST_F(RegistryPreservationTest, ALinkIsFollowedAndTheFileKeepsItsMode) {
    const std::filesystem::path target = folder() / "elsewhere" / "real.reg";
    std::filesystem::create_directories(target.parent_path());
    UseRegistryFile(target);
    SetDword(kSaverKey, L"Width", 1024);
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);

    std::filesystem::create_symlink(target, file());
    UseRegistryFile(file());
    SetDword(kSaverKey, L"Height", 768);

    EXPECT_TRUE(std::filesystem::is_symlink(file()));
    UseRegistryFile(target);
    EXPECT_EQ(QueryValue(kSaverKey, L"Height")->second, DwordBytes(768));
    EXPECT_EQ(QueryValue(kSaverKey, L"Width")->second, DwordBytes(1024));
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(RegistryPreservationTest, AnEmptyValueReadsAsZeroBytes) {
    WriteFileText("Windows Registry Editor Version 5.00\n\n" + platform::Utf8FromWide(kScreensaverSection) +
                  "\n\"ok\"=hex:\n");
    ScopedKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kSaverKey, 0, KEY_READ, key.out()), ERROR_SUCCESS);
    BYTE buffer[4] = {7, 7, 7, 7};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExW(key.get(), L"ok", nullptr, &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(buffer[0], 7);

    SetValue(kSaverKey, L"written empty", REG_BINARY, {});
    EXPECT_EQ(QueryValue(kSaverKey, L"written empty")->second, std::vector<BYTE>{});
}

std::wstring DeepPath(std::size_t levels, const std::wstring& name) {
    std::wstring path;
    for (std::size_t i = 0; i < levels; ++i) path += (i > 0 ? L"\\" : L"") + name;
    return path;
}

TEST_F(RegistryPreservationTest, KeyNamesKeepWindowsLimits) {
    struct Case {
        const char* label;
        std::wstring subKey;
        LSTATUS status;
    };
    const Case cases[] = {
        {"255 characters", std::wstring(255, L'k'), ERROR_SUCCESS},
        {"256 characters", std::wstring(256, L'k'), ERROR_INVALID_PARAMETER},
        {"512 levels", DeepPath(512, L"d"), ERROR_SUCCESS},
        {"513 levels", DeepPath(513, L"d"), ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        ScopedKey key;
        EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, c.subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, key.out(), nullptr),
                  c.status)
            << c.label;
    }
}

TEST_F(RegistryPreservationTest, DeepKeysInTheFileCostLittle) {
    const std::string deepest = "[HKEY_CURRENT_USER\\" + platform::Utf8FromWide(DeepPath(2000, L"d")) + "]\n";
    const std::string deep = "[HKEY_CURRENT_USER\\" + platform::Utf8FromWide(DeepPath(500, L"e")) + "]\n\"v\"=dword:00000002\n";
    const std::string text = "Windows Registry Editor Version 5.00\n\n" + deepest + "\"x\"=dword:00000001\n\n" + deep;
    WriteFileText(text);

    // Past the depth limit the section is no key, but its lines stay.
    EXPECT_EQ(QueryValue(DeepPath(2000, L"d").c_str(), L"x"), std::nullopt);
    EXPECT_EQ(QueryValue(DeepPath(500, L"e").c_str(), L"v")->second, DwordBytes(2));
    SetDword(kSaverKey, L"Width", 1);
    const std::string written = FileText();
    EXPECT_NE(written.find(deepest + "\"x\"=dword:00000001\n"), std::string::npos);
    EXPECT_LT(written.size(), text.size() + 200);
}

}  // namespace
}  // namespace registry_test
