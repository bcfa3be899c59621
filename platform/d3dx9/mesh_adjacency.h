// Face adjacency: for each triangle, the faces across its three edges.
#pragma once

#include <windef.h>

#include <vector>

namespace platform::d3dx9 {

// Three entries per face (edges 0-1, 1-2, 2-0), 0xFFFFFFFF where no face
// shares the edge. Vertices with one point representative (a position
// split for its normals) count as one.
std::vector<DWORD> FaceAdjacency(const std::vector<DWORD>& indices, const std::vector<DWORD>* pointReps);

}  // namespace platform::d3dx9
