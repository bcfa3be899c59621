// The bolt of the lightning: a tree of point lists, each point able to
// start a branch of its own, and the slots that decide where branches grow.
#pragma once

#include <d3dx9math.h>

#include <cstdint>
#include <list>
#include <vector>

struct BoltPoint;
using BoltList = std::list<BoltPoint>;

struct BoltPoint {
    // Pixels.
    D3DXVECTOR3 position;
    // Of the strip's width, 0 to 1.
    float width = 0.0f;
    // Where the point lies for the fade-in: the root of the whole bolt 1,
    // its tip 0.
    float intensity = 0.0f;
    // The branch that starts here; empty for most points.
    BoltList branches;
};

// Where a branch grows, and where its own branches may.
struct BranchSlot {
    int32_t pointIndex = -1;
    std::vector<BranchSlot> children;
};

// Segments and strip ends of a list and all its branches.
size_t BoltSegmentCount(const BoltList& list);
size_t BoltEndCount(const BoltList& list);

// The vector of length 1 along v; zero for a zero vector.
D3DXVECTOR3 UnitOrZero(const D3DXVECTOR3& v);
