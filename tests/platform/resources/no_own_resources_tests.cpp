// A program linked without resources of its own still has an own module,
// an empty one.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(NoOwnResources, OwnModuleIsEmpty) {
    EXPECT_NE(GetModuleHandleW(nullptr), nullptr);
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(1), RT_STRING), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
    wchar_t buffer[8] = L"junk";
    EXPECT_EQ(LoadStringW(nullptr, 1, buffer, 8), 0);
    EXPECT_EQ(buffer[0], L'\0');
}

}  // namespace
