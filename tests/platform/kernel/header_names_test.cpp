// The common macros a Windows program uses with these headers, with the
// values and types the real ones give; generic names are the wide ones.
#include <windows.h>
#include <shlwapi.h>

#include <type_traits>

#include <gtest/gtest.h>

namespace {

TEST(HeaderNames, ResultMacros) {
    EXPECT_EQ(NOERROR, S_OK);
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
    EXPECT_TRUE(FAILED(E_FAIL));
    EXPECT_EQ(MAKE_HRESULT(1, FACILITY_WIN32, ERROR_FILE_NOT_FOUND), static_cast<HRESULT>(0x80070002));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), static_cast<HRESULT>(0x80070002));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_SUCCESS), S_OK);
    EXPECT_EQ(HRESULT_FROM_WIN32(E_FAIL), E_FAIL);  // already an HRESULT
}

TEST(HeaderNames, WordsMemoryAndArrays) {
    const LPARAM packed = static_cast<LPARAM>(0x1234ABCDu);
    EXPECT_EQ(LOWORD(packed), 0xABCD);
    EXPECT_EQ(HIWORD(packed), 0x1234);

    RECT rect{1, 2, 3, 4};
    ZeroMemory(&rect, sizeof rect);
    EXPECT_EQ(rect.left | rect.top | rect.right | rect.bottom, 0);

    const WCHAR name[17] = L"";
    static_assert(ARRAYSIZE(name) == 17);
    EXPECT_EQ(MAKEINTRESOURCEW(32512), reinterpret_cast<LPWSTR>(ULONG_PTR{32512}));
}

TEST(HeaderNames, GenericNamesFollowUnicode) {
    static_assert(std::is_same_v<decltype(TEXT("a")), const wchar_t(&)[2]>);
    static_assert(std::is_same_v<decltype(IDC_ARROW), LPWSTR>);
    static_assert(std::is_same_v<decltype(MAKEINTRESOURCE(1)), LPWSTR>);
    static_assert(std::is_same_v<WNDCLASS, WNDCLASSW>);
    static_assert(std::is_same_v<DEVMODE, DEVMODEW>);
    EXPECT_EQ(&LoadCursor, &LoadCursorW);
    EXPECT_EQ(&MessageBox, &MessageBoxW);
    EXPECT_EQ(&RegOpenKeyEx, &RegOpenKeyExW);
    EXPECT_EQ(&PathFileExists, &PathFileExistsW);
    EXPECT_EQ(&lstrcmpi, &lstrcmpiW);
}

}  // namespace
