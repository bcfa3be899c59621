#include "platform/d3dx9/device_fixture.h"
#include "platform/d3dx9_mesh/mesh_fixtures.h"

#include <gtest/gtest.h>

#include <random>

namespace mesh_test {
namespace {

using d3d9_test::D3DXDeviceTest;

class MeshRobustnessTest : public D3DXDeviceTest {
protected:
    // Loads or fails cleanly; the sanitizers catch the rest.
    bool Loads(const std::vector<BYTE>& bytes) {
        d3d9_test::Com<ID3DXMesh> mesh;
        d3d9_test::Com<ID3DXBuffer> adjacency, materials, instances;
        DWORD count = 0;
        const HRESULT status =
            D3DXLoadMeshFromXInMemory(bytes.data(), DWORD(bytes.size()), D3DXMESH_SYSTEMMEM, device(), adjacency.out(),
                                      materials.out(), instances.out(), &count, mesh.out());
        if (FAILED(status)) {
            EXPECT_EQ(mesh.get(), nullptr);
            return false;
        }
        EXPECT_GT(mesh->GetNumFaces(), 0u);
        return true;
    }
};

std::vector<XNode> Fixture() {
    return {MeshNode({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2, 3}, {0, 2, 3}},
                     {NormalsNode({{0, 0, -1}, {0, 1, 0}}, {{0, 0, 0, 0}, {1, 1, 1}}),
                      TexcoordsNode({{0, 0}, {1, 0}, {1, 1}, {0, 1}}),
                      MaterialListNode(1, {0, 0}, {MaterialNode(1, "a.png")})})};
}

constexpr XEncoding kEncodings[] = {XEncoding::Text, XEncoding::Binary, XEncoding::CompressedText,
                                    XEncoding::CompressedBinary};

TEST_F(MeshRobustnessTest, EveryPrefixOfEveryEncodingFailsCleanly) {
    for (XEncoding encoding : kEncodings) {
        const std::vector<BYTE> file = WriteX(Fixture(), encoding, false);
        ASSERT_TRUE(Loads(file));
        // A text file may lose trailing white space and still load; every
        // other cut leaves an object open, a count unmet or a block short.
        size_t loaded = 0;
        for (size_t size = 1; size < file.size(); ++size)
            loaded += Loads(std::vector<BYTE>(file.begin(), file.begin() + size));
        EXPECT_LE(loaded, encoding == XEncoding::Text ? 1u : 0u) << int(encoding);
    }
}

TEST_F(MeshRobustnessTest, SeededMutationsLoadOrFailCleanly) {
    std::mt19937 random(20261210);
    for (XEncoding encoding : kEncodings) {
        const std::vector<BYTE> file = WriteX(Fixture(), encoding, false);
        size_t loaded = 0, failed = 0;
        for (int i = 0; i < 800; ++i) {
            std::vector<BYTE> mutated = file;
            const int changes = 1 + int(random() % 4);
            for (int c = 0; c < changes; ++c) {
                const size_t at = 16 + random() % (mutated.size() - 16);
                mutated[at] = random() % 2 ? BYTE(random()) : BYTE(mutated[at] ^ (1u << (random() % 8)));
            }
            (Loads(mutated) ? loaded : failed) += 1;
        }
        // Both outcomes occur, so the mutations reach the geometry.
        EXPECT_GT(loaded, 0u) << int(encoding);
        EXPECT_GT(failed, 0u) << int(encoding);
    }
}

}  // namespace
}  // namespace mesh_test
