#include "d3dx9/mesh_order.h"

#include <algorithm>
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

}  // namespace platform::d3dx9
