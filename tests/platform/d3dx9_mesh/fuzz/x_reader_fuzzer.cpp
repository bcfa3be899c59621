// libFuzzer target: any bytes, read as a .x file, merged into one triangle
// list and put in optimised order, either load or fail, never more.
#include "d3dx9/mesh_adjacency.h"
#include "d3dx9/mesh_order.h"
#include "d3dx9/xfile/x_document.h"
#include "d3dx9/xfile/x_geometry.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace platform::d3dx9;
    XDocument document;
    if (!ReadXDocument(std::span<const BYTE>(data, size), document)) return 0;
    XGeometry geometry;
    if (FAILED(BuildGeometry(document, geometry))) return 0;
    const size_t vertices = geometry.positions.size();
    if (geometry.indices.size() != geometry.attributes.size() * 3 || geometry.normals.size() != vertices ||
        geometry.pointReps.size() != vertices)
        std::abort();
    for (DWORD index : geometry.indices)
        if (index >= vertices) std::abort();
    FaceAdjacency(geometry.indices, &geometry.pointReps);
    const MeshOrder order = PlanMeshOrder(D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE,
                                          geometry.indices, geometry.attributes, DWORD(vertices));
    for (DWORD index : order.indices)
        if (index >= order.vertices.size()) std::abort();
    return 0;
}
