#include <gtest/gtest.h>

#include <cwchar>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include <windows.h>

namespace {

constexpr GUID kSample = {0x12345678, 0x9ABC, 0xDEF0, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
constexpr GUID kUntouched = {0xAAAAAAAA, 0xBBBB, 0xCCCC, {1, 2, 3, 4, 5, 6, 7, 8}};

TEST(GuidText, RegistryFormRoundTrips) {
    wchar_t text[39];
    ASSERT_EQ(StringFromGUID2(kSample, text, 39), 39);
    EXPECT_EQ(std::wstring(text), L"{12345678-9ABC-DEF0-0123-456789ABCDEF}");
    GUID parsed = kUntouched;
    ASSERT_EQ(CLSIDFromString(text, &parsed), S_OK);
    EXPECT_TRUE(IsEqualGUID(parsed, kSample));

    ASSERT_EQ(CLSIDFromString(L"{12345678-9abc-def0-0123-456789abcdef}", &parsed), S_OK);
    EXPECT_TRUE(IsEqualGUID(parsed, kSample));
}

TEST(GuidText, NewGuidsRoundTrip) {
    for (int i = 0; i < 32; ++i) {
        GUID guid{};
        ASSERT_EQ(CoCreateGuid(&guid), S_OK);
        wchar_t text[40];
        ASSERT_EQ(StringFromGUID2(guid, text, 40), 39);
        GUID parsed{};
        ASSERT_EQ(CLSIDFromString(text, &parsed), S_OK);
        EXPECT_TRUE(IsEqualGUID(parsed, guid));
    }
}

TEST(GuidText, TooSmallBufferIsLeftAlone) {
    wchar_t text[39];
    std::wmemset(text, L'#', 39);
    EXPECT_EQ(StringFromGUID2(kSample, text, 38), 0);
    EXPECT_EQ(text[0], L'#');
}

TEST(GuidText, NullTextIsTheNullClsid) {
    GUID parsed = kUntouched;
    EXPECT_EQ(CLSIDFromString(nullptr, &parsed), S_OK);
    EXPECT_TRUE(IsEqualGUID(parsed, GUID_NULL));
}

struct MalformedCase {
    const char* name;
    const wchar_t* text;
};

void PrintTo(const MalformedCase& c, std::ostream* out) { *out << c.name; }

class MalformedGuidText : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedGuidText, IsRefusedAndZeroesTheResult) {
    GUID parsed = kUntouched;
    EXPECT_EQ(CLSIDFromString(GetParam().text, &parsed), CO_E_CLASSSTRING);
    EXPECT_TRUE(IsEqualGUID(parsed, GUID_NULL));
}

INSTANTIATE_TEST_SUITE_P(
    Com, MalformedGuidText,
    testing::Values(MalformedCase{"Empty", L""},
                    MalformedCase{"NoBraces", L"12345678-9ABC-DEF0-0123-456789ABCDEF"},
                    MalformedCase{"NoClosingBrace", L"{12345678-9ABC-DEF0-0123-456789ABCDEF"},
                    MalformedCase{"TrailingText", L"{12345678-9ABC-DEF0-0123-456789ABCDEF}x"},
                    MalformedCase{"ShortGroup", L"{1234567-9ABC-DEF0-0123-456789ABCDEF0}"},
                    MalformedCase{"NotHex", L"{1234567G-9ABC-DEF0-0123-456789ABCDEF}"},
                    MalformedCase{"MissingDash", L"{12345678-9ABC-DEF0-01234-56789ABCDEF}"},
                    MalformedCase{"Blank", L"{12345678-9ABC-DEF0-0123-456789ABCDE }"},
                    MalformedCase{"Parentheses", L"(12345678-9ABC-DEF0-0123-456789ABCDEF)"},
                    MalformedCase{"Truncated", L"{12345678-9AB"}),
    [](const testing::TestParamInfo<MalformedCase>& info) { return info.param.name; });

TEST(Guid, NewGuidsAreRandomVersionFour) {
    std::set<std::wstring> seen;
    for (int i = 0; i < 64; ++i) {
        GUID guid{};
        ASSERT_EQ(CoCreateGuid(&guid), S_OK);
        EXPECT_EQ(guid.Data3 >> 12, 4);
        EXPECT_EQ(guid.Data4[0] & 0xC0, 0x80);
        wchar_t text[39];
        StringFromGUID2(guid, text, 39);
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 64u);
    EXPECT_EQ(CoCreateGuid(nullptr), E_INVALIDARG);
}

}  // namespace
