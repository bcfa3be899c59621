#include "platform/d3dx9/device_fixture.h"
#include "platform/d3dx9_mesh/mesh_fixtures.h"

#include <gtest/gtest.h>

namespace mesh_test {
namespace {

using d3d9_test::Com;
using d3d9_test::D3DXDeviceTest;
using d3d9_test::PixelAt;

class MeshDrawTest : public D3DXDeviceTest {};

TEST_F(MeshDrawTest, LoadedMeshDrawsWhereItsFacesAre) {
    // A quad over x 20..80, y 20..60 in back-buffer pixels, in a frame
    // that moves it 100 to the right.
    D3DXMATRIX move;
    D3DXMatrixTranslation(&move, 100, 0, 0);
    const XNode quad = MeshNode({{20, 20, 0}, {80, 20, 0}, {80, 60, 0}, {20, 60, 0}}, {{0, 1, 2, 3}});
    Com<ID3DXMesh> loaded, clone;
    ASSERT_EQ(Load(device(), WriteX({FrameNode(move, {quad})}, XEncoding::Binary, false), loaded.out()).status,
              D3D_OK);
    ASSERT_EQ(loaded->CloneMeshFVF(D3DXMESH_MANAGED, 0x112, device(), clone.out()), D3D_OK);
    ASSERT_EQ(clone->OptimizeInplace(D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT, nullptr, nullptr, nullptr, nullptr),
              D3D_OK);

    D3DXMATRIX identity, projection;
    D3DXMatrixIdentity(&identity);
    D3DXMatrixOrthoOffCenterLH(&projection, 0, 200, 100, 0, -5, 5);
    device()->SetTransform(D3DTS_WORLD, &identity);
    device()->SetTransform(D3DTS_VIEW, &identity);
    device()->SetTransform(D3DTS_PROJECTION, &projection);
    device()->SetRenderState(D3DRS_LIGHTING, FALSE);
    device()->SetRenderState(D3DRS_ZENABLE, FALSE);
    device()->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    Com<IDirect3DVertexBuffer9> vertices;
    Com<IDirect3DIndexBuffer9> indices;
    ASSERT_EQ(clone->GetVertexBuffer(vertices.out()), D3D_OK);
    ASSERT_EQ(clone->GetIndexBuffer(indices.out()), D3D_OK);
    ASSERT_EQ(device()->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0), D3D_OK);
    ASSERT_EQ(device()->BeginScene(), D3D_OK);
    device()->SetFVF(clone->GetFVF());
    device()->SetStreamSource(0, vertices.get(), 0, clone->GetNumBytesPerVertex());
    device()->SetIndices(indices.get());
    ASSERT_EQ(device()->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, clone->GetNumVertices(), 0,
                                             clone->GetNumFaces()),
              D3D_OK);
    device()->EndScene();

    EXPECT_EQ(PixelAt(device(), 150, 40) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(PixelAt(device(), 122, 22) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(PixelAt(device(), 177, 57) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(PixelAt(device(), 50, 40) & 0xFFFFFF, 0u);
    EXPECT_EQ(PixelAt(device(), 150, 70) & 0xFFFFFF, 0u);
}

}  // namespace
}  // namespace mesh_test
