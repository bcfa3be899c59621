#include "d3dx9/mesh_optimize.h"

#include "d3dx9/mesh.h"
#include "d3dx9/mesh_adjacency.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace platform::d3dx9 {
namespace {

constexpr DWORD kUnmapped = 0xFFFFFFFF;

// Renumbers the vertices that the faces [begin, end) use, in the order of
// first use or of their old numbers.
void NumberVertices(const std::vector<DWORD>& indices, const std::vector<DWORD>& faces, size_t begin, size_t end,
                    bool byFirstUse, std::vector<DWORD>& newOf, MeshOrder& order) {
    const size_t firstNew = order.vertices.size();
    for (size_t f = begin; f < end; ++f) {
        for (int corner = 0; corner < 3; ++corner) {
            const DWORD old = indices[size_t{faces[f]} * 3 + corner];
            if (newOf[old] != kUnmapped) continue;
            newOf[old] = 0;
            order.vertices.push_back(old);
        }
    }
    if (!byFirstUse) std::sort(order.vertices.begin() + firstNew, order.vertices.end());
    for (size_t v = firstNew; v < order.vertices.size(); ++v) newOf[order.vertices[v]] = DWORD(v);
}

}  // namespace

MeshOrder PlanMeshOrder(DWORD flags, const std::vector<DWORD>& indices, const std::vector<DWORD>& attributes,
                        DWORD vertexCount) {
    const bool byFirstUse = (flags & (D3DXMESHOPT_VERTEXCACHE | D3DXMESHOPT_STRIPREORDER)) != 0;
    const bool sort = byFirstUse || (flags & D3DXMESHOPT_ATTRSORT);
    const bool keepVertices = (flags & D3DXMESHOPT_IGNOREVERTS) != 0;
    const bool compact = !keepVertices && (sort || (flags & D3DXMESHOPT_COMPACT));
    const bool split = sort && compact && !(flags & D3DXMESHOPT_DONOTSPLIT);

    MeshOrder order;
    const size_t faceCount = attributes.size();
    order.faces.resize(faceCount);
    std::iota(order.faces.begin(), order.faces.end(), 0);
    if (sort) {
        std::stable_sort(order.faces.begin(), order.faces.end(),
                         [&](DWORD a, DWORD b) { return attributes[a] < attributes[b]; });
    }

    // Groups of faces with one attribute, in the new order.
    std::vector<std::pair<size_t, size_t>> groups;
    for (size_t f = 0; f < faceCount;) {
        size_t end = f + 1;
        while (sort && end < faceCount && attributes[order.faces[end]] == attributes[order.faces[f]]) ++end;
        if (!sort) end = faceCount;
        groups.emplace_back(f, end);
        f = end;
    }

    std::vector<DWORD> newOf(vertexCount, kUnmapped);
    std::vector<std::pair<DWORD, DWORD>> vertexRanges;
    if (!compact) {
        order.vertices.resize(vertexCount);
        std::iota(order.vertices.begin(), order.vertices.end(), 0);
        newOf = order.vertices;
    } else if (split) {
        for (const auto& [begin, end] : groups) {
            const DWORD first = DWORD(order.vertices.size());
            std::fill(newOf.begin(), newOf.end(), kUnmapped);
            NumberVertices(indices, order.faces, begin, end, byFirstUse, newOf, order);
            vertexRanges.emplace_back(first, DWORD(order.vertices.size()) - first);
            // Each group's faces are renumbered while its numbering holds.
            for (size_t f = begin; f < end; ++f)
                for (int corner = 0; corner < 3; ++corner)
                    order.indices.push_back(newOf[indices[size_t{order.faces[f]} * 3 + corner]]);
        }
    } else {
        NumberVertices(indices, order.faces, 0, faceCount, byFirstUse, newOf, order);
    }
    if (!split) {
        for (DWORD face : order.faces)
            for (int corner = 0; corner < 3; ++corner) order.indices.push_back(newOf[indices[size_t{face} * 3 + corner]]);
    }

    if (sort) {
        for (size_t g = 0; g < groups.size(); ++g) {
            const auto [begin, end] = groups[g];
            D3DXATTRIBUTERANGE range{attributes[order.faces[begin]], DWORD(begin), DWORD(end - begin), 0, 0};
            if (split) {
                range.VertexStart = vertexRanges[g].first;
                range.VertexCount = vertexRanges[g].second;
            } else {
                const auto first = order.indices.begin() + begin * 3;
                const auto last = order.indices.begin() + end * 3;
                const auto [low, high] = std::minmax_element(first, last);
                range.VertexStart = *low;
                range.VertexCount = *high - *low + 1;
            }
            order.table.push_back(range);
        }
    }
    return order;
}

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
