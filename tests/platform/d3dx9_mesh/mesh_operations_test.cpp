#include "platform/d3dx9/device_fixture.h"
#include "platform/d3dx9_mesh/mesh_fixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

namespace mesh_test {
namespace {

using d3d9_test::Com;
using d3d9_test::D3DXDeviceTest;
using testing::ElementsAre;

class MeshOperationsTest : public D3DXDeviceTest {};

// Four triangles with attributes 1, 0, 1, 0 and vertex 3 used by none.
std::vector<BYTE> InterleavedAttributes() {
    XNode mesh = MeshNode({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {9, 9, 9}, {1, 1, 0}, {2, 0, 0}},
                          {{0, 1, 2}, {1, 4, 2}, {1, 5, 4}, {0, 2, 4}},
                          {TexcoordsNode({{0, 0}, {1, 0}, {0, 1}, {5, 5}, {1, 1}, {2, 0}}),
                           MaterialListNode(2, {1, 0, 1, 0}, {MaterialNode(0, nullptr), MaterialNode(1, nullptr)})});
    return WriteX({mesh}, XEncoding::Binary, false);
}

TEST_F(MeshOperationsTest, CloneAddsZeroNormalsAndKeepsCoordinates) {
    Com<ID3DXMesh> loaded, clone;
    ASSERT_EQ(Load(device(), InterleavedAttributes(), loaded.out()).status, D3D_OK);
    ASSERT_EQ(loaded->GetFVF(), DWORD(D3DFVF_XYZ | D3DFVF_TEX1));
    ASSERT_EQ(loaded->CloneMeshFVF(D3DXMESH_SYSTEMMEM, 0x112, device(), clone.out()), D3D_OK);
    EXPECT_EQ(clone->GetNumBytesPerVertex(), 32u);
    const Loaded cloned = ReadMesh(clone.get());
    // Vertex 1: position, a zero normal, then its coordinates.
    EXPECT_THAT(std::vector<float>(cloned.vertices.begin() + 8, cloned.vertices.begin() + 16),
                ElementsAre(1, 0, 0, 0, 0, 0, 1, 0));
    EXPECT_EQ(cloned.indices, ReadMesh(loaded.get()).indices);
    EXPECT_THAT(cloned.attributes, ElementsAre(1, 0, 1, 0));

    // And back: the normal is dropped, the rest kept.
    Com<ID3DXMesh> back;
    ASSERT_EQ(clone->CloneMeshFVF(D3DXMESH_MANAGED, D3DFVF_XYZ | D3DFVF_TEX1, device(), back.out()), D3D_OK);
    EXPECT_EQ(ReadMesh(back.get()).vertices, ReadMesh(loaded.get()).vertices);
}

TEST_F(MeshOperationsTest, OptimizeCompactsAndSortsAttributesStably) {
    Com<ID3DXMesh> loaded, clone;
    Com<ID3DXBuffer> adjacency;
    DWORD materials = 0;
    const std::vector<BYTE> file = InterleavedAttributes();
    ASSERT_EQ(D3DXLoadMeshFromXInMemory(file.data(), DWORD(file.size()), D3DXMESH_SYSTEMMEM, device(),
                                        adjacency.out(), nullptr, nullptr, &materials, loaded.out()),
              D3D_OK);
    ASSERT_EQ(loaded->CloneMeshFVF(D3DXMESH_SYSTEMMEM, 0x112, device(), clone.out()), D3D_OK);
    ASSERT_EQ(D3DXComputeNormals(clone.get(), nullptr), D3D_OK);
    DWORD faceRemap[4] = {};
    DWORD adjacencyOut[12] = {};
    ASSERT_EQ(clone->OptimizeInplace(D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE,
                                     static_cast<const DWORD*>(adjacency->GetBufferPointer()), adjacencyOut,
                                     faceRemap, nullptr),
              D3D_OK);
    // Faces of attribute 0 first, each attribute in its file order.
    EXPECT_THAT(faceRemap, ElementsAre(1, 3, 0, 2));
    const Loaded optimized = ReadMesh(clone.get());
    EXPECT_THAT(optimized.attributes, ElementsAre(0, 0, 1, 1));
    // Vertex 3 is gone; vertices 0, 1, 2 and 4 are used by both attributes
    // and so are copied for the second one.
    EXPECT_EQ(clone->GetNumVertices(), 9u);
    EXPECT_THAT(optimized.indices, ElementsAre(0, 1, 2, 3, 2, 1, 4, 5, 6, 5, 7, 8));
    DWORD tableSize = 0;
    clone->GetAttributeTable(nullptr, &tableSize);
    ASSERT_EQ(tableSize, 2u);
    D3DXATTRIBUTERANGE table[2];
    clone->GetAttributeTable(table, &tableSize);
    EXPECT_EQ(table[0].AttribId, 0u);
    EXPECT_EQ(table[0].FaceCount, 2u);
    EXPECT_EQ(table[0].VertexCount, 4u);
    EXPECT_EQ(table[1].FaceStart, 2u);
    EXPECT_EQ(table[1].VertexStart, 4u);
    EXPECT_EQ(table[1].VertexCount, 5u);
    // The positions moved with their vertices: new vertex 3 is old vertex 0.
    EXPECT_THAT(std::vector<float>(optimized.vertices.begin() + 3 * 8, optimized.vertices.begin() + 3 * 8 + 3),
                ElementsAre(0, 0, 0));
    // Old faces 1 and 0 shared an edge; so do new faces 0 and 2.
    EXPECT_EQ(adjacencyOut[0 * 3 + 2], 2u);
}

TEST_F(MeshOperationsTest, CompactAloneKeepsFacesAndVertexOrder) {
    Com<ID3DXMesh> loaded;
    ASSERT_EQ(Load(device(), InterleavedAttributes(), loaded.out()).status, D3D_OK);
    ASSERT_EQ(loaded->OptimizeInplace(D3DXMESHOPT_COMPACT, nullptr, nullptr, nullptr, nullptr), D3D_OK);
    EXPECT_EQ(loaded->GetNumVertices(), 5u);
    const Loaded compacted = ReadMesh(loaded.get());
    EXPECT_THAT(compacted.indices, ElementsAre(0, 1, 2, 1, 3, 2, 1, 4, 3, 0, 2, 3));
    EXPECT_THAT(compacted.attributes, ElementsAre(1, 0, 1, 0));
}

TEST_F(MeshOperationsTest, NormalsAreSmoothAndAreaWeighted) {
    // Two faces meet at vertex 0: a large one facing -z and a small one facing -x.
    XNode mesh = MeshNode({{0, 0, 0}, {0, 4, 0}, {4, 0, 0}, {0, 0, 1}, {0, 1, 0}}, {{0, 1, 2}, {0, 3, 4}});
    Com<ID3DXMesh> loaded, clone;
    ASSERT_EQ(Load(device(), WriteX({mesh}, XEncoding::Text, false), loaded.out()).status, D3D_OK);
    ASSERT_EQ(loaded->CloneMeshFVF(D3DXMESH_SYSTEMMEM, 0x112, device(), clone.out()), D3D_OK);
    ASSERT_EQ(D3DXComputeNormals(clone.get(), nullptr), D3D_OK);
    const Loaded normals = ReadMesh(clone.get());
    const auto normal = [&](int v) { const float* n = &normals.vertices[v * 8 + 3];
        return D3DXVECTOR3(n[0], n[1], n[2]); };
    EXPECT_EQ(normal(1), D3DXVECTOR3(0, 0, -1));
    EXPECT_EQ(normal(3), D3DXVECTOR3(-1, 0, 0));
    // Weights 16 and 1: (-1, 0, -16) normalised.
    const D3DXVECTOR3 shared = normal(0);
    EXPECT_FLOAT_EQ(shared.x, -1 / std::sqrt(257.0f));
    EXPECT_FLOAT_EQ(shared.z, -16 / std::sqrt(257.0f));
    Com<ID3DXMesh> positionsOnly;
    ASSERT_EQ(loaded->CloneMeshFVF(D3DXMESH_SYSTEMMEM, D3DFVF_XYZ, device(), positionsOnly.out()), D3D_OK);
    EXPECT_EQ(D3DXComputeNormals(positionsOnly.get(), nullptr), D3DERR_INVALIDCALL);
}

TEST(BoundingSphereTest, CentreIsTheMeanAndRadiusTheFarthestVertex) {
    // PNT vertices; the mean of the positions is (1, 1, 0), not the box centre.
    struct Vertex {
        D3DXVECTOR3 position, normal;
        float u, v;
    } vertices[] = {{{0, 0, 0}, {}, 0, 0}, {{4, 0, 0}, {}, 0, 0}, {{0, 4, 0}, {}, 0, 0}, {{0, 0, 0}, {}, 0, 0}};
    D3DXVECTOR3 centre;
    FLOAT radius = 0;
    ASSERT_EQ(D3DXComputeBoundingSphere(&vertices[0].position, 4, sizeof(Vertex), &centre, &radius), D3D_OK);
    EXPECT_EQ(centre, D3DXVECTOR3(1, 1, 0));
    EXPECT_FLOAT_EQ(radius, std::sqrt(10.0f));
    EXPECT_EQ(D3DXComputeBoundingSphere(&vertices[0].position, 0, sizeof(Vertex), &centre, &radius),
              D3DERR_INVALIDCALL);
}

}  // namespace
}  // namespace mesh_test
