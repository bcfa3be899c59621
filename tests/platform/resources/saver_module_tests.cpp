// The program's own resources as the build links them into saver.
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "resources/resource.h"

namespace {

std::wstring ModuleString(UINT id) {
    wchar_t buffer[512];
    const int length = LoadStringW(nullptr, id, buffer, 512);
    return std::wstring(buffer, static_cast<std::size_t>(length));
}

TEST(SaverModule, StringTableReadsAsWritten) {
    EXPECT_EQ(ModuleString(IDS_SHORT_TAG), L"Lumaweft");
    EXPECT_EQ(ModuleString(IDS_TITLE), L"Lumaweft Screen Saver");
    EXPECT_EQ(ModuleString(IDS_ERR_NODIRECT3D),
              L"Direct3D 8.0 could not be initialized.  Please install the latest version of DirectX.");
    EXPECT_EQ(ModuleString(IDS_ERR_NOPREVIEW), L"No preview available");
    EXPECT_EQ(ModuleString(IDS_RENDERING_NONE), L"This monitor will display nothing.");
}

TEST(SaverModule, EveryMessageIdHasText) {
    for (UINT first : {UINT{IDS_ERR_GENERIC}, UINT{IDS_INFO_GOODHAL}}) {
        for (UINT id = first; id <= first + 12; ++id) EXPECT_FALSE(ModuleString(id).empty()) << id;
    }
    EXPECT_TRUE(ModuleString(IDS_ERR_GENERIC + 13).empty());
}

TEST(SaverModule, IconGroupNamesItsIcons) {
    HRSRC group = FindResourceW(nullptr, MAKEINTRESOURCEW(IDI_SAVER), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const DWORD size = SizeofResource(nullptr, group);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, group)));
    ASSERT_NE(bytes, nullptr);
    // Header: reserved, type 1, count; then 14-byte entries ending in the icon id.
    ASSERT_GE(size, 6u + 14u);
    const WORD count = static_cast<WORD>(bytes[4] | (bytes[5] << 8));
    ASSERT_GE(count, 1);
    ASSERT_GE(size, 6u + 14u * count);
    for (WORD i = 0; i < count; ++i) {
        const uint8_t* entry = bytes + 6 + 14 * i;
        const WORD iconId = static_cast<WORD>(entry[12] | (entry[13] << 8));
        EXPECT_NE(FindResourceW(nullptr, MAKEINTRESOURCEW(iconId), RT_ICON), nullptr) << iconId;
    }
}

}  // namespace
