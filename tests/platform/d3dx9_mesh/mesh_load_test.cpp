#include "platform/d3dx9/device_fixture.h"
#include "platform/d3dx9_mesh/mesh_fixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace mesh_test {
namespace {

using d3d9_test::D3DXDeviceTest;
using testing::ElementsAre;
using testing::ElementsAreArray;

// A quad and a triangle sharing the edge 1-2; the triangle's corner 2 has
// its own normal, so vertex 2 is split. The second material is referenced.
std::vector<XNode> QuadAndTriangle() {
    XNode red = MaterialNode(1.0f, nullptr);
    red.name = "Red";
    XNode mesh = MeshNode({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {2, 0.5, 0}}, {{0, 3, 2, 1}, {1, 2, 4}},
                          {NormalsNode({{0, 0, -1}, {0, 1, 0}}, {{0, 0, 0, 0}, {0, 1, 0}}),
                           TexcoordsNode({{0, 1}, {1, 1}, {1, 0}, {0, 0}, {0.5, 0.25}}),
                           MaterialListNode(2, {0, 1}, {MaterialNode(0.5f, "wing.png"), XReference{"Red"}})});
    return {red, mesh};
}

struct EncodingCase {
    XEncoding encoding;
    bool doubles;
};

class MeshEncodingTest : public D3DXDeviceTest, public testing::WithParamInterface<EncodingCase> {};

TEST_P(MeshEncodingTest, EveryEncodingLoadsTheSameMesh) {
    const Loaded reference = Load(device(), WriteX(QuadAndTriangle(), XEncoding::Text, false));
    ASSERT_EQ(reference.status, D3D_OK);
    EXPECT_EQ(reference.fvf, DWORD(D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1));
    // The quad as a fan, then the triangle with the split copy of vertex 2.
    EXPECT_THAT(reference.indices, ElementsAre(0, 3, 2, 0, 2, 1, 1, 5, 4));
    EXPECT_THAT(reference.attributes, ElementsAre(0, 0, 1));
    ASSERT_EQ(reference.vertices.size(), 6u * 8);
    EXPECT_THAT(std::vector<float>(reference.vertices.begin() + 5 * 8, reference.vertices.end()),
                ElementsAre(1, 1, 0, 0, 1, 0, 1, 0));
    ASSERT_EQ(reference.materialCount, 2u);
    EXPECT_THAT(reference.textures, ElementsAre("wing.png", ""));
    EXPECT_EQ(reference.materials[0].MatD3D.Diffuse.r, 0.5f);
    EXPECT_EQ(reference.materials[1].MatD3D.Diffuse.r, 1.0f);
    EXPECT_EQ(reference.materials[0].MatD3D.Power, 8.0f);

    const Loaded loaded = Load(device(), WriteX(QuadAndTriangle(), GetParam().encoding, GetParam().doubles));
    ASSERT_EQ(loaded.status, D3D_OK);
    EXPECT_EQ(loaded.vertices, reference.vertices);
    EXPECT_EQ(loaded.indices, reference.indices);
    EXPECT_EQ(loaded.attributes, reference.attributes);
    EXPECT_EQ(loaded.adjacency, reference.adjacency);
    EXPECT_EQ(loaded.textures, reference.textures);
}

INSTANTIATE_TEST_SUITE_P(Encodings, MeshEncodingTest,
                         testing::Values(EncodingCase{XEncoding::Text, true}, EncodingCase{XEncoding::Binary, false},
                                         EncodingCase{XEncoding::Binary, true},
                                         EncodingCase{XEncoding::CompressedText, false},
                                         EncodingCase{XEncoding::CompressedText, true},
                                         EncodingCase{XEncoding::CompressedBinary, false},
                                         EncodingCase{XEncoding::CompressedBinary, true}));

class MeshLoadTest : public D3DXDeviceTest {};

TEST_F(MeshLoadTest, AdjacencyJoinsFacesAcrossSplitVertices) {
    const Loaded loaded = Load(device(), WriteX(QuadAndTriangle(), XEncoding::Binary, false));
    ASSERT_EQ(loaded.status, D3D_OK);
    // The fan's diagonal joins its two triangles; edge 2-1 of the second
    // meets edge 1-2 of the last triangle, although that one uses the
    // split copy of vertex 2.
    EXPECT_THAT(loaded.adjacency, ElementsAre(0xFFFFFFFF, 0xFFFFFFFF, 1, 0, 2, 0xFFFFFFFF, 1, 0xFFFFFFFF,
                                              0xFFFFFFFF));
}

TEST_F(MeshLoadTest, MeshesInFramesMergeWithTheirTransforms) {
    D3DXMATRIX translate, scale;
    D3DXMatrixTranslation(&translate, 10, 0, 0);
    D3DXMatrixScaling(&scale, 2, 2, 2);
    const XNode triangle = MeshNode({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
    // The inner mesh is scaled by its own frame, then moved by the outer one.
    const std::vector<XNode> file = {triangle, FrameNode(translate, {triangle, FrameNode(scale, {triangle})})};
    const Loaded loaded = Load(device(), WriteX(file, XEncoding::Text, false));
    ASSERT_EQ(loaded.status, D3D_OK);
    EXPECT_EQ(loaded.fvf, DWORD(D3DFVF_XYZ));
    EXPECT_THAT(loaded.vertices, ElementsAre(0, 0, 0, 1, 0, 0, 0, 1, 0,     //
                                             10, 0, 0, 11, 0, 0, 10, 1, 0,  //
                                             10, 0, 0, 12, 0, 0, 10, 2, 0));
    EXPECT_THAT(loaded.indices, ElementsAre(0, 1, 2, 3, 4, 5, 6, 7, 8));
    EXPECT_EQ(loaded.materialCount, 0u);
}

TEST_F(MeshLoadTest, PentagonBecomesAFan) {
    const XNode pentagon = MeshNode({{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {1, 2, 0}, {0, 1, 0}}, {{0, 1, 2, 3, 4}});
    const Loaded loaded = Load(device(), WriteX({pentagon}, XEncoding::Binary, false));
    ASSERT_EQ(loaded.status, D3D_OK);
    EXPECT_THAT(loaded.indices, ElementsAre(0, 1, 2, 0, 2, 3, 0, 3, 4));
}

TEST_F(MeshLoadTest, TemplatesCommentsAndUnknownObjectsAreSkipped) {
    const std::string text =
        "xof 0303txt 0032\n"
        "template Vector { <3D82AB5E-62DA-11cf-AB39-0020AF71E433> FLOAT x; FLOAT y; FLOAT z; }\n"
        "// a comment\n# another\n"
        "Header { 1; 0; 1; }\n"
        "Mesh m { 3; 0.0;0.0;0.0;, 1.0;0.0;0.0;, 0.0;1.0;0.0;; 1; 3;0,1,2;;\n"
        "  VertexDuplicationIndices { 3; 3; 0, 1, 2; }\n"
        "  MeshMaterialList { 1; 1; 0;; { Lost } }\n"
        "}\n";
    const Loaded missingMaterial = Load(device(), std::vector<BYTE>(text.begin(), text.end()));
    EXPECT_EQ(missingMaterial.status, D3DXERR_INVALIDDATA);

    const std::string found = "xof 0303txt 0032\nMaterial Lost { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }\n" + text.substr(17);
    const Loaded loaded = Load(device(), std::vector<BYTE>(found.begin(), found.end()));
    ASSERT_EQ(loaded.status, D3D_OK);
    EXPECT_THAT(loaded.indices, ElementsAre(0, 1, 2));
    EXPECT_EQ(loaded.materialCount, 1u);
}

std::vector<BYTE> Patched(std::vector<BYTE> file, size_t offset, DWORD value) {
    for (int i = 0; i < 4; ++i) file[offset + i] = BYTE(value >> (8 * i));
    return file;
}

TEST_F(MeshLoadTest, UntrustedCountsIndicesAndSizesFail) {
    const XNode triangle = MeshNode({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
    const std::vector<BYTE> binary = WriteX({triangle}, XEncoding::Binary, false);
    // Header 16, name token 2 + 4 + 4, brace 2, list token 2 + count 4: the vertex count.
    const size_t vertexCount = 16 + 10 + 2 + 6;
    ASSERT_EQ(binary[vertexCount], 3);
    const std::vector<BYTE> compressed = WriteX({triangle}, XEncoding::CompressedBinary, false);
    struct Case {
        const char* name;
        std::vector<BYTE> file;
    } cases[] = {
        {"vertex count 2^32-1", Patched(binary, vertexCount, 0xFFFFFFFF)},
        {"list count 2^32-1", Patched(binary, vertexCount - 4, 0xFFFFFFFF)},
        {"face index past the vertices", Patched(binary, binary.size() - 2 - 4, 3)},
        {"block inflates past the stated size", Patched(compressed, 16, DWORD(binary.size() - 1))},
        {"stated size beyond the blocks", Patched(compressed, 16, DWORD(binary.size() + 1))},
        {"not a .x file", std::vector<BYTE>(64, 'x')},
        {"unknown encoding", [] {
             std::string text = "xof 0303abcd0032 Mesh {}";
             return std::vector<BYTE>(text.begin(), text.end());
         }()},
    };
    ASSERT_EQ(Load(device(), binary).status, D3D_OK);
    ASSERT_EQ(Load(device(), compressed).status, D3D_OK);
    for (const Case& c : cases) EXPECT_EQ(Load(device(), c.file).status, D3DXERR_INVALIDDATA) << c.name;
}

TEST_F(MeshLoadTest, FileWithoutMeshesHasNoData) {
    const Loaded loaded = Load(device(), WriteX({MaterialNode(1, nullptr)}, XEncoding::Text, false));
    EXPECT_EQ(loaded.status, D3DXERR_LOADEDMESHHASNODATA);
}

}  // namespace
}  // namespace mesh_test
