// Small meshes as .x object trees, and reading loaded meshes back.
#pragma once

#include "platform/d3dx9_mesh/x_writer.h"

#include <d3dx9.h>

#include <vector>

namespace mesh_test {

// A Mesh object: positions, faces of any corner count, and children.
XNode MeshNode(const std::vector<D3DXVECTOR3>& positions, const std::vector<std::vector<DWORD>>& faces,
               std::vector<XItem> children = {});
XNode NormalsNode(const std::vector<D3DXVECTOR3>& normals, const std::vector<std::vector<DWORD>>& faceNormals);
XNode TexcoordsNode(const std::vector<D3DXVECTOR2>& coords);
XNode MaterialNode(float red, const char* texture);
XNode MaterialListNode(DWORD count, const std::vector<DWORD>& faceMaterials, std::vector<XItem> materials);
XNode FrameNode(const D3DXMATRIX& transform, std::vector<XItem> children);

// Everything a load gives, read back from the mesh and buffers.
struct Loaded {
    HRESULT status = E_FAIL;
    DWORD fvf = 0;
    std::vector<float> vertices;  // every float of every vertex
    std::vector<DWORD> indices;
    std::vector<DWORD> attributes;
    std::vector<DWORD> adjacency;
    std::vector<D3DXMATERIAL> materials;
    std::vector<std::string> textures;
    DWORD materialCount = 0;
};

Loaded Load(IDirect3DDevice9* device, const std::vector<BYTE>& file, ID3DXMesh** keep = nullptr);
Loaded ReadMesh(ID3DXMesh* mesh);

}  // namespace mesh_test
