// The face and vertex orders that OptimizeInplace gives a mesh.
#pragma once

#include <d3dx9mesh.h>

#include <vector>

namespace platform::d3dx9 {

struct MeshOrder {
    std::vector<DWORD> faces;     // new face -> old face
    std::vector<DWORD> vertices;  // new vertex -> old vertex
    std::vector<DWORD> indices;   // three per new face, new vertex numbers
    std::vector<D3DXATTRIBUTERANGE> table;  // filled when faces are sorted
};

// Faces sorted by attribute keep their order within an attribute, because
// meshes drawn without a depth test show it. Compacting drops vertices no
// face uses; sorting also gives every attribute its own vertices (shared
// ones are copied) unless D3DXMESHOPT_DONOTSPLIT says not to.
MeshOrder PlanMeshOrder(DWORD flags, const std::vector<DWORD>& indices, const std::vector<DWORD>& attributes,
                        DWORD vertexCount);

}  // namespace platform::d3dx9
