// Loading the document from the program's own resources, resources of the
// own module and of resource modules, and GUID text.
#include <gtest/gtest.h>

#include <objbase.h>
#include <platform/sim_resources.h>
#include <windows.h>

#include "support/document_bytes.h"
#include "scene/document/document_error.h"
#include "scene/document/embedded_file.h"
#include "scene/document/guid_text.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/scene_document.h"
#include "scene/document/writer/kv_iof_w.h"

namespace {

LPCWSTR const kDds = L"DDS";
LPCWSTR const kDocumentId = MAKEINTRESOURCEW(107);

class SceneDocumentLoad : public testing::Test {
protected:
    void SetUp() override { g_currentDocResManager = nullptr; }
    void TearDown() override {
        platform::sim::ResetOwnModuleResources();
        g_currentDocResManager = nullptr;
    }

    static DWORD LoadError() {
        try {
            LoadSceneDocument();
        } catch (DWORD code) {
            return code;
        }
        return 0;
    }
};

TEST_F(SceneDocumentLoad, MissingDocumentRaisesTheMediaError) {
    platform::sim::RemoveOwnModuleResource(kDds, kDocumentId);
    EXPECT_EQ(LoadError(), kDocumentLoadError);
    EXPECT_EQ(g_currentDocResManager, nullptr);
}

TEST_F(SceneDocumentLoad, EmptyDocumentRaisesTheMediaError) {
    platform::sim::SetOwnModuleResource(kDds, kDocumentId, {});
    EXPECT_EQ(LoadError(), kDocumentLoadError);
}

TEST_F(SceneDocumentLoad, DamagedDocumentRaisesTheMediaErrorAndKeepsTheCurrentManager) {
    KV_DocResManager previous;
    g_currentDocResManager = &previous;
    Bytes damaged = HandBuiltDocument();
    damaged.pop_back();
    platform::sim::SetOwnModuleResource(kDds, kDocumentId, damaged);
    EXPECT_EQ(LoadError(), kDocumentLoadError);
    EXPECT_EQ(g_currentDocResManager, &previous);
}

class SceneDocumentHeaderTexts : public SceneDocumentLoad, public testing::WithParamInterface<std::u16string> {};

TEST_P(SceneDocumentHeaderTexts, LoadTheRootAndMakeTheManagerCurrent) {
    platform::sim::SetOwnModuleResource(kDds, kDocumentId, HandBuiltDocument(GetParam()));
    const SceneDocument document = LoadSceneDocument();
    EXPECT_NE(document.root, nullptr);
    ASSERT_NE(document.manager, nullptr);
    EXPECT_EQ(g_currentDocResManager, document.manager.get());
}

INSTANTIATE_TEST_SUITE_P(AnyHeader, SceneDocumentHeaderTexts,
                         testing::Values(u"QVT v 4.0.0", u"something else", u""));

TEST_F(SceneDocumentLoad, BytesAfterTheManagerRecordAreNotRead) {
    platform::sim::SetOwnModuleResource(kDds, kDocumentId,
                                        Join({HandBuiltDocument(), {1, 2, 3}}));
    EXPECT_NE(LoadSceneDocument().root, nullptr);
}

class DocumentOwnModuleResources : public testing::Test {
protected:
    void TearDown() override { platform::sim::ResetOwnModuleResources(); }
};

TEST_F(DocumentOwnModuleResources, OpenResourceSetsTheCursorOnTheBytes) {
    platform::sim::SetOwnModuleResource(kDds, MAKEINTRESOURCEW(300), Le32(0xA1B2C3D4));
    ResourceBuffer buffer;
    ASSERT_TRUE(buffer.OpenResource(nullptr, 300));
    EXPECT_EQ(buffer.Remaining(), 4u);
    KV_IOF_R<ResourceBuffer> reader(buffer);
    DWORD value = 0;
    reader.ReadDword(&value);
    EXPECT_EQ(value, 0xA1B2C3D4u);

    // Only the low 16 bits of the id count.
    ResourceBuffer wide;
    EXPECT_TRUE(wide.OpenResource(nullptr, 300 + 0x10000));
}

TEST_F(DocumentOwnModuleResources, OpenResourceRefusesMissingAndEmptyResources) {
    platform::sim::SetOwnModuleResource(kDds, MAKEINTRESOURCEW(301), {});
    ResourceBuffer buffer;
    EXPECT_FALSE(buffer.OpenResource(nullptr, 301));
    EXPECT_FALSE(buffer.OpenResource(nullptr, 302));
    EXPECT_FALSE(buffer.HasCursor());
}

TEST_F(DocumentOwnModuleResources, AnEntryWhoseModuleCannotBeLoadedUsesTheOwnModule) {
    const Bytes stored = {1, 2, 3, 4, 5};
    platform::sim::SetOwnModuleResource(kDds, MAKEINTRESOURCEW(303), stored);
    ResourceEntry entry(303, L"no_such_module.dll");
    entry.Assign(L"kept.png", 1, stored.data());
    ASSERT_TRUE(entry.LoadFromModule());
    EXPECT_EQ(Bytes(entry.Data(), entry.Data() + entry.Size()), stored);
    EXPECT_EQ(entry.FileName(), L"kept.png");

    ResourceEntry ownModule(303);
    EXPECT_TRUE(ownModule.LoadFromModule());
    EXPECT_EQ(ownModule.Size(), stored.size());
}

TEST_F(DocumentOwnModuleResources, AFilePathIsNeverLookedUpAsAModule) {
    // The own module holds the id, as the low bits of a time stamp might.
    platform::sim::SetOwnModuleResource(kDds, MAKEINTRESOURCEW(305), {1, 2, 3});
    ResourceEntry entry(305, L"C:\\Meshes\\leaf.x");
    EXPECT_FALSE(entry.LoadFromModule());
    EXPECT_EQ(entry.Size(), 0u);
}

TEST_F(DocumentOwnModuleResources, AnEntryThatIsFoundNowhereKeepsItsBytes) {
    ResourceEntry entry(304, L"no_such_module.dll");
    const BYTE old[] = {9};
    entry.Assign(L"x", 1, old);
    EXPECT_FALSE(entry.LoadFromModule());
    EXPECT_EQ(entry.Size(), 1u);
}

const GUID kGuid = {0x0123ABCD, 0x4567, 0x89EF, {0xFE, 0xDC, 0xBA, 0x98, 0x76, 0x54, 0x32, 0x10}};

TEST(DocumentGuidText, WritesUpperCaseRegistryFormWithBraces) {
    KV_IOF_W writer;
    WriteGuid(writer, kGuid);
    EXPECT_EQ(writer.Bytes(),
              Join({{0xFF, 0xFE, 0xFF, 38}, Utf16Le(u"{0123ABCD-4567-89EF-FEDC-BA9876543210}")}));
}

TEST(DocumentGuidText, ReadsTheTextBack) {
    HeldBytes held(Join({{0xFF, 0xFE, 0xFF, 38}, Utf16Le(u"{0123abcd-4567-89ef-fedc-ba9876543210}")}));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    GUID guid = GUID_NULL;
    ReadGuid(reader, &guid);
    EXPECT_TRUE(IsEqualGUID(guid, kGuid));
}

// A key made unique stays unique: text that does not parse changes nothing.
TEST(DocumentGuidText, TextThatDoesNotParseLeavesTheGuid) {
    HeldBytes held(ShortString(u"{not a guid}"));
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    GUID guid = kGuid;
    ReadGuid(reader, &guid);
    EXPECT_TRUE(IsEqualGUID(guid, kGuid));
}

}  // namespace
