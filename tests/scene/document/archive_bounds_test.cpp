// Nothing read from a document is trusted: a value that would run past the
// end fails the archive, leaves its destination unchanged, and every later
// read fails too.
#include <functional>

#include <gtest/gtest.h>

#include "support/document_bytes.h"
#include "scene/document/embedded_file.h"
#include "scene/document/kv_iof_r.h"

namespace {

struct TruncatedCase {
    const char* name;
    Bytes bytes;
    // Reads one value from the bytes and checks it was left unchanged.
    std::function<void(KV_IOF_Virtual&)> readUnchanged;
};

void PrintTo(const TruncatedCase& c, std::ostream* os) { *os << c.name; }

class DocumentTruncatedValues : public testing::TestWithParam<TruncatedCase> {};

TEST_P(DocumentTruncatedValues, FailTheArchiveAndLeaveTheDestination) {
    // Most cases leave bytes behind the failed value; later reads fail all
    // the same.
    HeldBytes held(GetParam().bytes);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    GetParam().readUnchanged(reader);
    EXPECT_TRUE(reader.Failed());
    CHAR later = 'k';
    reader.ReadChar(&later);
    EXPECT_EQ(later, 'k');
}

void ReadStringUnchanged(KV_IOF_Virtual& a) {
    kv_string value = L"kept";
    a.ReadString(&value);
    EXPECT_EQ(value, L"kept");
}

void ReadFileUnchanged(KV_IOF_Virtual& a) {
    EmbeddedFile file;
    const BYTE old[] = {1, 2};
    file.Assign(L"old", 2, old);
    a.ReadEmbeddedFile(&file);
    EXPECT_EQ(file.FileName(), L"old");
    EXPECT_EQ(file.Size(), 2u);
}

void ReadEntryUnchanged(KV_IOF_Virtual& a) {
    ResourceEntry entry(4, L"m.dll");
    a.ReadResourceEntry(&entry);
    EXPECT_EQ(entry.Id(), 4);
    EXPECT_EQ(entry.ModuleName(), L"m.dll");
}

INSTANTIATE_TEST_SUITE_P(
    Values, DocumentTruncatedValues,
    testing::Values(
        TruncatedCase{"Dword", {1, 2, 3},
                      [](KV_IOF_Virtual& a) { DWORD v = 9; a.ReadDword(&v); EXPECT_EQ(v, 9u); }},
        TruncatedCase{"Int64", {1, 2, 3, 4, 5, 6, 7},
                      [](KV_IOF_Virtual& a) { LONGLONG v = 9; a.ReadInt64(&v); EXPECT_EQ(v, 9); }},
        TruncatedCase{"Point", {1, 0, 0, 0, 2, 0, 0},
                      [](KV_IOF_Virtual& a) {
                          POINT p{5, 6};
                          a.ReadPoint(&p);
                          EXPECT_EQ(p.x, 5);
                          EXPECT_EQ(p.y, 6);
                      }},
        TruncatedCase{"Bool", {},
                      [](KV_IOF_Virtual& a) { bool v = true; a.ReadBool(&v); EXPECT_TRUE(v); }},
        TruncatedCase{"StringMarkers", {0xFF, 0xFE}, ReadStringUnchanged},
        TruncatedCase{"StringLength16", {0xFF, 0xFE, 0xFF, 0xFF, 0x10}, ReadStringUnchanged},
        TruncatedCase{"StringLength32", {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0}, ReadStringUnchanged},
        TruncatedCase{"StringUnits", Join({{0xFF, 0xFE, 0xFF, 0x03}, Utf16Le(u"ab")}),
                      ReadStringUnchanged},
        TruncatedCase{"StringOddByte", {0xFF, 0xFE, 0xFF, 0x01, 'a'}, ReadStringUnchanged},
        // The largest lengths fail at once, before anything is allocated.
        TruncatedCase{"StringLengthMax", Join({{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF}, Le32(0xFFFFFFFF),
                                               Utf16Le(u"tiny")}),
                      ReadStringUnchanged},
        TruncatedCase{"EmbeddedSizeMax", Join({Le32(0xFFFFFFFF), {1, 2, 3, 4}}), ReadFileUnchanged},
        TruncatedCase{"EmbeddedName", Join({Le32(1), {7}, {0xFF, 0xFE, 0xFF, 0x04}}),
                      ReadFileUnchanged},
        TruncatedCase{"EntryModuleName", Join({Le32(1), {0xFF, 0xFE, 0xFF, 0x09, 'm', 0}}),
                      ReadEntryUnchanged},
        TruncatedCase{"EntryBytes", Join({Le32(1), {0xFF, 0xFE, 0xFF, 0x00}, Le32(100), {1, 2}}),
                      ReadEntryUnchanged}),
    [](const auto& info) { return info.param.name; });

TEST(DocumentArchiveBounds, ABufferWithoutCursorYieldsNothing) {
    ResourceBuffer buffer;
    KV_IOF_R<ResourceBuffer> reader(buffer);
    DWORD value = 3;
    reader.ReadDword(&value);
    EXPECT_EQ(value, 3u);
    EXPECT_TRUE(reader.Failed());
}

TEST(DocumentArchiveBounds, CountsAreCheckedAgainstTheBytesLeft) {
    HeldBytes held(Bytes(12, 0));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    EXPECT_TRUE(reader.CanHold(3, 4));
    EXPECT_TRUE(reader.CanHold(0xFFFFFFFF, 0));
    EXPECT_FALSE(reader.Failed());
    EXPECT_FALSE(reader.CanHold(4, 4));
    EXPECT_TRUE(reader.Failed());
    EXPECT_FALSE(reader.CanHold(1, 1));
}

TEST(DocumentArchiveBounds, AHugeCountFailsAtOnce) {
    HeldBytes held(Bytes(64, 0));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    EXPECT_FALSE(reader.CanHold(0xFFFFFFFF, 8));
    DWORD value = 1;
    reader.ReadDword(&value);
    EXPECT_EQ(value, 1u);
}

TEST(DocumentArchiveBounds, FailCanBeRaisedByARecordReader) {
    HeldBytes held(Le32(5));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    reader.Fail();
    DWORD value = 1;
    reader.ReadDword(&value);
    EXPECT_EQ(value, 1u);
    EXPECT_TRUE(reader.Failed());
}

}  // namespace
