// Damaged documents: every prefix of a valid document and thousands of
// seeded mutations of it either load or fail with the document error, with
// no read outside their bytes (run under the sanitizers).
#include <random>

#include <gtest/gtest.h>
#include <png.h>

#include "support/document_bytes.h"
#include "platform/d3dx9/device_fixture.h"
#include "platform/d3dx9/picture_files.h"
#include "primitive_stream.h"
#include "scene/document/document_error.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/scene_document.h"
#include "scene/document/writer/document_builder.h"
#include "scene/render/current_device.h"

namespace {

enum class Outcome { Loaded, Failed };

Outcome LoadDocument(const Bytes& bytes) {
    HeldBytes held(bytes);
    ResourceBuffer buffer = held.Buffer();
    try {
        const SceneDocument document = ReadSceneDocument(buffer);
        EXPECT_NE(document.root, nullptr);
        EXPECT_NE(document.manager, nullptr);
        return Outcome::Loaded;
    } catch (DWORD code) {
        EXPECT_EQ(code, kDocumentLoadError);
        return Outcome::Failed;
    }
}

ResourceEntry StoredPicture(const std::wstring& fileName, UINT width) {
    d3dx9_test::PngPicture picture;
    picture.width = width;
    picture.height = 1;
    picture.colourType = PNG_COLOR_TYPE_RGB;
    picture.rows.assign(3 * width, 0x80);
    const Bytes png = d3dx9_test::EncodePng(picture);
    ResourceEntry entry;
    entry.Assign(fileName, static_cast<DWORD>(png.size()), png.data());
    return entry;
}

// A document whose manager holds a two-frame picture with its durations,
// an other file and a generated picture.
Bytes DocumentWithResources() {
    KV_DocResManager manager;
    StoredResourceTables& tables = manager.Tables();
    const ResourceKey frames{L"walk.png", 1};
    tables.images[frames] = {StoredPicture(L"a.png", 2), StoredPicture(L"b.png", 1)};
    tables.frameDurations[frames] = {0.5f, 0.25f};
    tables.otherFiles[{L"common_res.dll", 68}] = {StoredPicture(L"mesh.x", 1)};
    tables.guidImages.try_emplace(GuidKey(GUID{1, 2, 3, {4}}, L"glow", true), StoredPicture(L"g.png", 1));
    DocumentBuilder builder;
    builder.Header().Record(L"KV_SlideShow_Light", 1).Dword(0).Dword(0);
    manager.Write(builder.Archive());
    return builder.Bytes();
}

Outcome ReadStream(const Bytes& bytes) {
    HeldBytes held(bytes);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> reader(buffer);
    return ReadPrimitiveStream(reader) ? Outcome::Loaded : Outcome::Failed;
}

// Byte flips, escape bytes, insertions and deletions, a few at a time.
Bytes Mutate(Bytes bytes, std::mt19937& random) {
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 5) {
        case 0: bytes[at] ^= static_cast<BYTE>(1u << (random() % 8)); break;
        case 1: bytes[at] = 0xFF; break;
        case 2: bytes[at] = static_cast<BYTE>(random()); break;
        case 3: bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), static_cast<BYTE>(random())); break;
        default: bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at)); break;
        }
    }
    return bytes;
}

struct Subject {
    const char* name;
    Bytes (*make)();
    Outcome (*read)(const Bytes&);
};

void PrintTo(const Subject& s, std::ostream* os) { *os << s.name; }

// On a device, so that the pictures of the manager record become textures.
class DamagedDocumentInput : public d3d9_test::D3DXDeviceTest, public testing::WithParamInterface<Subject> {
protected:
    void SetUp() override {
        D3DXDeviceTest::SetUp();
        g_currentDevice = device();
    }
    void TearDown() override {
        g_currentDevice = nullptr;
        D3DXDeviceTest::TearDown();
    }
};

TEST_P(DamagedDocumentInput, EveryPrefixFails) {
    const Bytes whole = GetParam().make();
    ASSERT_EQ(GetParam().read(whole), Outcome::Loaded);
    for (std::size_t size = 0; size < whole.size(); ++size) {
        EXPECT_EQ(GetParam().read(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size))),
                  Outcome::Failed)
            << "prefix of " << size << " bytes";
    }
}

TEST_P(DamagedDocumentInput, SeededMutationsLoadOrFail) {
    const Bytes whole = GetParam().make();
    std::mt19937 random(20261210);
    int failed = 0;
    int loaded = 0;
    for (int run = 0; run < 4000; ++run) {
        (GetParam().read(Mutate(whole, random)) == Outcome::Failed ? failed : loaded) += 1;
    }
    // Most damage is noticed; some (a changed text) is not. Both must happen,
    // or the mutations never reach past the first thing read.
    EXPECT_GT(failed, 0);
    EXPECT_GT(loaded, 0);
}

INSTANTIATE_TEST_SUITE_P(Inputs, DamagedDocumentInput,
                         testing::Values(Subject{"SceneDocument", MinimalSceneDocument, LoadDocument},
                                         Subject{"DocumentWithResources", DocumentWithResources, LoadDocument},
                                         Subject{"PrimitiveStream", SamplePrimitiveStream, ReadStream}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
