// The primitive encodings, checked against bytes assembled by hand, read
// by the reading archive and produced by the writing one.
#include <cstring>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "support/document_bytes.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/writer/kv_iof_w.h"

namespace {

std::u16string Letters(std::size_t length) {
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) {
        text.push_back(static_cast<char16_t>(u'a' + i % 26));
    }
    return text;
}

kv_string Wide(const std::u16string& text) {
    return kv_string(text.begin(), text.end());
}

struct StringCase {
    std::size_t length;
    Bytes lengthBytes;  // after the three marker bytes
};

void PrintTo(const StringCase& c, std::ostream* os) { *os << c.length; }

class DocumentStringLengths : public testing::TestWithParam<StringCase> {};

TEST_P(DocumentStringLengths, ReadAndWriteTheEscapedLength) {
    const StringCase& c = GetParam();
    const std::u16string text = Letters(c.length);
    const Bytes golden = Join({{0xFF, 0xFE, 0xFF}, c.lengthBytes, Utf16Le(text), Le32(0xC0FFEE)});

    HeldBytes held(golden);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    kv_string value = L"Arial";
    DWORD next = 0;
    reader.ReadString(&value);
    reader.ReadDword(&next);
    EXPECT_EQ(value, c.length == 0 ? kv_string(L"Arial") : Wide(text));
    EXPECT_EQ(next, 0xC0FFEEu);
    EXPECT_FALSE(reader.Failed());

    KV_IOF_W writer;
    const kv_string written = Wide(text);
    const DWORD trailer = 0xC0FFEE;
    writer.WriteString(&written);
    writer.WriteDword(&trailer);
    EXPECT_EQ(writer.Bytes(), golden);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, DocumentStringLengths,
    testing::Values(StringCase{0, {0x00}}, StringCase{1, {0x01}}, StringCase{254, {0xFE}},
                    StringCase{255, {0xFF, 0xFF, 0x00}}, StringCase{65534, {0xFF, 0xFE, 0xFF}},
                    StringCase{65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}}),
    [](const auto& info) { return "Length" + std::to_string(info.param.length); });

struct StringReadCase {
    const char* name;
    Bytes bytes;  // followed by a Dword 7 that must still be read
    kv_string expected;
};

void PrintTo(const StringReadCase& c, std::ostream* os) { *os << c.name; }

class DocumentStringReads : public testing::TestWithParam<StringReadCase> {};

TEST_P(DocumentStringReads, DecodeAndConsumeTheWholeStoredLength) {
    const StringReadCase& c = GetParam();
    HeldBytes held(Join({c.bytes, Le32(7)}));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    kv_string value = L"default";
    DWORD next = 0;
    reader.ReadString(&value);
    reader.ReadDword(&next);
    EXPECT_EQ(value, c.expected);
    EXPECT_EQ(next, 7u);
    EXPECT_FALSE(reader.Failed());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentStringReads,
    testing::Values(
        StringReadCase{"UnitZeroInTheMiddle",
                       Join({{0xFF, 0xFE, 0xFF, 0x03}, Utf16Le(u"a"), {0x00, 0x00}, Utf16Le(u"b")}),
                       L"a"},
        StringReadCase{"UnitZeroFirst", Join({{0xFF, 0xFE, 0xFF, 0x02, 0x00, 0x00}, Utf16Le(u"b")}),
                       L""},
        StringReadCase{"AnyMarkerBytes", Join({{0x00, 0x12, 0x34, 0x02}, Utf16Le(u"ok")}), L"ok"},
        StringReadCase{"EscapedShortLength", Join({{0xFF, 0xFE, 0xFF, 0xFF, 0x02, 0x00}, Utf16Le(u"hi")}),
                       L"hi"},
        StringReadCase{"ThirtyTwoBitShortLength",
                       Join({{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF}, Le32(2), Utf16Le(u"hi")}), L"hi"},
        StringReadCase{"ThirtyTwoBitZeroLength", Join({{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF}, Le32(0)}),
                       L"default"},
        StringReadCase{"SurrogatePair", Join({{0xFF, 0xFE, 0xFF, 0x03}, Utf16Le(u"x\U0001F600")}),
                       L"x\U0001F600"}),
    [](const auto& info) { return info.param.name; });

// Fixed-size values: hand-written bytes, what the reader makes of them and
// what the writer produces for the same value.
struct FixedCase {
    const char* name;
    Bytes bytes;
    std::function<void(KV_IOF_Virtual&)> write;
    std::function<void(KV_IOF_Virtual&)> readAndCheck;
};

void PrintTo(const FixedCase& c, std::ostream* os) { *os << c.name; }

class DocumentFixedValues : public testing::TestWithParam<FixedCase> {};

TEST_P(DocumentFixedValues, MatchTheirBytes) {
    const FixedCase& c = GetParam();
    HeldBytes held(c.bytes);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    c.readAndCheck(reader);
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(buffer.Remaining(), 0u);

    KV_IOF_W writer;
    c.write(writer);
    EXPECT_EQ(writer.Bytes(), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DocumentFixedValues,
    testing::Values(
        FixedCase{"Int64",
                  {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
                  [](KV_IOF_Virtual& a) { LONGLONG v = -2; a.WriteInt64(&v); },
                  [](KV_IOF_Virtual& a) { LONGLONG v = 0; a.ReadInt64(&v); EXPECT_EQ(v, -2); }},
        FixedCase{"Float",
                  {0x00, 0x00, 0xC0, 0x3F},
                  [](KV_IOF_Virtual& a) { float v = 1.5f; a.WriteFloat(&v); },
                  [](KV_IOF_Virtual& a) { float v = 0; a.ReadFloat(&v); EXPECT_EQ(v, 1.5f); }},
        FixedCase{"Point",
                  {0x01, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF},
                  [](KV_IOF_Virtual& a) { POINT p{1, -1}; a.WritePoint(&p); },
                  [](KV_IOF_Virtual& a) {
                      POINT p{};
                      a.ReadPoint(&p);
                      EXPECT_EQ(p.x, 1);
                      EXPECT_EQ(p.y, -1);
                  }},
        FixedCase{"Dword",
                  {0x11, 0x22, 0x33, 0x00},
                  [](KV_IOF_Virtual& a) { DWORD v = 0x00332211; a.WriteDword(&v); },
                  [](KV_IOF_Virtual& a) { DWORD v = 0; a.ReadDword(&v); EXPECT_EQ(v, 0x00332211u); }},
        FixedCase{"UInt",
                  {0xFF, 0xFF, 0xFF, 0xFF},
                  [](KV_IOF_Virtual& a) { UINT v = 0xFFFFFFFF; a.WriteUInt(&v); },
                  [](KV_IOF_Virtual& a) { UINT v = 0; a.ReadUInt(&v); EXPECT_EQ(v, 0xFFFFFFFFu); }},
        FixedCase{"Int",
                  {0xFE, 0xFF, 0xFF, 0xFF},
                  [](KV_IOF_Virtual& a) { INT v = -2; a.WriteInt(&v); },
                  [](KV_IOF_Virtual& a) { INT v = 0; a.ReadInt(&v); EXPECT_EQ(v, -2); }},
        FixedCase{"Char",
                  {0x78},
                  [](KV_IOF_Virtual& a) { CHAR v = 'x'; a.WriteChar(&v); },
                  [](KV_IOF_Virtual& a) { CHAR v = 0; a.ReadChar(&v); EXPECT_EQ(v, 'x'); }},
        FixedCase{"BoolTrue",
                  {0x01},
                  [](KV_IOF_Virtual& a) { bool v = true; a.WriteBool(&v); },
                  [](KV_IOF_Virtual& a) { bool v = false; a.ReadBool(&v); EXPECT_TRUE(v); }},
        FixedCase{"BoolFalse",
                  {0x00},
                  [](KV_IOF_Virtual& a) { bool v = false; a.WriteBool(&v); },
                  [](KV_IOF_Virtual& a) { bool v = true; a.ReadBool(&v); EXPECT_FALSE(v); }}),
    [](const auto& info) { return info.param.name; });

TEST(DocumentBoolEncoding, AnyNonZeroByteIsTrue) {
    for (BYTE stored : {0x02, 0x7F, 0x80, 0xFF}) {
        HeldBytes held({stored});
        ResourceBuffer buffer = held.Buffer();
        KV_IOF_R<ResourceBuffer> reader(buffer);
        bool value = false;
        reader.ReadBool(&value);
        EXPECT_TRUE(value) << int(stored);
    }
}

}  // namespace
