// The document resource manager on a device of the simulated machine: its
// record at every version, the lookups with their references, module
// image sequences, and a whole document read through LoadSceneDocument.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include <objbase.h>
#include <platform/sim_resources.h>
#include <windows.h>

#include <d3dx9.h>

#include "cache_fixture.h"
#include <png.h>

#include "platform/d3dx9/picture_files.h"
#include "platform/unicode.h"
#include "scene/document/guid_text.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/record.h"
#include "scene/document/scene_document.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/resources/kv_docresmanager.h"
#include "scene/resources/kv_imagefilelink.h"
#include "scene/resources/stored_resource_tables.h"
#include "support/document_bytes.h"

namespace resources_test {
namespace {

ResourceEntry PictureEntry(const std::wstring& fileName, const Bytes& bytes) {
    ResourceEntry entry;
    entry.Assign(fileName, static_cast<DWORD>(bytes.size()), bytes.data());
    return entry;
}

// What an entry holds, to compare lists.
using EntryContents = std::tuple<kv_string, kv_string, INT, Bytes>;

template <class Entries>
std::vector<EntryContents> Contents(const Entries& entries) {
    std::vector<EntryContents> contents;
    for (const ResourceEntry& entry : entries)
        contents.emplace_back(entry.FileName(), entry.ModuleName(), entry.Id(),
                              Bytes(entry.Data(), entry.Data() + entry.Size()));
    return contents;
}

Bytes AsBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

const ResourceKey kFrames{L"C:\\pictures\\walk.png", 11};
const ResourceKey kSingle{L"C:\\pictures\\still.png", 12};
const ResourceKey kShared{L"C:\\pictures\\shared.png", 13};
const ResourceKey kMesh{L"C:\\meshes\\tree.x", 14};
const GUID kGenerated = {0x1234, 0x5678, 0x9abc, {1, 2, 3, 4, 5, 6, 7, 8}};
constexpr DWORD kMarker = 0xC0DEFACE;

class DocResManagerTest : public CacheTest {
protected:
    void TearDown() override {
        g_currentDocResManager = nullptr;
        CacheTest::TearDown();
    }

    // Four tables with one or more rows each, every picture decodable.
    static StoredResourceTables SampleTables() {
        StoredResourceTables tables;
        tables.images[kFrames] = {PictureEntry(L"a.png", RedPng(2, 2)), PictureEntry(L"b.png", RedPng(4, 2)),
                                  PictureEntry(L"c.png", RedPng(6, 3))};
        tables.images[kSingle] = {PictureEntry(L"d.png", RedPng(3, 3))};
        tables.images[kShared] = {PictureEntry(L"image.png", RedPng(5, 5))};
        tables.frameDurations[kFrames] = {0.5f, 1.0f, 2.0f};
        tables.frameDurations[kSingle] = {9.0f};
        tables.otherFiles[kShared] = {PictureEntry(L"other.bin", {1, 2, 3})};
        tables.otherFiles[kMesh] = {PictureEntry(L"tree.x", {4, 5})};
        tables.guidImages.try_emplace(GuidKey(kGenerated, L"first", true),
                                      PictureEntry(L"g.png", RedPng(7, 1)));
        return tables;
    }

    // The record at `version` with all four tables after it, then a marker.
    static Bytes Record(DWORD version, const StoredResourceTables& tables) {
        KV_IOF_W archive;
        WriteRecordFrame(archive, L"KV_DocResManager", version);
        WriteStoredTables(archive, tables);
        archive.WriteDword(&kMarker);
        return archive.Bytes();
    }

    // Reads the record; `next` gets the dword that follows it.
    static std::unique_ptr<KV_DocResManager> ReadRecord(const Bytes& bytes, DWORD* next) {
        ResourceBuffer buffer(bytes.data(), bytes.size());
        KV_IOF_R<ResourceBuffer> archive(buffer);
        auto manager = ReadDocResManagerRecord(archive);
        archive.ReadDword(next);
        EXPECT_FALSE(archive.Failed());
        return manager;
    }
};

struct VersionCase {
    DWORD version;
    DWORD next;  // what follows the part of the record the version holds
    bool otherFiles;
    bool guidPictures;
};

class ManagerVersions : public DocResManagerTest, public testing::WithParamInterface<VersionCase> {};

TEST_P(ManagerVersions, ReadExactlyTheirTables) {
    const VersionCase& c = GetParam();
    DWORD next = 0;
    const auto manager = ReadRecord(Record(c.version, SampleTables()), &next);
    EXPECT_EQ(next, c.next);
    const DocResTables& tables = manager->Tables();
    EXPECT_TRUE(tables.images.empty());
    EXPECT_TRUE(tables.guidImages.empty());
    EXPECT_EQ(tables.entries.count(kMesh), c.otherFiles ? 1u : 0u);
    EXPECT_EQ(tables.guidTextures.count(GuidKey(kGenerated, L"", true)), c.guidPictures ? 1u : 0u);

    const TextureSequence& frames = tables.sequences.at(kFrames);
    ASSERT_EQ(frames.Frames().size(), 3u);
    for (IDirect3DTexture9* frame : frames.Frames()) {
        EXPECT_NE(frame, nullptr);
    }
    EXPECT_EQ(frames.durations, (std::vector<float>{0.5f, 1.0f, 2.0f}));
    EXPECT_EQ(frames.width, 6u);  // the last frame's
    EXPECT_EQ(frames.height, 3u);
    const TextureSequence& single = tables.sequences.at(kSingle);
    EXPECT_EQ(single.Frames().size(), 1u);
    EXPECT_TRUE(single.durations.empty());
    // The image table's list wins over the other-files list of the same key.
    ASSERT_EQ(tables.entries.at(kShared).size(), 1u);
    EXPECT_EQ(tables.entries.at(kShared).front().FileName(), L"image.png");
}

INSTANTIATE_TEST_SUITE_P(AllVersions, ManagerVersions,
                         testing::Values(VersionCase{1, 2, false, false}, VersionCase{2, 1, true, false},
                                         VersionCase{3, kMarker, true, true}, VersionCase{0, kMarker, true, true},
                                         VersionCase{7, kMarker, true, true}),
                         [](const auto& info) { return "Version" + std::to_string(info.param.version); });

TEST_F(DocResManagerTest, WriteStoresWhatReadingGivesBack) {
    KV_DocResManager written;
    StoredResourceTables stored = SampleTables();
    static_cast<StoredResourceTables&>(written.Tables()) = stored;
    written.Tables().guidImages.clear();
    KV_IOF_W archive;
    written.Write(archive);
    archive.WriteDword(&kMarker);

    DWORD next = 0;
    const auto read = ReadRecord(archive.Bytes(), &next);
    EXPECT_EQ(next, kMarker);
    const DocResTables& tables = read->Tables();
    EXPECT_EQ(tables.frameDurations, stored.frameDurations);
    for (const auto& [key, entries] : stored.images)
        EXPECT_EQ(Contents(tables.entries.at(key)), Contents(entries)) << "picture " << key.stamp;
    std::map<ResourceKey, std::vector<EntryContents>> otherFiles, storedOtherFiles;
    for (const auto& [key, entries] : tables.otherFiles)
        otherFiles[key] = Contents(entries);
    for (const auto& [key, entries] : stored.otherFiles)
        storedOtherFiles[key] = Contents(entries);
    EXPECT_EQ(otherFiles, storedOtherFiles);
    EXPECT_EQ(Contents(tables.entries.at(kMesh)), Contents(stored.otherFiles.at(kMesh)));
}

// Rows written as they are given, a key as often as it comes.
struct EntryRow {
    ResourceKey key;
    std::vector<ResourceEntry> entries;
};

void WriteEntryRows(KV_IOF_W& archive, const std::vector<EntryRow>& rows)
{
    const DWORD count = static_cast<DWORD>(rows.size());
    archive.WriteDword(&count);
    for (const EntryRow& row : rows) {
        archive.WriteString(&row.key.name);
        archive.WriteInt64(&row.key.stamp);
        const DWORD entries = static_cast<DWORD>(row.entries.size());
        archive.WriteDword(&entries);
        for (const ResourceEntry& entry : row.entries)
            archive.WriteResourceEntry(&entry);
    }
}

TEST_F(DocResManagerTest, AKeyStoredTwiceKeepsItsFirstRowInEveryTable)
{
    KV_IOF_W archive;
    WriteRecordFrame(archive, L"KV_DocResManager", 3);
    WriteEntryRows(archive, {{kSingle, {PictureEntry(L"first.png", RedPng(2, 2))}},
                             {kSingle, {PictureEntry(L"second.png", RedPng(4, 4)), PictureEntry(L"third.png", RedPng(1, 1))}}});
    const DWORD durationRows = 2, durationCount = 1;
    archive.WriteDword(&durationRows);
    for (const float duration : {0.5f, 9.0f}) {
        archive.WriteString(&kSingle.name);
        archive.WriteInt64(&kSingle.stamp);
        archive.WriteDword(&durationCount);
        archive.WriteFloat(&duration);
    }
    WriteEntryRows(archive, {{kMesh, {PictureEntry(L"first.x", {1})}}, {kMesh, {PictureEntry(L"second.x", {2})}}});
    const DWORD guidRows = 2;
    archive.WriteDword(&guidRows);
    for (const auto& [name, side] : {std::pair{L"first", 2u}, std::pair{L"second", 4u}}) {
        const kv_string keyName = name;
        const bool flag = true;
        const EmbeddedFile picture = PictureEntry(L"g.png", RedPng(side, side));
        WriteGuid(archive, kGenerated);
        archive.WriteString(&keyName);
        archive.WriteBool(&flag);
        archive.WriteEmbeddedFile(&picture);
    }
    archive.WriteDword(&kMarker);

    DWORD next = 0;
    const auto read = ReadRecord(archive.Bytes(), &next);
    EXPECT_EQ(next, kMarker);
    const DocResTables& tables = read->Tables();
    EXPECT_EQ(Contents(tables.entries.at(kSingle)), Contents(EntryList{PictureEntry(L"first.png", RedPng(2, 2))}));
    EXPECT_EQ(tables.sequences.at(kSingle).width, 2u);
    EXPECT_EQ(tables.frameDurations.at(kSingle), std::vector<float>{0.5f});
    EXPECT_EQ(Contents(tables.otherFiles.at(kMesh)), Contents(EntryList{PictureEntry(L"first.x", {1})}));
    EXPECT_EQ(Contents(tables.entries.at(kMesh)), Contents(EntryList{PictureEntry(L"first.x", {1})}));
    IDirect3DTexture9* generated = tables.guidTextures.at(GuidKey(kGenerated, L"", true)).Get();
    ASSERT_NE(generated, nullptr);
    D3DSURFACE_DESC desc{};
    generated->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 2u);
}

TEST_F(DocResManagerTest, SavedPictureLinksComeBackAsPicturesAndOtherLinksAsEntries) {
    KV_DocResManager saving;
    saving.Tables().entries[kSingle] = {PictureEntry(L"d.png", RedPng(3, 2))};
    saving.Tables().entries[kMesh] = {PictureEntry(L"tree.x", {4, 5})};
    g_currentDocResManager = &saving;
    KV_IOF_W archive;
    WriteImageLink(archive, KV_ImageFileLink(KV_FileLink3::FromKey(kSingle)));
    WriteFileLink(archive, KV_FileLink3::FromKey(kMesh));
    saving.Write(archive);
    EXPECT_EQ(saving.Tables().otherFiles.count(kSingle), 0u);

    ResourceBuffer buffer(archive.Bytes().data(), archive.Bytes().size());
    KV_IOF_R<ResourceBuffer> reader(buffer);
    KV_ImageFileLink picture;
    KV_FileLink3 mesh;
    ReadFileLink(reader, picture);
    ReadFileLink(reader, mesh);
    const auto read = ReadDocResManagerRecord(reader);
    ASSERT_FALSE(reader.Failed());
    const TextureSequence& sequence = read->GetImage(picture);
    ASSERT_EQ(sequence.Frames().size(), 1u);
    EXPECT_NE(sequence.Frames().front(), nullptr);
    EXPECT_EQ(sequence.width, 3u);
    const ResourceEntry* meshEntry = read->GetEntry(mesh);
    ASSERT_NE(meshEntry, nullptr);
    EXPECT_EQ(meshEntry->FileName(), L"tree.x");
}

TEST_F(DocResManagerTest, GuidKeysWithOneGuidAreOneKey) {
    StoredResourceTables tables;
    tables.guidImages.try_emplace(GuidKey(kGenerated, L"first", true), PictureEntry(L"a.png", RedPng(2, 2)));
    tables.guidImages.try_emplace(GuidKey(kGenerated, L"second", false), PictureEntry(L"b.png", RedPng(4, 4)));
    DWORD next = 0;
    auto manager = ReadRecord(Record(3, tables), &next);
    auto& textures = manager->GuidTextures();
    ASSERT_EQ(textures.size(), 1u);
    EXPECT_NE(textures.at(GuidKey(kGenerated, L"third", false)).Get(), nullptr);
}

const char kEffect[] =
    "technique Main\n"
    "    pass Only\n"
    "        fragment\n"
    "void main() { fragColour = vec4(1.0); }\n"
    "        end\n";

TEST_F(DocResManagerTest, GetEffectAddsOneReferencePerCallAndRetriesAFailedCreation) {
    KV_DocResManager manager;
    const KV_FileLink3 link = KV_FileLink3::FromKey({L"C:\\effects\\glow.fx", 3});
    EntryList& entries = manager.Tables().entries[link.Key()];
    entries.push_back(PictureEntry(L"glow.fx", AsBytes("not an effect")));
    EXPECT_EQ(manager.GetEffect(link), nullptr);

    entries.back().SetBytes(sizeof kEffect - 1, reinterpret_cast<const BYTE*>(kEffect));
    ID3DXEffect* first = manager.GetEffect(link);
    ASSERT_NE(first, nullptr);
    ID3DXEffect* second = manager.GetEffect(link);
    EXPECT_EQ(first, second);
    EXPECT_EQ(References(first), 3u);  // the table's and the two callers'
    first->Release();
    second->Release();
    manager.ReleaseDeviceObjects();
    manager.RestoreDeviceObjects();
    EXPECT_EQ(References(first), 1u);
}

// A module that cannot be loaded is searched for in the program itself.
TEST_F(DocResManagerTest, AnEffectOfAModuleThatIsMissingComesFromTheProgramsOwn) {
    platform::sim::SetOwnModuleResource(RT_RCDATA, MAKEINTRESOURCEW(kPictureId),
                                        Bytes(kEffect, kEffect + sizeof kEffect - 1));
    for (const wchar_t* module : {L"missing.dll", L""}) {
        SCOPED_TRACE(platform::Utf8FromWide(module));
        KV_DocResManager manager;
        ID3DXEffect* effect = manager.GetEffect(KV_FileLink3::FromResource(kPictureId, module));
        ASSERT_NE(effect, nullptr);
        EXPECT_EQ(effect->SetTechnique("Main"), D3D_OK);
        effect->Release();
    }
}

class RenderTargetsTest : public DocResManagerTest {
protected:
    static constexpr D3DCOLOR kLeft = 0xFFFF0000;
    static constexpr D3DCOLOR kRight = 0xFF0000FF;

    // A generated picture under the key: its left half kLeft, its right half kRight.
    void StorePicture(KV_DocResManager& manager, const GuidKey& key) {
        IDirect3DTexture9* texture = nullptr;
        ASSERT_EQ(device()->CreateTexture(8, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture, nullptr), D3D_OK);
        manager.GuidTextures()[key].Reset(texture);
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
        for (UINT y = 0; y < 4; ++y) {
            auto* row = reinterpret_cast<D3DCOLOR*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
            std::fill(row, row + 4, kLeft);
            std::fill(row + 4, row + 8, kRight);
        }
        texture->UnlockRect(0);
    }

    // The pair's current target, read back through a system-memory copy.
    std::vector<D3DCOLOR> CurrentTexels(const RenderTargetPair& pair) {
        d3d9_test::Com<IDirect3DSurface9> level;
        if (!pair.Current() || FAILED(pair.Current()->GetSurfaceLevel(0, level.out()))) {
            return {};
        }
        D3DSURFACE_DESC desc{};
        level->GetDesc(&desc);
        d3d9_test::Com<IDirect3DSurface9> copy(Plain(desc.Width, desc.Height));
        EXPECT_EQ(device()->GetRenderTargetData(level.get(), copy.get()), D3D_OK);
        return Pixels(copy.get());
    }

    // A 512 x 512 target holding the picture, read mid-half: the filter
    // blends across the seam and, wrapping, across the edges.
    void ExpectPicture(const RenderTargetPair& pair) {
        EXPECT_EQ(pair.width, 512u);
        EXPECT_EQ(pair.height, 512u);
        const std::vector<D3DCOLOR> texels = CurrentTexels(pair);
        ASSERT_EQ(texels.size(), 512u * 512u);
        for (UINT y : {0u, 256u, 511u}) {
            EXPECT_EQ(texels[y * 512 + 128], kLeft) << "row " << y;
            EXPECT_EQ(texels[y * 512 + 384], kRight) << "row " << y;
        }
    }
};

TEST_F(RenderTargetsTest, ANewPairStartsWithTheKeysPictureAndIsKeptForLaterRequests) {
    KV_DocResManager manager;
    StorePicture(manager, GuidKey(kGenerated, L"stored", true));
    RenderTargetPair* pair = manager.GetRenderTarget(GuidKey(kGenerated, L"asked", false));
    ASSERT_NE(pair, nullptr);
    ExpectPicture(*pair);
    EXPECT_EQ(manager.GetRenderTarget(GuidKey(kGenerated, L"", true)), pair);

    // Without a picture the pair is made unfilled, and the key gets an empty slot.
    const GuidKey bare(GUID{0x9999, 0, 0, {}}, L"", true);
    const RenderTargetPair* unfilled = manager.GetRenderTarget(bare);
    ASSERT_NE(unfilled, nullptr);
    EXPECT_NE(unfilled, pair);
    EXPECT_NE(unfilled->Current(), nullptr);
    EXPECT_EQ(unfilled->width, 512u);
    ASSERT_EQ(manager.GuidTextures().count(bare), 1u);
    EXPECT_EQ(manager.GuidTextures().at(bare).Get(), nullptr);
}

TEST_F(RenderTargetsTest, PairsSurviveADeviceResetThroughTheDevicePasses) {
    KV_DocResManager manager;
    const GuidKey pictured(kGenerated, L"", true);
    StorePicture(manager, pictured);
    RenderTargetPair* first = manager.GetRenderTarget(pictured);
    RenderTargetPair* resized = manager.GetRenderTarget(GuidKey(GUID{0x9999, 0, 0, {}}, L"", true));
    resized->Create(64, 32);
    D3DPRESENT_PARAMETERS presentation = Windowed(nullptr);
    EXPECT_EQ(device()->Reset(&presentation), D3DERR_INVALIDCALL);  // the targets still live

    manager.ReleaseDeviceObjects();
    EXPECT_EQ(first->Current(), nullptr);
    EXPECT_EQ(resized->Current(), nullptr);
    presentation = Windowed(nullptr);
    ASSERT_EQ(device()->Reset(&presentation), D3D_OK);
    manager.RestoreDeviceObjects();

    EXPECT_EQ(manager.GetRenderTarget(pictured), first);
    ExpectPicture(*first);
    EXPECT_EQ(resized->width, 64u);
    EXPECT_EQ(resized->height, 32u);
    EXPECT_EQ(CurrentTexels(*resized).size(), 64u * 32u);
}

TEST_F(DocResManagerTest, AFileMeshLinkNeverReachesTheOwnModule) {
    // The program's own "DDS" under the stamp's low bits holds a good mesh.
    SetOwnResource(AsBytes("xof 0303txt 0032\nMesh {\n 3;\n 0.0;0.0;0.0;,\n 1.0;0.0;0.0;,\n 0.0;1.0;0.0;;\n"
                           " 1;\n 3;0,2,1;;\n}\n"));
    KV_DocResManager manager;
    const MeshBuffers& fileMesh = manager.GetMesh(KV_FileLink3::FromKey({L"C:\\meshes\\tree.x", kPictureId}), 32);
    EXPECT_FALSE(fileMesh.HasBuffers());
    EXPECT_EQ(fileMesh.faceCount, 0u);
    const MeshBuffers& ownMesh = manager.GetMesh(KV_FileLink3::FromResource(kPictureId, L""), 32);
    EXPECT_EQ(ownMesh.faceCount, 1u);
}

// A module image-sequence resource: durations, then the frames' entries.
Bytes SequenceResource(const std::vector<float>& durations, const std::vector<ResourceEntry>& frames) {
    KV_IOF_W archive;
    const DWORD count = static_cast<DWORD>(durations.size());
    archive.WriteDword(&count);
    for (const float& duration : durations) {
        archive.WriteFloat(&duration);
    }
    const DWORD frameCount = static_cast<DWORD>(frames.size());
    archive.WriteDword(&frameCount);
    for (const ResourceEntry& frame : frames) {
        archive.WriteResourceEntry(&frame);
    }
    return archive.Bytes();
}

// Only the program itself (an empty name) and names ending ".dll" are
// modules: a picture path never reaches LoadLibraryW nor, when that fails,
// the program's own resources under the stamp's low bits.
TEST_F(DocResManagerTest, OnlyModuleNamesAreLookedUpInModules) {
    struct Case {
        const wchar_t* path;
        bool module;
    };
    const Case cases[] = {{L"", true},
                          {kModuleName, true},
                          {L"COMMON_RES.DLL", true},
                          {L"C:\\pictures\\lake.png", false},
                          {L"C:\\pictures.dll\\lake", false},
                          {L"lake.dll.png", false}};
    struct Lookup {
        const char* name;
        Bytes resource;
        size_t frames;
        TextureSequence& (KV_DocResManager::*get)(const KV_FileLink3&);
    };
    const Lookup lookups[] = {
        {"GetImage", RedPng(2, 2), 1, &KV_DocResManager::GetImage},
        {"GetImageSequence",
         SequenceResource({0.5f, 0.5f}, {PictureEntry(L"one.png", RedPng(2, 2)), PictureEntry(L"two.png", RedPng(2, 2))}),
         2, &KV_DocResManager::GetImageSequence},
    };
    for (const Lookup& lookup : lookups) {
        // The engine never frees a module: the one the last lookup loaded goes first.
        while (HMODULE loaded = GetModuleHandleW(kModuleName))
            ASSERT_TRUE(FreeLibrary(loaded));
        SetOwnResource(lookup.resource);
        WriteModule(lookup.resource);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << lookup.name << " \"" << platform::Utf8FromWide(c.path) << "\"");
            KV_DocResManager manager;
            const TextureSequence& sequence = (manager.*lookup.get)(KV_FileLink3::FromKey({c.path, kPictureId}));
            EXPECT_EQ(sequence.Frames().size(), c.module ? lookup.frames : 0u);
            EXPECT_EQ(sequence.width, c.module ? 2u : 0u);
        }
    }
}

TEST_F(DocResManagerTest, ModuleSequenceFramesAreFreshEntriesAndStoredEntriesStayPut) {
    WriteModule(SequenceResource({0.25f, 0.75f}, {PictureEntry(L"one.png", RedPng(2, 2)),
                                                   PictureEntry(L"two.png", RedPng(8, 4))}));
    KV_DocResManager manager;
    const KV_FileLink3 link = KV_FileLink3::FromResource(kPictureId, kModuleName);
    ResourceEntry* first = manager.GetEntry(link);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->ModuleName(), kModuleName);
    EXPECT_GT(first->Size(), 0u);  // the module resource's bytes

    const TextureSequence& sequence = manager.GetImageSequence(link);
    ASSERT_EQ(sequence.Frames().size(), 2u);
    EXPECT_NE(sequence.Frames()[1], nullptr);
    EXPECT_EQ(sequence.durations, (std::vector<float>{0.25f, 0.75f}));
    EXPECT_EQ(sequence.width, 8u);
    // The entry handed out before is still the key's first, now frame 0,
    // with nothing left of the module entry.
    EXPECT_EQ(manager.GetEntry(link), first);
    EXPECT_EQ(first->FileName(), L"one.png");
    EXPECT_EQ(first->ModuleName(), L"");
    EXPECT_EQ(Bytes(first->Data(), first->Data() + first->Size()), RedPng(2, 2));

    // Adding frames under further keys moves nothing either.
    manager.BuildImageLinkFromList({PictureEntry(L"x.png", RedPng(1, 1)), PictureEntry(L"y.png", RedPng(1, 1))},
                                   {1.0f, 1.0f});
    EXPECT_EQ(manager.GetEntry(link), first);
    EXPECT_EQ(first->FileName(), L"one.png");
}

struct HugeCase {
    const char* name;
    Bytes resource;
};

class HugeModuleSequences : public DocResManagerTest, public testing::WithParamInterface<HugeCase> {};

TEST_P(HugeModuleSequences, GiveNoFramesAtOnce) {
    WriteModule(GetParam().resource);
    KV_DocResManager manager;
    const TextureSequence& sequence = manager.GetImageSequence(KV_FileLink3::FromResource(kPictureId, kModuleName));
    EXPECT_TRUE(sequence.Frames().empty());
    EXPECT_TRUE(sequence.durations.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Counts, HugeModuleSequences,
    testing::Values(HugeCase{"DurationCount", Le32(0xFFFFFFFF)},
                    HugeCase{"FrameCount", Join({Le32(1), Le32(0), Le32(0xFFFFFFFF)})},
                    HugeCase{"TruncatedFrame", Join({Le32(0), Le32(1), Le32(7)})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocResManagerTest, ADocumentWithAnEmbeddedPictureLoadsItsTexels) {
    d3dx9_test::PngPicture picture;
    picture.width = 4;  // a power of two: stored at its own size, not resampled
    picture.height = 2;
    picture.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (BYTE i = 0; i < 8; ++i) {
        picture.rows.insert(picture.rows.end(), {static_cast<BYTE>(30 * i), static_cast<BYTE>(255 - 30 * i),
                                                 static_cast<BYTE>(7 * i), 255});
    }
    const ResourceKey key{L"C:\\pictures\\slide.png", 77};
    KV_DocResManager written;
    written.Tables().images[key] = {PictureEntry(L"slide.png", d3dx9_test::EncodePng(picture))};
    KV_IOF_W archive;
    written.Write(archive);
    platform::sim::SetOwnModuleResource(
        L"DDS", MAKEINTRESOURCEW(107),
        Join({ShortString(u"QVT v 4.0.0"), EmptySlideShowRecord(), archive.Bytes()}));

    const SceneDocument document = LoadSceneDocument();
    ASSERT_NE(document.manager, nullptr);
    TextureSequence& sequence = document.manager->GetImage(KV_FileLink3::FromKey(key));
    ASSERT_EQ(sequence.Frames().size(), 1u);
    IDirect3DTexture9* texture = sequence.Frames()[0];
    ASSERT_NE(texture, nullptr);
    D3DSURFACE_DESC desc{};
    texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, 4u);
    EXPECT_EQ(desc.Height, 2u);
    for (UINT i = 0; i < 8; ++i) {
        const std::vector<BYTE> texel = TexelBytes(texture, 0, i % 4, i / 4);
        ASSERT_EQ(texel.size(), 4u);
        // A8R8G8B8 in memory: blue, green, red, alpha.
        EXPECT_EQ(texel, (std::vector<BYTE>{static_cast<BYTE>(7 * i), static_cast<BYTE>(255 - 30 * i),
                                            static_cast<BYTE>(30 * i), 255}))
            << "texel " << i;
    }
}

}  // namespace
}  // namespace resources_test
