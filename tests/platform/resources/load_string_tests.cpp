// LoadStringW on the test module's string table.
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

#include "test_module_ids.h"

namespace {

const std::wstring kPlain = L"Plain text";
const std::wstring kLastOfBlock = L"F\u00FCnfzehn \u20AC";
const std::wstring kFirstOfBlock = L"Smile \U0001F600!";  // one wchar_t for the pair
const std::wstring kLong = L"A longer string that callers may truncate.";

struct StringCase {
    UINT id;
    std::wstring text;
};

class LoadStringTable : public ::testing::TestWithParam<StringCase> {};

TEST_P(LoadStringTable, CopiesTheWholeString) {
    wchar_t buffer[64];
    EXPECT_EQ(LoadStringW(nullptr, GetParam().id, buffer, 64), static_cast<int>(GetParam().text.size()));
    EXPECT_EQ(std::wstring(buffer), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Ids, LoadStringTable,
                         ::testing::Values(StringCase{IDS_PLAIN, kPlain},
                                           StringCase{IDS_LAST_OF_BLOCK, kLastOfBlock},
                                           StringCase{IDS_FIRST_OF_BLOCK, kFirstOfBlock},
                                           StringCase{IDS_LONG, kLong}),
                         [](const auto& info) { return "Id" + std::to_string(info.param.id); });

TEST(LoadString, MissingStringsGiveZeroAndAnEmptyBuffer) {
    // An empty slot in an existing block, in another block, and no block.
    for (UINT id : {UINT{2}, UINT{IDS_MISSING_IN_BLOCK}, UINT{1000}}) {
        wchar_t buffer[8] = L"junk";
        EXPECT_EQ(LoadStringW(nullptr, id, buffer, 8), 0) << id;
        EXPECT_EQ(buffer[0], L'\0') << id;
    }
}

struct TruncationCase {
    UINT id;
    int bufferMax;
    std::wstring copied;
};

class LoadStringTruncation : public ::testing::TestWithParam<TruncationCase> {};

TEST_P(LoadStringTruncation, CopiesBufferMaxMinusOneAndTerminates) {
    const TruncationCase& c = GetParam();
    std::wstring buffer(16, L'#');
    EXPECT_EQ(LoadStringW(nullptr, c.id, buffer.data(), c.bufferMax), static_cast<int>(c.copied.size()));
    EXPECT_EQ(std::wstring(buffer.c_str()), c.copied);
    EXPECT_EQ(buffer.substr(static_cast<std::size_t>(c.bufferMax)), std::wstring(16 - c.bufferMax, L'#'));
}

INSTANTIATE_TEST_SUITE_P(Sizes, LoadStringTruncation,
                         ::testing::Values(TruncationCase{IDS_PLAIN, 6, L"Plain"},
                                           TruncationCase{IDS_PLAIN, 1, L""},
                                           TruncationCase{IDS_PLAIN, 11, kPlain},
                                           TruncationCase{IDS_FIRST_OF_BLOCK, 8, L"Smile \U0001F600"}));

TEST(LoadString, ZeroLengthGivesAPointerThatLastsWithTheModule) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(nullptr, IDS_LAST_OF_BLOCK, reinterpret_cast<LPWSTR>(&text), 0);
    ASSERT_EQ(length, static_cast<int>(kLastOfBlock.size()));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text, static_cast<std::size_t>(length)), kLastOfBlock);
    EXPECT_EQ(text[length], L'\0');

    const wchar_t* again = nullptr;
    LoadStringW(GetModuleHandleW(nullptr), IDS_LAST_OF_BLOCK, reinterpret_cast<LPWSTR>(&again), 0);
    EXPECT_EQ(again, text);
    EXPECT_EQ(LoadStringW(nullptr, IDS_MISSING_IN_BLOCK, reinterpret_cast<LPWSTR>(&again), 0), 0);
}

}  // namespace
