// LoadLibraryW and friends: resource modules found by name, never code.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "module_fixture.h"
#include "res_builder.h"
#include "resource_test_support.h"
#include "test_module_ids.h"

namespace {

using test::BytesOf;
using test::ResBuilder;
using test::ResourceText;

std::wstring ModuleFileName(HMODULE module) {
    wchar_t buffer[1024];
    const DWORD length = GetModuleFileNameW(module, buffer, 1024);
    return std::wstring(buffer, length);
}

class ModuleLoading : public test::ModuleFolderTest {
protected:
    void SetUp() override {
        test::ModuleFolderTest::SetUp();
        WriteModule("TestModule.res", test::ReadBytes(TEST_MODULE_RES));
    }
};

TEST_F(ModuleLoading, FindsTheFileInAnyCaseAndCountsReferences) {
    HMODULE module = LoadLibraryW(L"testmodule.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_NE(module, GetModuleHandleW(nullptr));
    EXPECT_EQ(LoadLibraryW(L"TESTMODULE.DLL"), module);
    EXPECT_EQ(LoadLibraryW(L"TestModule"), module);  // ".dll" is implied
    EXPECT_EQ(GetModuleHandleW(L"testModule.Dll"), module);
    EXPECT_EQ(ModuleFileName(module), (Folder() / "TestModule.res").wstring());
    EXPECT_EQ(ResourceText(module, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"dds"), "seven");

    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleW(L"testmodule.dll"), module);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_EQ(GetModuleHandleW(L"testmodule.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"), nullptr);
}

TEST_F(ModuleLoading, ModuleAndOwnResourcesStayApart) {
    WriteModule("Other.res", ResBuilder().Add(u"DDS", uint16_t{ID_DDS_NUMBERED}, BytesOf("other")).Bytes());
    HMODULE other = LoadLibraryW(L"other.dll");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(ResourceText(other, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"), "other");
    EXPECT_EQ(ResourceText(nullptr, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"), "seven");
    EXPECT_EQ(FindResourceW(other, L"FixtureDoc", L"DDS"), nullptr);

    HRSRC own = FindResourceW(nullptr, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS");
    EXPECT_EQ(SizeofResource(other, own), 0u);
    EXPECT_EQ(LoadResource(other, own), nullptr);

    wchar_t buffer[32];
    EXPECT_EQ(LoadStringW(other, IDS_PLAIN, buffer, 32), 0);
    EXPECT_TRUE(FreeLibrary(other));
}

TEST_F(ModuleLoading, ResourceModuleHasNoCode) {
    HMODULE module = LoadLibraryW(L"testmodule.dll");
    ASSERT_NE(module, nullptr);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(GetProcAddress(module, "DllMain"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
    FreeLibrary(module);
}

TEST_F(ModuleLoading, MissingModuleGivesNull) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(LoadLibraryW(L"absent.dll"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_EQ(GetModuleHandleW(L"absent.dll"), nullptr);
}

// Each refused name would reach a real file if it were followed.
TEST_F(ModuleLoading, NamesWithAPathAreRefusedAsMissing) {
    const auto inner = Folder() / "inner";
    std::filesystem::create_directories(inner / "sub");
    std::filesystem::copy_file(Folder() / "TestModule.res", inner / "sub" / "TestModule.res");
    std::filesystem::copy_file(Folder() / "TestModule.res", inner / "TestModule.res.res");
    setenv("SAVER_MODULE_PATH", inner.c_str(), 1);

    for (const wchar_t* name : {L"../TestModule.dll", L"..\\TestModule.dll", L"sub/TestModule.dll",
                                L"sub\\TestModule.dll", L"inner/../TestModule.dll", L"..",
                                L"TestModule.res", L"TestModule.x", L"", L".dll"}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(LoadLibraryW(name), nullptr) << name;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND)) << name;
    }
    EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
}

TEST_F(ModuleLoading, ExecutableFolderComesAfterTheModulePath) {
    const std::filesystem::path besideExe =
        std::filesystem::read_symlink("/proc/self/exe").parent_path() / "BesideExe.res";
    HMODULE module = LoadLibraryW(L"besideexe.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(ModuleFileName(module), besideExe.wstring());
    EXPECT_EQ(ResourceText(module, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"), "seven");
    FreeLibrary(module);

    WriteModule("BESIDEEXE.res", ResBuilder().Add(u"DDS", uint16_t{ID_DDS_NUMBERED}, BytesOf("first")).Bytes());
    module = LoadLibraryW(L"besideexe.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(ModuleFileName(module), (Folder() / "BESIDEEXE.res").wstring());
    EXPECT_EQ(ResourceText(module, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"), "first");
    FreeLibrary(module);
}

}  // namespace
