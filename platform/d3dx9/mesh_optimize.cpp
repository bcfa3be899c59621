// OptimizeInplace: the mesh's buffers rewritten in the planned order.
#include "d3dx9/mesh.h"
#include "d3dx9/mesh_adjacency.h"
#include "d3dx9/mesh_order.h"

#include <cstring>

namespace platform::d3dx9 {
namespace {

constexpr DWORD kUnmapped = 0xFFFFFFFF;

}  // namespace

STDMETHODIMP Mesh::OptimizeInplace(DWORD flags, const DWORD* adjacencyIn, DWORD* adjacencyOut, DWORD* faceRemap,
                                   LPD3DXBUFFER* vertexRemap) {
    if (vertexRemap) *vertexRemap = nullptr;
    if (adjacencyIn) {
        for (size_t i = 0; i < size_t{faces_} * 3; ++i)
            if (adjacencyIn[i] != kUnmapped && adjacencyIn[i] >= faces_) return D3DERR_INVALIDCALL;
    }
    std::vector<DWORD> indices;
    HRESULT status = ReadIndices(indices);
    if (FAILED(status)) return status;
    for (DWORD index : indices)
        if (index >= vertices_) return D3DERR_INVALIDCALL;
    MeshOrder order = PlanMeshOrder(flags, indices, attributes_, vertices_);

    ComRef<ID3DXBuffer> remap;
    if (vertexRemap) {
        if (FAILED(status = D3DXCreateBuffer(DWORD(order.vertices.size() * 4), remap.out()))) return status;
        std::memcpy(remap->GetBufferPointer(), order.vertices.data(), order.vertices.size() * 4);
    }
    std::vector<BYTE> oldVertices;
    if (FAILED(status = ReadVertices(oldVertices))) return status;
    std::vector<DWORD> oldAttributes = attributes_;
    if (order.vertices.size() != vertices_ && FAILED(status = Resize(faces_, DWORD(order.vertices.size()))))
        return status;
    std::vector<BYTE> newVertices(order.vertices.size() * stride_);
    for (size_t v = 0; v < order.vertices.size(); ++v)
        std::memcpy(newVertices.data() + v * stride_, oldVertices.data() + size_t{order.vertices[v]} * stride_, stride_);
    if (FAILED(status = WriteVertices(newVertices)) || FAILED(status = WriteIndices(order.indices))) return status;
    for (size_t f = 0; f < order.faces.size(); ++f) attributes_[f] = oldAttributes[order.faces[f]];
    table_ = std::move(order.table);

    if (adjacencyOut) {
        std::vector<DWORD> adjacency;
        if (adjacencyIn) {
            std::vector<DWORD> newFaceOf(faces_);
            for (size_t f = 0; f < order.faces.size(); ++f) newFaceOf[order.faces[f]] = DWORD(f);
            for (size_t f = 0; f < order.faces.size(); ++f)
                for (int edge = 0; edge < 3; ++edge) {
                    const DWORD old = adjacencyIn[size_t{order.faces[f]} * 3 + edge];
                    adjacency.push_back(old == kUnmapped ? kUnmapped : newFaceOf[old]);
                }
        } else {
            adjacency = FaceAdjacency(order.indices, nullptr);
        }
        std::copy(adjacency.begin(), adjacency.end(), adjacencyOut);
    }
    if (faceRemap) std::copy(order.faces.begin(), order.faces.end(), faceRemap);
    if (vertexRemap) *vertexRemap = remap.Detach();
    return D3D_OK;
}

}  // namespace platform::d3dx9
