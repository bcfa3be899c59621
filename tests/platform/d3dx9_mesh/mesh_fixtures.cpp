#include "platform/d3dx9_mesh/mesh_fixtures.h"

#include "com/com_ref.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mesh_test {
namespace {

XInts FaceList(const std::vector<std::vector<DWORD>>& faces) {
    XInts ints{{DWORD(faces.size())}};
    for (const auto& face : faces) {
        ints.values.push_back(DWORD(face.size()));
        ints.values.insert(ints.values.end(), face.begin(), face.end());
    }
    return ints;
}

XFloats Vectors(const std::vector<D3DXVECTOR3>& vectors) {
    XFloats floats;
    for (const auto& v : vectors) floats.values.insert(floats.values.end(), {v.x, v.y, v.z});
    return floats;
}

}  // namespace

XNode MeshNode(const std::vector<D3DXVECTOR3>& positions, const std::vector<std::vector<DWORD>>& faces,
               std::vector<XItem> children) {
    XNode node{"Mesh", "", {XInts{{DWORD(positions.size())}}, Vectors(positions), FaceList(faces)}};
    for (auto& child : children) node.items.push_back(std::move(child));
    return node;
}

XNode NormalsNode(const std::vector<D3DXVECTOR3>& normals, const std::vector<std::vector<DWORD>>& faceNormals) {
    return {"MeshNormals", "", {XInts{{DWORD(normals.size())}}, Vectors(normals), FaceList(faceNormals)}};
}

XNode TexcoordsNode(const std::vector<D3DXVECTOR2>& coords) {
    XFloats floats;
    for (const auto& c : coords) floats.values.insert(floats.values.end(), {c.x, c.y});
    return {"MeshTextureCoords", "", {XInts{{DWORD(coords.size())}}, floats}};
}

XNode MaterialNode(float red, const char* texture) {
    XNode node{"Material", "", {XFloats{{red, 0.5, 0.25, 1.0, 8.0, 0.1, 0.2, 0.3, 0.0, 0.0, 0.0}}}};
    if (texture) node.items.push_back(XNode{"TextureFilename", "", {std::string(texture)}});
    return node;
}

XNode MaterialListNode(DWORD count, const std::vector<DWORD>& faceMaterials, std::vector<XItem> materials) {
    XInts ints{{count, DWORD(faceMaterials.size())}};
    ints.values.insert(ints.values.end(), faceMaterials.begin(), faceMaterials.end());
    XNode node{"MeshMaterialList", "", {ints}};
    for (auto& material : materials) node.items.push_back(std::move(material));
    return node;
}

XNode FrameNode(const D3DXMATRIX& transform, std::vector<XItem> children) {
    XFloats matrix;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) matrix.values.push_back(transform.m[r][c]);
    XNode node{"Frame", "", {XNode{"FrameTransformMatrix", "", {matrix}}}};
    for (auto& child : children) node.items.push_back(std::move(child));
    return node;
}

Loaded ReadMesh(ID3DXMesh* mesh) {
    Loaded loaded;
    loaded.status = D3D_OK;
    loaded.fvf = mesh->GetFVF();
    void* data = nullptr;
    EXPECT_EQ(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    loaded.vertices.resize(mesh->GetNumVertices() * mesh->GetNumBytesPerVertex() / 4);
    std::memcpy(loaded.vertices.data(), data, loaded.vertices.size() * 4);
    mesh->UnlockVertexBuffer();
    EXPECT_EQ(mesh->LockIndexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
    const WORD* indices = static_cast<const WORD*>(data);
    loaded.indices.assign(indices, indices + mesh->GetNumFaces() * 3);
    mesh->UnlockIndexBuffer();
    DWORD* attributes = nullptr;
    EXPECT_EQ(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes), D3D_OK);
    loaded.attributes.assign(attributes, attributes + mesh->GetNumFaces());
    mesh->UnlockAttributeBuffer();
    return loaded;
}

Loaded Load(IDirect3DDevice9* device, const std::vector<BYTE>& file, ID3DXMesh** keep) {
    platform::ComRef<ID3DXBuffer> adjacency, materials, instances;
    platform::ComRef<ID3DXMesh> mesh;
    DWORD count = 0;
    const HRESULT status = D3DXLoadMeshFromXInMemory(file.data(), DWORD(file.size()), D3DXMESH_SYSTEMMEM, device,
                                                     adjacency.out(), materials.out(), instances.out(), &count,
                                                     mesh.out());
    if (FAILED(status)) {
        EXPECT_EQ(mesh.get(), nullptr);
        EXPECT_EQ(adjacency.get(), nullptr);
        Loaded failed;
        failed.status = status;
        return failed;
    }
    Loaded loaded = ReadMesh(mesh.get());
    const DWORD* faces = static_cast<const DWORD*>(adjacency->GetBufferPointer());
    loaded.adjacency.assign(faces, faces + adjacency->GetBufferSize() / 4);
    loaded.materialCount = count;
    if (materials.get()) {
        const auto* entries = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
        for (DWORD i = 0; i < count; ++i) {
            loaded.materials.push_back(entries[i]);
            loaded.textures.push_back(entries[i].pTextureFilename ? entries[i].pTextureFilename : "");
        }
        EXPECT_NE(instances.get(), nullptr);
    }
    if (keep) *keep = mesh.Detach();
    return loaded;
}

}  // namespace mesh_test
