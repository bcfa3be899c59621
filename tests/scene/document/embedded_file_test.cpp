// Stored files and resource entries: their document layout, reading over
// values that already hold bytes, and the in-memory operations.
#include <cstring>

#include <gtest/gtest.h>

#include <platform/unicode.h>

#include "support/document_bytes.h"
#include "scene/document/embedded_file.h"
#include "scene/document/file_name.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/writer/kv_iof_w.h"

namespace {

Bytes Contents(const EmbeddedFile& file) {
    return file.Data() == nullptr ? Bytes{} : Bytes(file.Data(), file.Data() + file.Size());
}

EmbeddedFile FileWith(const kv_string& name, const Bytes& bytes) {
    EmbeddedFile file;
    file.Assign(name, static_cast<DWORD>(bytes.size()), bytes.data());
    return file;
}

// size, bytes, then the file name.
const Bytes kEmbeddedGolden = Join({Le32(3), {'a', 'b', 'c'}, ShortString(u"C:\\p.png")});
// id, module name, size, bytes, file name.
const Bytes kEntryGolden =
    Join({Le32(62), ShortString(u"m.dll"), Le32(2), {0x89, 0x50}, ShortString(u"x.png")});

TEST(EmbeddedFileEncoding, MatchesTheStoredLayout) {
    HeldBytes held(kEmbeddedGolden);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    EmbeddedFile file;
    reader.ReadEmbeddedFile(&file);
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(buffer.Remaining(), 0u);
    EXPECT_EQ(file.FileName(), L"C:\\p.png");
    EXPECT_EQ(Contents(file), (Bytes{'a', 'b', 'c'}));

    KV_IOF_W writer;
    writer.WriteEmbeddedFile(&file);
    EXPECT_EQ(writer.Bytes(), kEmbeddedGolden);
}

TEST(EmbeddedFileEncoding, EmptyFileIsFourZeroBytesAndAName) {
    const Bytes golden = Join({Le32(0), ShortString(u"e.wav")});
    HeldBytes held(golden);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    EmbeddedFile file;
    reader.ReadEmbeddedFile(&file);
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(file.Data(), nullptr);
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_EQ(file.FileName(), L"e.wav");

    KV_IOF_W writer;
    writer.WriteEmbeddedFile(&file);
    EXPECT_EQ(writer.Bytes(), golden);
}

TEST(ResourceEntryEncoding, StoresIdAndModuleBeforeTheFile) {
    HeldBytes held(kEntryGolden);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    ResourceEntry entry;
    reader.ReadResourceEntry(&entry);
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(buffer.Remaining(), 0u);
    EXPECT_EQ(entry.Id(), 62);
    EXPECT_EQ(entry.ModuleName(), L"m.dll");
    EXPECT_EQ(entry.FileName(), L"x.png");
    EXPECT_EQ(Contents(entry), (Bytes{0x89, 0x50}));

    KV_IOF_W writer;
    writer.WriteResourceEntry(&entry);
    EXPECT_EQ(writer.Bytes(), kEntryGolden);
}

// A stored record replaces the whole value: nothing of what the destination
// held before survives, and its old buffer is freed (the leak checker
// watches this test).
TEST(DocumentReadingOverAValue, KeepsNothingStale) {
    const Bytes stored = Join({Le32(0), {0xFF, 0xFE, 0xFF, 0x00},  // empty file, empty name
                               Le32(2), {'n', 'w'}, ShortString(u"new"),
                               Le32(5), {0xFF, 0xFE, 0xFF, 0x00}, Le32(0), {0xFF, 0xFE, 0xFF, 0x00}});
    HeldBytes held(stored);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);

    EmbeddedFile file = FileWith(L"old.png", {'o', 'l', 'd'});
    reader.ReadEmbeddedFile(&file);
    EXPECT_EQ(file.Data(), nullptr);
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_EQ(file.FileName(), L"");

    file = FileWith(L"old.png", {'o', 'l', 'd'});
    reader.ReadEmbeddedFile(&file);
    EXPECT_EQ(Contents(file), (Bytes{'n', 'w'}));
    EXPECT_EQ(file.FileName(), L"new");

    ResourceEntry entry(9, L"common_res.dll");
    entry.Assign(L"old.png", 3, reinterpret_cast<const BYTE*>("old"));
    reader.ReadResourceEntry(&entry);
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(entry.Id(), 5);
    EXPECT_EQ(entry.ModuleName(), L"");
    EXPECT_EQ(entry.FileName(), L"");
    EXPECT_EQ(entry.Data(), nullptr);
}

TEST(EmbeddedFileOperations, CopyOwnsItsOwnBytes) {
    const EmbeddedFile original = FileWith(L"a.png", {1, 2, 3});
    const EmbeddedFile copy(original);
    EXPECT_EQ(copy.FileName(), L"a.png");
    EXPECT_EQ(Contents(copy), (Bytes{1, 2, 3}));
    EXPECT_NE(copy.Data(), original.Data());

    const EmbeddedFile emptyCopy{EmbeddedFile()};
    EXPECT_EQ(emptyCopy.Data(), nullptr);
    EXPECT_EQ(emptyCopy.Size(), 0u);
}

TEST(EmbeddedFileOperations, ANewNameDropsTheBytesAndTheSameNameKeepsThem) {
    EmbeddedFile file = FileWith(L"a.png", {1, 2});
    file.SetFileName(L"a.png");
    EXPECT_EQ(Contents(file), (Bytes{1, 2}));
    file.SetFileName(L"b.png");
    EXPECT_EQ(file.FileName(), L"b.png");
    EXPECT_EQ(file.Data(), nullptr);
    EXPECT_EQ(file.Size(), 0u);
}

TEST(EmbeddedFileOperations, SetBytesReplacesAndClearEmpties) {
    EmbeddedFile file = FileWith(L"a.png", {1, 2});
    const BYTE replacement[] = {7, 8, 9};
    file.SetBytes(3, replacement);
    EXPECT_EQ(Contents(file), (Bytes{7, 8, 9}));
    EXPECT_NE(file.Data(), replacement);
    file.Clear();
    EXPECT_EQ(file.Data(), nullptr);
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_EQ(file.FileName(), L"");
}

TEST(ResourceEntryOperations, ConstructorSetsWhereFrom) {
    const ResourceEntry entry(77, L"common_res.dll");
    EXPECT_EQ(entry.Id(), 77);
    EXPECT_EQ(entry.ModuleName(), L"common_res.dll");
    EXPECT_EQ(entry.FileName(), L"");
    EXPECT_EQ(entry.Data(), nullptr);
}

struct FileNameCase {
    kv_string path;
    kv_string expected;
};

void PrintTo(const FileNameCase& c, std::ostream* os) {
    *os << platform::Utf8FromWide(c.path);
}

class ExtractFileNames : public testing::TestWithParam<FileNameCase> {};

TEST_P(ExtractFileNames, TakeTheTextAfterTheLastBackslash) {
    EXPECT_EQ(ExtractFileName(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, ExtractFileNames,
                         testing::Values(FileNameCase{L"C:\\Music\\track.mp3", L"track.mp3"},
                                         FileNameCase{L"\\a\\b\\c.wav", L"c.wav"},
                                         FileNameCase{L"C:\\Music\\", L""},
                                         FileNameCase{L"track.mp3", L""},
                                         FileNameCase{L"dir/track.mp3", L""},
                                         FileNameCase{L"", L""}));

}  // namespace
