// The resource cache's meshes: every route of GetMesh, what is cached, the
// loaded buffers' contents, and drawing them after a device reset.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "cache_fixture.h"
#include "scene/resources/mesh_loaders.h"

namespace resources_test {
namespace {

Bytes XText(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

// The unit square at z = 0 as two faces.
Bytes Square() {
    return XText(
        "xof 0303txt 0032\n"
        "Mesh {\n 4;\n 0.0;0.0;0.0;,\n 1.0;0.0;0.0;,\n 1.0;1.0;0.0;,\n 0.0;1.0;0.0;;\n"
        " 2;\n 3;0,2,1;,\n 3;0,3,2;;\n}\n");
}

Bytes Triangle() {
    return XText(
        "xof 0303txt 0032\n"
        "Mesh {\n 3;\n 0.0;0.0;0.0;,\n 1.0;0.0;0.0;,\n 0.0;1.0;0.0;;\n 1;\n 3;0,2,1;;\n}\n");
}

constexpr UINT kVertexSize = 32;

enum class Source { EntryBytes, File, OwnResource, NamedModule };

struct MeshCase {
    const char* name;
    int id;
    const wchar_t* module;
    bool fileName;
    bool bytes;  // the square in the entry
    Source source;
    bool cached;
};

void PrintTo(const MeshCase& c, std::ostream* os) { *os << c.name; }

class MeshRoutes : public CacheTest, public testing::WithParamInterface<MeshCase> {
protected:
    void Place(const Bytes& mesh) {
        switch (GetParam().source) {
            case Source::EntryBytes:
                break;
            case Source::File:
                WriteFile("leaf.x", mesh);
                break;
            case Source::OwnResource:
                SetOwnResource(mesh);
                break;
            case Source::NamedModule: {
                test::ResBuilder module;
                module.Add(std::u16string(u"DDS"), static_cast<uint16_t>(kPictureId), mesh);
                WriteFile("common_res.res", module.Bytes());
                break;
            }
        }
    }

    ResourceEntry Entry() const {
        const auto& c = GetParam();
        ResourceEntry entry(c.id, c.module);
        const Bytes square = Square();
        entry.Assign(c.fileName ? FilePath("leaf.x") : L"", c.bytes ? static_cast<DWORD>(square.size()) : 0,
                     square.data());
        return entry;
    }
};

TEST_P(MeshRoutes, LoadTheSquareFromTheEntrysSource) {
    const auto& c = GetParam();
    Place(Square());
    // The own module holds a triangle under id 0, where a wrong route finds it.
    platform::sim::SetOwnModuleResource(L"DDS", MAKEINTRESOURCEW(0), Triangle());
    const ResourceEntry entry = Entry();
    const MeshBuffers first = cache().GetMesh(entry, kVertexSize);
    ASSERT_TRUE(first.HasBuffers());
    EXPECT_EQ(first.vertexCount, 4u);
    EXPECT_EQ(first.faceCount, 2u);

    Place(Triangle());
    const MeshBuffers second = cache().GetMesh(entry, kVertexSize);
    if (c.cached) {
        EXPECT_EQ(second.Vertices(), first.Vertices());
        EXPECT_EQ(second.Indices(), first.Indices());
        EXPECT_EQ(References(first.Vertices()), 3u);
        EXPECT_EQ(References(first.Indices()), 3u);
    } else {
        EXPECT_NE(second.Vertices(), first.Vertices());
        EXPECT_EQ(References(first.Vertices()), 1u);
        EXPECT_EQ(second.faceCount, c.source == Source::EntryBytes ? 2u : 1u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Entries, MeshRoutes,
    testing::Values(MeshCase{"IdZeroWithFileNameAndBytes", 0, L"", true, true, Source::EntryBytes, false},
                    MeshCase{"File", 0, L"", true, false, Source::File, false},
                    MeshCase{"OwnModuleResource", kPictureId, L"", false, false, Source::OwnResource, true},
                    MeshCase{"NamedModuleResource", kPictureId, kModuleName, false, false, Source::NamedModule, true},
                    MeshCase{"ModuleWithoutResourceUsesBytes", 41, L"", false, true, Source::EntryBytes, true},
                    MeshCase{"UnloadableModuleUsesBytes", kPictureId, L"missing.dll", false, true,
                             Source::EntryBytes, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CacheTest, EntriesWithIdZeroNeverShareAMesh) {
    const Bytes square = Square();
    const Bytes triangle = Triangle();
    for (const bool named : {true, false}) {
        SCOPED_TRACE(named ? "with file names" : "bytes alone");
        ResourceEntry first(0);
        first.Assign(named ? L"square.x" : L"", static_cast<DWORD>(square.size()), square.data());
        ResourceEntry second(0);
        second.Assign(named ? L"triangle.x" : L"", static_cast<DWORD>(triangle.size()), triangle.data());
        EXPECT_EQ(cache().GetMesh(first, kVertexSize).faceCount, 2u);
        EXPECT_EQ(cache().GetMesh(second, kVertexSize).faceCount, 1u);
    }
}

TEST_F(CacheTest, AFailedModuleMeshIsCachedEmptyAndSameIdsOfOtherModulesStayApart) {
    WriteFile("common_res.res", test::ResBuilder().Add(std::u16string(u"DDS"), uint16_t{kPictureId}, Square()).Bytes());
    EXPECT_FALSE(cache().GetMesh(ResourceEntry(kPictureId), kVertexSize).HasBuffers());
    SetOwnResource(Triangle());
    EXPECT_FALSE(cache().GetMesh(ResourceEntry(kPictureId), kVertexSize).HasBuffers());
    EXPECT_EQ(cache().GetMesh(ResourceEntry(kPictureId, kModuleName), kVertexSize).faceCount, 2u);
}

TEST_F(CacheTest, LoadedBuffersHoldTheMeshAndItsBoundingSphere) {
    const Bytes square = Square();
    MeshBuffers mesh;
    LoadMeshFromMemory(square.data(), static_cast<UINT>(square.size()), kVertexSize, mesh);
    ASSERT_TRUE(mesh.HasBuffers());
    EXPECT_FLOAT_EQ(mesh.centre.x, 0.5f);
    EXPECT_FLOAT_EQ(mesh.centre.y, 0.5f);
    EXPECT_FLOAT_EQ(mesh.centre.z, 0.0f);
    EXPECT_FLOAT_EQ(mesh.radius, std::sqrt(0.5f));

    D3DVERTEXBUFFER_DESC vertices{};
    mesh.Vertices()->GetDesc(&vertices);
    EXPECT_EQ(vertices.Size, 4u * 32);
    EXPECT_EQ(vertices.Pool, D3DPOOL_MANAGED);
    D3DINDEXBUFFER_DESC indices{};
    mesh.Indices()->GetDesc(&indices);
    EXPECT_EQ(indices.Size, 2u * 6);
    EXPECT_EQ(indices.Format, D3DFMT_INDEX16);

    // Every vertex of the flat square gets the normal along z.
    void* data = nullptr;
    ASSERT_EQ(mesh.Vertices()->Lock(0, 0, &data, D3DLOCK_READONLY), D3D_OK);
    const auto* floats = static_cast<const float*>(data);
    for (UINT v = 0; v < 4; ++v) EXPECT_FLOAT_EQ(std::fabs(floats[v * 8 + 5]), 1.0f) << v;
    mesh.Vertices()->Unlock();
}

TEST_F(CacheTest, MeshLoadsThatCannotSucceedLeaveTheMeshEmpty) {
    const Bytes square = Square();
    const BYTE junk[] = {'x', 'o', 'f'};
    MeshBuffers mesh;
    LoadMeshFromMemory(square.data(), static_cast<UINT>(square.size()), kVertexSize, mesh);
    ASSERT_TRUE(mesh.HasBuffers());
    IDirect3DVertexBuffer9* old = mesh.Vertices();
    old->AddRef();

    LoadMeshFromMemory(square.data(), static_cast<UINT>(square.size()), 28, mesh);
    EXPECT_FALSE(mesh.HasBuffers());
    EXPECT_EQ(mesh.vertexCount, 0u);
    EXPECT_EQ(old->Release(), 0u);

    for (auto load : {+[](MeshBuffers& m) { LoadMeshFromMemory(nullptr, 0, kVertexSize, m); },
                      +[](MeshBuffers& m) { LoadMeshFromResource(nullptr, 42, kVertexSize, m); },
                      +[](MeshBuffers& m) { LoadMeshFromFile(L"/nowhere/leaf.x", kVertexSize, m); }}) {
        load(mesh);
        EXPECT_FALSE(mesh.HasBuffers());
    }
    LoadMeshFromMemory(junk, sizeof junk, kVertexSize, mesh);
    EXPECT_FALSE(mesh.HasBuffers());
    EXPECT_EQ(mesh.faceCount, 0u);
}

TEST_F(CacheTest, ACachedMeshDrawsAfterADeviceReset) {
    SetOwnResource(Square());
    const MeshBuffers mesh = cache().GetMesh(ResourceEntry(kPictureId), kVertexSize);
    ASSERT_TRUE(mesh.HasBuffers());

    D3DDEVICE_CREATION_PARAMETERS creation{};
    ASSERT_EQ(device()->GetCreationParameters(&creation), D3D_OK);
    D3DPRESENT_PARAMETERS presentation = Windowed(creation.hFocusWindow);
    ASSERT_EQ(device()->Reset(&presentation), D3D_OK);

    IDirect3DDevice9* d = device();
    d->SetRenderState(D3DRS_LIGHTING, FALSE);
    d->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    d->SetRenderState(D3DRS_ZENABLE, FALSE);
    d->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    d->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    d->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    ASSERT_EQ(d->BeginScene(), D3D_OK);
    d->SetFVF(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1);
    d->SetStreamSource(0, mesh.Vertices(), 0, kVertexSize);
    d->SetIndices(mesh.Indices());
    EXPECT_EQ(d->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, mesh.vertexCount, 0, mesh.faceCount), D3D_OK);
    d->EndScene();
    d->SetStreamSource(0, nullptr, 0, 0);
    d->SetIndices(nullptr);

    // With identity transforms the square covers the upper right quarter.
    EXPECT_EQ(d3d9_test::PixelAt(d, 150, 25), 0x00FFFFFFu);
    EXPECT_EQ(d3d9_test::PixelAt(d, 50, 75), 0x00000000u);
}

}  // namespace
}  // namespace resources_test
