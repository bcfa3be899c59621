// The program's own module: lookups, handles and the module itself.
#include <filesystem>
#include <ostream>
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "resource_test_support.h"
#include "test_module_ids.h"

namespace {

using test::ResourceBytes;
using test::ResourceText;

struct LookupCase {
    const char* label;
    LPCWSTR name;
    LPCWSTR type;
    std::string bytes;
};

void PrintTo(const LookupCase& c, std::ostream* out) { *out << c.label; }

class OwnModuleLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(OwnModuleLookup, FindsTheResourceByNullOrOwnHandle) {
    const LookupCase& lookup = GetParam();
    EXPECT_EQ(ResourceText(nullptr, lookup.name, lookup.type), lookup.bytes);
    EXPECT_EQ(ResourceText(GetModuleHandleW(nullptr), lookup.name, lookup.type), lookup.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Names, OwnModuleLookup,
    ::testing::Values(
        LookupCase{"IntegerIdOfCustomType", MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS", "seven"},
        LookupCase{"TypeNameInOtherCase", MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"dDs", "seven"},
        LookupCase{"StringName", L"FixtureDoc", L"DDS", "named fixture"},
        LookupCase{"StringNameInOtherCase", L"FIXTUREdoc", L"dds", "named fixture"},
        LookupCase{"HashNumberName", L"#7", L"DDS", "seven"},
        LookupCase{"RcData", MAKEINTRESOURCEW(ID_RCDATA), RT_RCDATA, std::string("\x01\x00\x02\x00\x00\x00", 6)},
        LookupCase{"HashNumberType", MAKEINTRESOURCEW(ID_RCDATA), L"#10", std::string("\x01\x00\x02\x00\x00\x00", 6)}),
    [](const auto& info) { return std::string(info.param.label); });

struct MissingCase {
    const char* label;
    LPCWSTR name;
    LPCWSTR type;
    DWORD error;
};

void PrintTo(const MissingCase& c, std::ostream* out) { *out << c.label; }

class OwnModuleMissing : public ::testing::TestWithParam<MissingCase> {};

TEST_P(OwnModuleMissing, GivesNullAndTheReason) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(FindResourceW(nullptr, GetParam().name, GetParam().type), nullptr);
    EXPECT_EQ(GetLastError(), GetParam().error);
}

INSTANTIATE_TEST_SUITE_P(
    Names, OwnModuleMissing,
    ::testing::Values(
        MissingCase{"UnknownType", MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDX", ERROR_RESOURCE_TYPE_NOT_FOUND},
        MissingCase{"UnknownId", MAKEINTRESOURCEW(99), L"DDS", ERROR_RESOURCE_NAME_NOT_FOUND},
        MissingCase{"IdOfAnotherType", MAKEINTRESOURCEW(ID_RCDATA), L"DDS", ERROR_RESOURCE_NAME_NOT_FOUND},
        MissingCase{"PrefixOfAName", L"Fixture", L"DDS", ERROR_RESOURCE_NAME_NOT_FOUND},
        MissingCase{"HashBeyondAWord", L"#65543", L"DDS", ERROR_RESOURCE_NAME_NOT_FOUND}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(OwnModuleResources, LanguageChoosesAmongVersions) {
    auto text = [](WORD language) {
        HRSRC found = FindResourceExW(nullptr, L"DDS", MAKEINTRESOURCEW(ID_DDS_TWO_LANGUAGES), language);
        auto bytes = ResourceBytes(nullptr, found);
        return std::string(bytes.begin(), bytes.end());
    };
    EXPECT_EQ(text(0x0409), "english");
    EXPECT_EQ(text(0x040C), "french");
}

TEST(OwnModuleResources, DataStaysAtOnePlace) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS");
    HGLOBAL first = LoadResource(nullptr, found);
    EXPECT_EQ(LoadResource(GetModuleHandleW(nullptr), found), first);
    EXPECT_EQ(LockResource(first), first);
    EXPECT_FALSE(FreeResource(first));
    EXPECT_EQ(std::string(static_cast<const char*>(LockResource(first)), SizeofResource(nullptr, found)), "seven");
}

TEST(OwnModuleResources, InvalidHandlesGiveNothing) {
    int unrelated = 0;
    auto* bogusResource = reinterpret_cast<HRSRC>(&unrelated);
    auto* bogusModule = reinterpret_cast<HMODULE>(&unrelated);
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS");
    ASSERT_NE(found, nullptr);

    EXPECT_EQ(SizeofResource(nullptr, bogusResource), 0u);
    EXPECT_EQ(SizeofResource(nullptr, nullptr), 0u);
    EXPECT_EQ(LoadResource(nullptr, bogusResource), nullptr);
    EXPECT_EQ(LockResource(&unrelated), nullptr);
    EXPECT_EQ(LockResource(nullptr), nullptr);
    EXPECT_EQ(FindResourceW(bogusModule, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"), nullptr);
    EXPECT_EQ(SizeofResource(bogusModule, found), 0u);
    EXPECT_EQ(LoadResource(bogusModule, found), nullptr);
    wchar_t buffer[8] = L"x";
    EXPECT_EQ(LoadStringW(bogusModule, IDS_PLAIN, buffer, 8), 0);
    EXPECT_EQ(buffer[0], L'\0');
}

TEST(OwnModule, HasNoCode) {
    EXPECT_NE(GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(GetProcAddress(GetModuleHandleW(nullptr), "WinMain"), nullptr);
    EXPECT_EQ(GetProcAddress(nullptr, "main"), nullptr);
    EXPECT_TRUE(FreeLibrary(GetModuleHandleW(nullptr)));
    EXPECT_EQ(ResourceText(nullptr, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"), "seven");
}

// The executable's path, truncated as Windows truncates it.
class OwnModuleFileName : public ::testing::Test {
protected:
    const std::wstring path = std::filesystem::read_symlink("/proc/self/exe").wstring();
    DWORD Length() const { return static_cast<DWORD>(path.size()); }
};

TEST_F(OwnModuleFileName, FitsWithItsTerminator) {
    std::wstring buffer(path.size() + 1, L'#');
    EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), Length() + 1), Length());
    EXPECT_EQ(buffer.c_str(), path);
}

TEST_F(OwnModuleFileName, TooSmallBufferGetsTheStartAndTheSize) {
    for (DWORD size : {Length(), DWORD{1}}) {
        std::wstring buffer(path.size() + 1, L'#');
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(GetModuleFileNameW(nullptr, buffer.data(), size), size);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
        EXPECT_EQ(std::wstring(buffer.c_str()), path.substr(0, size - 1));
        EXPECT_EQ(buffer[size], L'#');
    }
}

}  // namespace
