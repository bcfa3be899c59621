#include "d3dx9/mesh_adjacency.h"

#include <unordered_map>

namespace platform::d3dx9 {

std::vector<DWORD> FaceAdjacency(const std::vector<DWORD>& indices, const std::vector<DWORD>* pointReps) {
    const size_t faces = indices.size() / 3;
    const auto point = [&](size_t corner) {
        const DWORD index = indices[corner];
        return pointReps && index < pointReps->size() ? (*pointReps)[index] : index;
    };
    const auto edge = [](DWORD from, DWORD to) { return ULONGLONG{from} << 32 | to; };
    std::unordered_map<ULONGLONG, DWORD> faceOfEdge;
    faceOfEdge.reserve(faces * 3);
    for (size_t f = 0; f < faces; ++f)
        for (size_t k = 0; k < 3; ++k) faceOfEdge.emplace(edge(point(f * 3 + k), point(f * 3 + (k + 1) % 3)), DWORD(f));
    std::vector<DWORD> adjacency(faces * 3, 0xFFFFFFFF);
    for (size_t f = 0; f < faces; ++f) {
        for (size_t k = 0; k < 3; ++k) {
            const auto found = faceOfEdge.find(edge(point(f * 3 + (k + 1) % 3), point(f * 3 + k)));
            if (found != faceOfEdge.end() && found->second != f) adjacency[f * 3 + k] = found->second;
        }
    }
    return adjacency;
}

}  // namespace platform::d3dx9
