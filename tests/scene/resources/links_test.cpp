// Resource links, their keys and stored form, and the image link's undo
// observer.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <ostream>
#include <string>

#include "scene/document/kv_iof_r.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/model/recording_control.h"
#include "scene/resources/kv_imagefilelink.h"
#include "support/document_bytes.h"

namespace {

ResourceKey KeyOf(const KV_FileLink3& link) {
    return link.Key();
}

struct ExtensionCase {
    const char* name;
    const wchar_t* path;
    const wchar_t* extension;
};

void PrintTo(const ExtensionCase& c, std::ostream* os) { *os << c.name; }

class LinkExtension : public testing::TestWithParam<ExtensionCase> {};

TEST_P(LinkExtension, IsTheLowerCaseTextFromTheLastDot) {
    const auto link = KV_FileLink3::FromKey({GetParam().path, 0});
    EXPECT_EQ(link.GetExtension(), GetParam().extension);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LinkExtension,
    testing::Values(ExtensionCase{"ModuleName", L"common_res.dll", L".dll"},
                    ExtensionCase{"UpperCaseFolded", L"C:\\Pictures\\Lake.JPG", L".jpg"},
                    ExtensionCase{"DotOnlyInADirectory", L"C:\\my.pictures\\lake", L".pictures\\lake"},
                    ExtensionCase{"NoDot", L"lake", L""}, ExtensionCase{"Empty", L"", L""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LinkKeys, ResourceLinksSignExtendTheirIdAndEntryLinksZeroExtendIt) {
    EXPECT_EQ(KeyOf(KV_FileLink3::FromResource(5, L"common_res.dll")), (ResourceKey{L"common_res.dll", 5}));
    EXPECT_EQ(KeyOf(KV_FileLink3::FromResource(-2, L"")), (ResourceKey{L"", -2}));

    ResourceEntry entry(-2, L"common_res.dll");
    entry.Assign(L"ignored.png", 0, nullptr);
    EXPECT_EQ(KeyOf(KV_FileLink3::FromEntry(entry)), (ResourceKey{L"common_res.dll", 0xFFFFFFFE}));
}

TEST(LinkKeys, EachLinkFromAnEntryWithoutIdTakesTheNextCounterValue) {
    ResourceEntry entry;
    entry.Assign(L"leaf.x", 0, nullptr);
    const ResourceKey first = KeyOf(KV_FileLink3::FromEntry(entry));
    const ResourceKey second = KeyOf(KV_FileLink3::FromEntry(entry));
    EXPECT_EQ(first.name, L"leaf.x");
    EXPECT_EQ(second.name, L"leaf.x");
    EXPECT_EQ(second.stamp, first.stamp + 1);
}

TEST(LinkKeys, ResourceKeysOrderByNameThenSignedStamp) {
    EXPECT_TRUE((ResourceKey{L"a", 5} < ResourceKey{L"b", 0}));
    EXPECT_TRUE((ResourceKey{L"a", -1} < ResourceKey{L"a", 0}));
    EXPECT_TRUE((ResourceKey{L"A", 9} < ResourceKey{L"a", 0}));
    EXPECT_FALSE((ResourceKey{L"a", 0} < ResourceKey{L"a", 0}));
    EXPECT_FALSE((ResourceKey{L"b", 0} < ResourceKey{L"a", 5}));
}

TEST(LinkKeys, GuidKeysOrderByTheirBytesInMemoryAndIgnoreNameAndFlag) {
    // Data1 is little-endian: 0x100 lies as 00 01 00 00 and comes first.
    const GUID low{0x00000100, 0, 0, {}};
    const GUID high{0x00000001, 0, 0, {}};
    EXPECT_TRUE((GuidKey(low, L"", true) < GuidKey(high, L"", true)));
    EXPECT_FALSE((GuidKey(high, L"", true) < GuidKey(low, L"", true)));

    std::map<GuidKey, int> table;
    table[GuidKey(low, L"mask", true)] = 1;
    table[GuidKey(low, L"text", false)] = 2;
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table.begin()->second, 2);
}

TEST(LinkKeys, NewGuidKeysAreUniqueWithEmptyNameAndFlagSet) {
    const GuidKey a;
    const GuidKey b;
    EXPECT_TRUE(a < b || b < a);
    EXPECT_TRUE(a.name.empty());
    EXPECT_TRUE(a.flag);
}

Bytes StoredLink(std::u16string_view path, LONGLONG stamp) {
    Bytes bytes = path.empty() ? Bytes{0xFF, 0xFE, 0xFF, 0x00} : ShortString(path);
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<BYTE>(static_cast<ULONGLONG>(stamp) >> (8 * i)));
    return bytes;
}

void Read(const Bytes& stored, KV_FileLink3& link) {
    HeldBytes held(stored);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> archive(buffer);
    ReadFileLink(archive, link);
    EXPECT_FALSE(archive.Failed());
}

TEST(LinkStorage, ReadingReplacesBothPartsWithoutNotifying) {
    KV_FileLink3 link = KV_FileLink3::FromResource(5, L"common_res.dll");
    RecordingControl control;
    link.Attach(&control);
    Read(StoredLink(u"C:\\Pictures\\lake.jpg", 1'700'000'000), link);
    EXPECT_EQ(link.Key(), (ResourceKey{L"C:\\Pictures\\lake.jpg", 1'700'000'000}));
    EXPECT_TRUE(control.sources.empty());
    link.Remove(&control);
}

TEST(LinkStorage, AnEmptyStoredPathEmptiesADefaultedLink) {
    KV_FileLink3 link = KV_FileLink3::FromResource(5, L"common_res.dll");
    Read(StoredLink(u"", 7), link);
    EXPECT_EQ(link.Key(), (ResourceKey{L"", 7}));
}

TEST(LinkStorage, WritesThePathThenTheStamp) {
    const KV_FileLink3 link = KV_FileLink3::FromResource(-3, L"common_res.dll");
    KV_IOF_W writer;
    WriteFileLink(writer, link);
    EXPECT_EQ(writer.Bytes(), StoredLink(u"common_res.dll", -3));
}

TEST(ImageLink, CopiesTakeTheKeyWithAnUndoObserverOfTheirOwn) {
    KV_ImageFileLink original(KV_FileLink3::FromResource(6, L"common_res.dll"));
    RecordingControl control;
    original.Attach(&control);
    {
        KV_ImageFileLink copy(original);
        EXPECT_EQ(copy.Key(), original.Key());
        ASSERT_EQ(copy.Controls().size(), 1u);
        EXPECT_EQ(copy.Controls().front(), &copy.UndoControl());
        EXPECT_EQ(copy.UndoControl().Captured(), original.Key());
    }
    // The copy's observer left with the copy; the original's are intact.
    EXPECT_EQ(original.Controls().size(), 2u);
    original.Remove(&control);
}

TEST(ImageLink, UndoImageCapturesAStampOnlyChange) {
    KV_ImageFileLink link(KV_FileLink3::FromKey({L"C:\\lake.jpg", 100}));
    auto& undo = link.UndoControl();
    link.NotifyControls(nullptr);
    EXPECT_EQ(undo.Captured(), (ResourceKey{L"C:\\lake.jpg", 100}));

    link.SetKey({L"C:\\lake.jpg", 101});
    link.NotifyControls(nullptr);
    EXPECT_EQ(undo.Captured(), (ResourceKey{L"C:\\lake.jpg", 101}));
}

TEST(ImageLink, UndoAndRedoRestoreTheKeyAndTellTheOtherControls) {
    KV_ImageFileLink link(KV_FileLink3::FromKey({L"first.jpg", 1}));
    auto& undo = link.UndoControl();
    RecordingControl control;
    link.Attach(&control);

    undo.Checkpoint();
    link.SetKey({L"second.jpg", 2});
    link.NotifyControls(nullptr);
    control.sources.clear();

    undo.Undo();
    EXPECT_EQ(link.Key(), (ResourceKey{L"first.jpg", 1}));
    ASSERT_EQ(control.sources.size(), 1u);
    EXPECT_EQ(control.sources[0], &undo);

    undo.Redo();
    EXPECT_EQ(link.Key(), (ResourceKey{L"second.jpg", 2}));
    EXPECT_EQ(control.sources.size(), 2u);
    link.Remove(&control);
}

}  // namespace
