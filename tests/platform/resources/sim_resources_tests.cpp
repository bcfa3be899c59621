// Tests changing the own module's resources, then going back.
#include <cstring>
#include <string>

#include <gtest/gtest.h>
#include <platform/sim_resources.h>
#include <windows.h>

#include "res_builder.h"
#include "resource_test_support.h"
#include "test_module_ids.h"

namespace {

using test::BytesOf;
using test::ResourceText;

class SimResources : public ::testing::Test {
protected:
    void TearDown() override { platform::sim::ResetOwnModuleResources(); }
};

TEST_F(SimResources, ReplacedResourceUntilReset) {
    platform::sim::SetOwnModuleResource(L"dds", MAKEINTRESOURCEW(ID_DDS_NUMBERED), BytesOf("replaced"));
    EXPECT_EQ(ResourceText(nullptr, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"), "replaced");
    platform::sim::ResetOwnModuleResources();
    EXPECT_EQ(ResourceText(nullptr, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"), "seven");
}

TEST_F(SimResources, AddedStringNamedResource) {
    platform::sim::SetOwnModuleResource(L"Shader", L"Glow", BytesOf("glsl"));
    EXPECT_EQ(ResourceText(nullptr, L"GLOW", L"shader"), "glsl");
    platform::sim::ResetOwnModuleResources();
    EXPECT_EQ(FindResourceW(nullptr, L"Glow", L"Shader"), nullptr);
}

TEST_F(SimResources, RemovedResourceUntilReset) {
    platform::sim::RemoveOwnModuleResource(L"DDS", L"fixturedoc");
    EXPECT_EQ(FindResourceW(nullptr, L"FixtureDoc", L"DDS"), nullptr);
    platform::sim::ResetOwnModuleResources();
    EXPECT_EQ(ResourceText(nullptr, L"FixtureDoc", L"DDS"), "named fixture");
}

TEST_F(SimResources, ReplacedStringBlock) {
    platform::sim::SetOwnModuleResource(RT_STRING, MAKEINTRESOURCEW(1), test::StringBlock({u"", u"Replaced"}));
    wchar_t buffer[32];
    EXPECT_EQ(LoadStringW(nullptr, IDS_PLAIN, buffer, 32), 8);
    EXPECT_EQ(std::wstring(buffer), L"Replaced");
    EXPECT_EQ(LoadStringW(nullptr, IDS_LAST_OF_BLOCK, buffer, 32), 0);
    platform::sim::ResetOwnModuleResources();
    EXPECT_EQ(LoadStringW(nullptr, IDS_PLAIN, buffer, 32), 10);
}

TEST_F(SimResources, OldHandleIsRefusedButOldDataStaysReadable) {
    HRSRC old = FindResourceW(nullptr, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS");
    const void* oldData = LockResource(LoadResource(nullptr, old));
    platform::sim::SetOwnModuleResource(L"DDS", MAKEINTRESOURCEW(ID_DDS_NUMBERED), BytesOf("first"));
    HRSRC first = FindResourceW(nullptr, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS");
    const void* firstData = LockResource(LoadResource(nullptr, first));
    platform::sim::SetOwnModuleResource(L"DDS", MAKEINTRESOURCEW(ID_DDS_NUMBERED), BytesOf("second"));

    EXPECT_EQ(SizeofResource(nullptr, old), 0u);
    EXPECT_EQ(SizeofResource(nullptr, first), 0u);
    EXPECT_EQ(std::memcmp(oldData, "seven", 5), 0);
    EXPECT_EQ(std::memcmp(firstData, "first", 5), 0);
    EXPECT_EQ(ResourceText(nullptr, MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"), "second");
}

TEST_F(SimResources, EmptyResourceStillLoads) {
    platform::sim::SetOwnModuleResource(L"DDS", MAKEINTRESOURCEW(50), {});
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(50), L"DDS");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, found), 0u);
    EXPECT_NE(LockResource(LoadResource(nullptr, found)), nullptr);
}

}  // namespace
