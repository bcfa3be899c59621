// Damaged .res files load what precedes the damage and never read past
// their bytes (the sanitizer sees every read: files load into buffers of
// their exact size).
#include <ostream>
#include <string>
#include <vector>

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

class DamagedRes : public test::ModuleFolderTest {
protected:
    // Loads the bytes as a module, runs check on it, unloads it.
    template <typename Check>
    void WithModule(const std::vector<uint8_t>& bytes, Check check) {
        WriteModule("Damaged.res", bytes);
        HMODULE module = LoadLibraryW(L"damaged.dll");
        ASSERT_NE(module, nullptr);
        check(module);
        EXPECT_TRUE(FreeLibrary(module));
    }
};

struct Lookup {
    LPCWSTR name;
    LPCWSTR type;
};

const Lookup kLookups[] = {
    {MAKEINTRESOURCEW(ID_DDS_NUMBERED), L"DDS"},
    {L"FixtureDoc", L"DDS"},
    {MAKEINTRESOURCEW(ID_RCDATA), RT_RCDATA},
    {MAKEINTRESOURCEW(ID_DDS_TWO_LANGUAGES), L"DDS"},
};
const UINT kStringIds[] = {IDS_PLAIN, IDS_LAST_OF_BLOCK, IDS_FIRST_OF_BLOCK, IDS_LONG};

struct Contents {
    std::vector<std::string> resources;
    std::vector<std::wstring> strings;
    int found = 0;
};

Contents ReadContents(HMODULE module) {
    Contents contents;
    for (const Lookup& lookup : kLookups) {
        contents.resources.push_back(ResourceText(module, lookup.name, lookup.type));
        contents.found += contents.resources.back() != "<missing>";
    }
    for (UINT id : kStringIds) {
        wchar_t buffer[64];
        const int length = LoadStringW(module, id, buffer, 64);
        contents.strings.emplace_back(buffer, static_cast<std::size_t>(length));
        contents.found += length > 0;
    }
    return contents;
}

TEST_F(DamagedRes, EveryTruncationKeepsTheEntriesBeforeIt) {
    const std::vector<uint8_t> whole = test::ReadBytes(TEST_MODULE_RES);
    Contents full;
    WithModule(whole, [&](HMODULE module) { full = ReadContents(module); });
    ASSERT_EQ(full.found, static_cast<int>(std::size(kLookups) + std::size(kStringIds)));

    int foundBefore = 0;
    for (std::size_t size = 0; size < whole.size(); ++size) {
        WithModule({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)}, [&](HMODULE module) {
            const Contents part = ReadContents(module);
            EXPECT_GE(part.found, foundBefore) << size;
            foundBefore = part.found;
            for (std::size_t i = 0; i < part.resources.size(); ++i) {
                if (part.resources[i] != "<missing>") {
                    EXPECT_EQ(part.resources[i], full.resources[i]) << size;
                }
            }
            for (std::size_t i = 0; i < part.strings.size(); ++i) {
                if (!part.strings[i].empty()) {
                    EXPECT_EQ(part.strings[i], full.strings[i]) << size;
                }
            }
        });
    }
    EXPECT_LT(foundBefore, full.found);
}

std::vector<uint8_t> Header(uint32_t dataSize, uint32_t headerSize, std::vector<uint8_t> rest) {
    std::vector<uint8_t> bytes;
    for (uint32_t value : {dataSize, headerSize}) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
    }
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    return bytes;
}

// An integer type and name, then the fixed fields.
const std::vector<uint8_t> kIds = {0xFF, 0xFF, 10, 0, 0xFF, 0xFF, 2, 0};
std::vector<uint8_t> FixedFields() { return std::vector<uint8_t>(16, 0); }

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct DamageCase {
    const char* label;
    std::vector<uint8_t> damage;
};

void PrintTo(const DamageCase& c, std::ostream* out) { *out << c.label; }

class DamagedEntry : public DamagedRes, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedEntry, KeepsTheGoodEntryBeforeIt) {
    const auto bytes = ResBuilder()
                           .Add(uint16_t{10}, uint16_t{1}, BytesOf("good"))
                           .Append(GetParam().damage)
                           .Add(uint16_t{10}, uint16_t{3}, BytesOf("after"))
                           .Bytes();
    WithModule(bytes, [](HMODULE module) {
        EXPECT_EQ(ResourceText(module, MAKEINTRESOURCEW(1), RT_RCDATA), "good");
        EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(2), RT_RCDATA), nullptr);
        EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(3), RT_RCDATA), nullptr);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, DamagedEntry,
    ::testing::Values(
        DamageCase{"HugeDataSize", Header(0xFFFFFFF0u, 32, Concat(kIds, FixedFields()))},
        DamageCase{"DataSizeWrappingAround", Header(0xFFFFFFE0u, 32, Concat(kIds, FixedFields()))},
        DamageCase{"HugeHeaderSize", Header(4, 0xFFFFFFF0u, Concat(kIds, FixedFields()))},
        DamageCase{"HeaderSmallerThanItsSizes", Header(0, 4, Concat(kIds, FixedFields()))},
        DamageCase{"HeaderEndingInTheNames", Header(0, 14, Concat(kIds, FixedFields()))},
        DamageCase{"HeaderEndingInTheFixedFields", Header(0, 24, Concat(kIds, FixedFields()))},
        DamageCase{"UnterminatedTypeName", Header(0, 40, std::vector<uint8_t>(32, 'A'))},
        DamageCase{"LoneSizeField", {0x04, 0x00}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_F(DamagedRes, NoResFileAtAllIsAnEmptyModule) {
    WithModule(BytesOf("MZ\x90 this is no resource file at all"), [](HMODULE module) {
        EXPECT_EQ(ReadContents(module).found, 0);
    });
    // Valid entries without the opening empty entry are no 32-bit .res.
    const auto bytes = ResBuilder().Add(uint16_t{10}, uint16_t{1}, BytesOf("good")).Bytes();
    WithModule({bytes.begin() + 32, bytes.end()}, [](HMODULE module) {
        EXPECT_EQ(FindResourceW(module, MAKEINTRESOURCEW(1), RT_RCDATA), nullptr);
    });
}

TEST_F(DamagedRes, StringLengthsPastTheBlockEnd) {
    const std::vector<uint8_t> block = {1, 0, 'A', 0, 50, 0, 'b', 0};  // "A", then 50 units promised
    WithModule(ResBuilder().Add(uint16_t{6}, uint16_t{1}, block).Bytes(), [](HMODULE module) {
        wchar_t buffer[64];
        EXPECT_EQ(LoadStringW(module, 0, buffer, 64), 1);
        EXPECT_EQ(std::wstring(buffer), L"A");
        EXPECT_EQ(LoadStringW(module, 1, buffer, 64), 0);
        EXPECT_EQ(LoadStringW(module, 15, buffer, 64), 0);
        const wchar_t* pointer = nullptr;
        EXPECT_EQ(LoadStringW(module, 1, reinterpret_cast<LPWSTR>(&pointer), 0), 0);
    });
}

}  // namespace
