#include "platform/registry/registry_fixture.h"

#include <array>
#include <cstring>
#include <string>

namespace registry_test {
namespace {

using RegistryApiTest = RegistryFileTest;

TEST_F(RegistryApiTest, CreatesEveryKeyAlongThePathAndReopensAnyCase) {
    DWORD disposition = 0;
    {
        ScopedKey key;
        CreateKey(kSaverKey, key, &disposition);
        EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
        const DWORD volume = 55;
        ASSERT_EQ(RegSetValueExW(key.get(), L"\"SoundVolume\"", 0, REG_DWORD,
                                 reinterpret_cast<const BYTE*>(&volume), sizeof volume),
                  ERROR_SUCCESS);
    }
    {
        ScopedKey again;
        CreateKey(L"software\\CORVENNA\\lumaweft maker\\Screensaver", again, &disposition);
        EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));
    }
    for (const wchar_t* path : {L"Software", L"Software\\Corvenna", L"SOFTWARE\\corvenna\\LUMAWEFT MAKER\\screensaver"}) {
        ScopedKey opened;
        EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, opened.out()), ERROR_SUCCESS) << path;
    }
    // Value names compare without regard to case too.
    const auto volume = QueryValue(L"software\\corvenna\\lumaweft maker\\screensaver", L"\"soundVOLUME\"");
    ASSERT_TRUE(volume.has_value());
    EXPECT_EQ(volume->second, DwordBytes(55));

    // Case folds beyond ASCII too.
    SetDword(L"Software\\\u00c9cran \u0414", L"\u00c9", 9);
    const auto accented = QueryValue(L"SOFTWARE\\\u00e9CRAN \u0434", L"\u00e9");
    ASSERT_TRUE(accented.has_value());
    EXPECT_EQ(accented->second, DwordBytes(9));

    // A subkey created through other spelling lands below the first one.
    ScopedKey screen;
    CreateKey(L"SOFTWARE\\CORVENNA\\LUMAWEFT MAKER\\SCREENSAVER\\Screen 1", screen, &disposition);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    EXPECT_NE(FileText().find("[HKEY_CURRENT_USER\\Software\\Corvenna\\Lumaweft Maker\\Screensaver\\Screen 1]"),
              std::string::npos)
        << FileText();
}

TEST_F(RegistryApiTest, KeysOpenRelativeToOpenedKeys) {
    ScopedKey software;
    CreateKey(L"Software", software);
    ScopedKey saver;
    ASSERT_EQ(RegCreateKeyExW(software.get(), L"Corvenna\\Lumaweft Maker\\Screensaver\\", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, saver.out(), nullptr),
              ERROR_SUCCESS);
    SetDword(kSaverKey, L"Width", 800);
    ScopedKey reopened;
    ASSERT_EQ(RegOpenKeyExW(software.get(), L"corvenna\\lumaweft maker\\screensaver", 0, KEY_READ, reopened.out()),
              ERROR_SUCCESS);
    DWORD width = 0;
    DWORD size = sizeof width;
    ASSERT_EQ(RegQueryValueExW(reopened.get(), L"Width", nullptr, nullptr, reinterpret_cast<BYTE*>(&width), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(width, 800u);
}

TEST_F(RegistryApiTest, OpeningAMissingKeyFails) {
    SetDword(L"Software\\Present", L"Width", 1);
    ScopedKey key;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Absent", 0, KEY_READ, key.out()), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.get(), nullptr);
}

TEST_F(RegistryApiTest, KeyNamesWithLineBreaksAreRefused) {
    // The file keeps one key per line.
    ScopedKey key;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\two\nlines", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.out(), nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(key.get(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(file()));
}

TEST_F(RegistryApiTest, MissingValueLeavesTheCallersVariablesAlone) {
    SetDword(kSaverKey, L"Width", 1024);
    ScopedKey key;
    CreateKey(kSaverKey, key);
    DWORD type = 77;
    DWORD value = 0xDEADBEEF;
    DWORD size = sizeof value;
    EXPECT_EQ(RegQueryValueExW(key.get(), L"Height", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(type, 77u);
    EXPECT_EQ(value, 0xDEADBEEFu);
    EXPECT_EQ(size, sizeof value);
}

TEST_F(RegistryApiTest, SmallBufferGivesMoreDataAndTheNeededSize) {
    const std::array<BYTE, 16> adapter{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    SetValue(kSaverKey, L"Adapter ID", REG_BINARY, {adapter.begin(), adapter.end()});
    SetValue(kSaverKey, L"Name", REG_SZ, StringBytes(L"hello"));
    ScopedKey key;
    CreateKey(kSaverKey, key);
    struct Case {
        const wchar_t* name;
        DWORD neededSize;
    };
    for (const Case& c : {Case{L"Adapter ID", 16}, Case{L"Name", 6 * sizeof(wchar_t)}}) {
        DWORD value = 0xDEADBEEF;  // a DWORD read of a larger value, as the engine does
        DWORD size = sizeof value;
        EXPECT_EQ(RegQueryValueExW(key.get(), c.name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
                  ERROR_MORE_DATA)
            << c.name;
        EXPECT_EQ(size, c.neededSize) << c.name;
        EXPECT_EQ(value, 0xDEADBEEFu) << c.name;
    }
}

TEST_F(RegistryApiTest, SizeQueryThenRead) {
    const std::wstring text = L"C:\\Pictures\\\u00e9t\u00e9";
    SetValue(kSaverKey, L"Folder", REG_SZ, StringBytes(text));
    ScopedKey key;
    CreateKey(kSaverKey, key);
    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExW(key.get(), L"Folder", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    ASSERT_EQ(size, (text.size() + 1) * sizeof(wchar_t));
    std::wstring read(text.size() + 1, L'#');
    ASSERT_EQ(RegQueryValueExW(key.get(), L"Folder", nullptr, nullptr, reinterpret_cast<BYTE*>(read.data()), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(read, text + L'\0');
    // Neither type nor data: only whether the value exists.
    EXPECT_EQ(RegQueryValueExW(key.get(), L"Folder", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExW(key.get(), L"Other", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryApiTest, SettingAgainReplacesTypeAndData) {
    SetDword(kSaverKey, L"Format", 22);
    SetValue(kSaverKey, L"format", REG_SZ, StringBytes(L"X8R8G8B8"));
    const auto value = QueryValue(kSaverKey, L"Format");
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->first, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value->second, StringBytes(L"X8R8G8B8"));
    EXPECT_NE(FileText().find("\"Format\"=\"X8R8G8B8\""), std::string::npos) << FileText();
}

TEST_F(RegistryApiTest, BadHandlesAreRefused) {
    ScopedKey closed;
    CreateKey(kSaverKey, closed);
    const HKEY stale = closed.release();
    ASSERT_EQ(RegCloseKey(stale), ERROR_SUCCESS);
    for (const HKEY bad : {HKEY{nullptr}, stale, reinterpret_cast<HKEY>(std::uintptr_t{0x1234})}) {
        ScopedKey result;
        DWORD value = 7;
        DWORD size = sizeof value;
        EXPECT_EQ(RegOpenKeyExW(bad, L"Software", 0, KEY_READ, result.out()), ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegCreateKeyExW(bad, L"Software", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, result.out(), nullptr),
                  ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegQueryValueExW(bad, L"Width", nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size),
                  ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegSetValueExW(bad, L"Width", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), size),
                  ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegCloseKey(bad), ERROR_INVALID_HANDLE);
        EXPECT_EQ(value, 7u);
    }
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_EQ(QueryValue(kSaverKey, L"Width"), std::nullopt);
}

TEST_F(RegistryApiTest, BrowserCommandHasABuiltInDefault) {
    ScopedKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", 0, KEY_READ, key.out()), ERROR_SUCCESS);
    std::array<BYTE, 260> buffer{};
    DWORD size = buffer.size();
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExW(key.get(), nullptr, nullptr, &type, buffer.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(buffer.data())), L"xdg-open \"%1\"");
    EXPECT_EQ(size, StringBytes(L"xdg-open \"%1\"").size());
    EXPECT_FALSE(std::filesystem::exists(file()));

    // The file's own command wins, and writing elsewhere never stores the default.
    SetDword(kSaverKey, L"Width", 640);
    WriteFileText(FileText() + "\n[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]\n@=\"firefox \\\"%1\\\"\"\n");
    size = buffer.size();
    ASSERT_EQ(RegQueryValueExW(key.get(), L"", nullptr, nullptr, buffer.data(), &size), ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(buffer.data())), L"firefox \"%1\"");
    EXPECT_EQ(FileText().find("xdg-open"), std::string::npos);
}

TEST_F(RegistryApiTest, UnwritableLocationFailsCleanly) {
    WriteFileText("not a folder");
    UseRegistryFile(file() / "registry.reg");
    ScopedKey key;
    EXPECT_NE(RegCreateKeyExW(HKEY_CURRENT_USER, kSaverKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.out(),
                              nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(key.get(), nullptr);
    const DWORD value = 1;
    EXPECT_NE(RegSetValueExW(HKEY_CURRENT_USER, L"Width", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                             sizeof value),
              ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.out()), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace registry_test
