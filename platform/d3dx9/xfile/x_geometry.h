// The meshes of a .x document merged into one triangle list, as
// D3DXLoadMeshFromX gives them.
#pragma once

#include "d3dx9/xfile/x_document.h"

#include <d3dx9.h>

#include <string>
#include <vector>

namespace platform::d3dx9 {

struct XMaterial {
    D3DMATERIAL9 material{};
    std::string texture;
    bool hasTexture = false;
};

struct XGeometry {
    std::vector<D3DXVECTOR3> positions;
    std::vector<D3DXVECTOR3> normals;    // zero where a mesh has none
    std::vector<D3DXVECTOR2> texcoords;  // zero where a mesh has none
    bool hasNormals = false;
    bool hasTexcoords = false;
    std::vector<DWORD> indices;     // three per triangle
    std::vector<DWORD> attributes;  // one per triangle
    std::vector<DWORD> pointReps;   // per vertex: the vertex it was split from
    std::vector<XMaterial> materials;
};

// Every mesh at the top level or in a frame, each moved by its frames'
// transforms; n-gons become fans; a position used with several normals
// becomes several vertices. D3DXERR_INVALIDDATA for data that does not
// hold together, D3DXERR_LOADEDMESHHASNODATA for a file without meshes.
HRESULT BuildGeometry(const XDocument& document, XGeometry& geometry);

}  // namespace platform::d3dx9
