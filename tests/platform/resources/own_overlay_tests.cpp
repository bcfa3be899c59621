// A .res file named after the executable beside it overlays the linked
// resources: its resources replace those of the same type and name, the
// rest stay. One test case, since the cases share that one file.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <platform/sim_resources.h>
#include <windows.h>

#include "res_builder.h"
#include "resource_test_support.h"
#include "test_module_ids.h"

namespace {

using test::BytesOf;
using test::ResBuilder;
using test::ResourceText;

const std::filesystem::path kOverlayFile =
    std::filesystem::read_symlink("/proc/self/exe").replace_extension(".res");

std::string Text(UINT id, WORD language = 0) {
    HRSRC found = FindResourceExW(nullptr, L"DDS", MAKEINTRESOURCEW(id), language);
    if (found == nullptr) return "<missing>";
    auto bytes = test::ResourceBytes(nullptr, found);
    return {bytes.begin(), bytes.end()};
}

std::wstring String(UINT id) {
    wchar_t buffer[64];
    const int length = LoadStringW(nullptr, id, buffer, 64);
    return std::wstring(buffer, static_cast<std::size_t>(length));
}

void WriteOverlay(const std::vector<uint8_t>& bytes) {
    std::ofstream file(kOverlayFile, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(file.good());
}

// What the linked module alone answers.
void ExpectLinkedOnly() {
    EXPECT_EQ(Text(ID_DDS_NUMBERED), "seven");
    EXPECT_EQ(Text(ID_DDS_TWO_LANGUAGES, 0x0409), "english");
    EXPECT_EQ(Text(ID_DDS_TWO_LANGUAGES, 0x040C), "french");
    EXPECT_EQ(Text(ID_DDS_OVERLAY_ONLY), "<missing>");
    EXPECT_EQ(String(IDS_FIRST_OF_BLOCK), L"Smile \U0001F600!");
}

// Puts the file of the build back, whatever the test did to it.
struct RestoreBuiltOverlay {
    ~RestoreBuiltOverlay() {
        std::filesystem::copy_file(BUILT_OVERLAY_RES, kOverlayFile, std::filesystem::copy_options::overwrite_existing);
        platform::sim::ResetOwnModuleResources();
    }
};

TEST(OwnModuleOverlay, ReplacesByTypeAndNameAndKeepsTheRest) {
    const RestoreBuiltOverlay restore;
    {
        SCOPED_TRACE("the file beside the program at start-up");
        EXPECT_EQ(Text(ID_DDS_NUMBERED), "overlaid seven");
        EXPECT_EQ(Text(ID_DDS_TWO_LANGUAGES, 0x0409), "one for all");
        EXPECT_EQ(Text(ID_DDS_TWO_LANGUAGES, 0x040C), "one for all");
        EXPECT_EQ(Text(ID_DDS_OVERLAY_ONLY), "only here");
        EXPECT_EQ(ResourceText(nullptr, L"FixtureDoc", L"DDS"), "named fixture");
        EXPECT_EQ(String(IDS_FIRST_OF_BLOCK), L"Overlaid first");
        EXPECT_EQ(String(IDS_LONG), L"A longer string that callers may truncate.");
        // A string block is one resource: the overlay's replaces the whole block.
        EXPECT_EQ(String(IDS_MISSING_IN_BLOCK), L"");
        EXPECT_EQ(String(IDS_PLAIN), L"Plain text");
    }
    {
        SCOPED_TRACE("a file cut in its second entry");
        const auto bytes = ResBuilder()
                               .Add(std::u16string(u"DDS"), uint16_t{ID_DDS_NUMBERED}, BytesOf("cut seven"))
                               .Add(std::u16string(u"DDS"), std::u16string(u"FIXTUREDOC"), BytesOf("cut document"))
                               .Bytes();
        WriteOverlay({bytes.begin(), bytes.end() - 6});
        platform::sim::ResetOwnModuleResources();
        EXPECT_EQ(Text(ID_DDS_NUMBERED), "cut seven");
        EXPECT_EQ(ResourceText(nullptr, L"FixtureDoc", L"DDS"), "named fixture");
        EXPECT_EQ(Text(ID_DDS_TWO_LANGUAGES, 0x040C), "french");
    }
    for (const auto& [label, bytes] : {std::pair{"no .res file at all", BytesOf("MZ\x90 a program, not resources")},
                                       std::pair{"an empty file", std::vector<uint8_t>()}}) {
        SCOPED_TRACE(label);
        WriteOverlay(bytes);
        platform::sim::ResetOwnModuleResources();
        ExpectLinkedOnly();
    }
    {
        SCOPED_TRACE("no file");
        std::filesystem::remove(kOverlayFile);
        platform::sim::ResetOwnModuleResources();
        ExpectLinkedOnly();
    }
}

}  // namespace
