// The water rings' height field: cells with a height and a velocity,
// stepped four passes a frame, drawn as one lit triangle strip that
// spirals inward, each vertex's texture coordinates from a ray refracted
// at the surface.
#pragma once

#include <windows.h>

#include <d3d9.h>
#include <d3dx9.h>

#include <vector>

#include "scene/render/d3d_helpers.h"

struct RefractionEntry {
    float normalCoefficient;
    float incidentCoefficient;
    D3DCOLOR colour;
};

struct RippleCell {
    float height;
    float velocity;
};

// Position, normal, diffuse, one coordinate pair.
struct RippleVertex {
    static constexpr DWORD FVF = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;
    float x, y, z;
    float nx, ny, nz;
    D3DCOLOR diffuse;
    float u, v;
};
static_assert(sizeof(RippleVertex) == 36);

class RippleGrid {
public:
    static constexpr UINT kMaxCells = 65536;
    static constexpr UINT kMinSide = 4;

    // The process-wide table, built on first use.
    void BuildRefractionTable();
    // Sizes for a surface of width x height units; every grid keeps at least
    // four columns and rows and fits 16-bit indices.
    void Resize(float surfaceWidth, float surfaceHeight, float rowFactor, float columnFactor);
    void CreateBuffers();
    void ReleaseBuffers();
    void AddDrop();
    // Four passes of the simulation, then the vertices seen from the eye.
    // Nothing while the buffers are released.
    void Step(const D3DXVECTOR3& eye);
    void Draw() const;

    // The four passes alone.
    void Simulate();
    // The vertices of the current heights.
    void FillVertices(const D3DXVECTOR3& eye, RippleVertex* vertices) const;
    RippleCell& Cell(UINT row, UINT column) { return cells[row * cols + column]; }

    float width = 0, height = 0;
    float invWidth = 1.0f, invHeight = 1.0f;
    float accumulator = 0;
    UINT indexCount = 0;
    UINT vertexCount = 0;
    std::vector<RippleCell> cells;
    const RefractionEntry* refraction = nullptr;
    UINT cols = 4, rows = 4;
    UINT cellCount = 16;
    IndexBufferHolder indexBuffer;
    VertexBufferHolder vertexBuffer;
    float heightRate = 1.0f;
    float dropStrength = 0.5f;
    float damping = 0.99f;
    float depth = 0.2f;
};

// The grid's strip: pairs ring by ring from the outside in, count indices,
// any at or past cols x rows replaced by 0.
void FillSpiralStrip(UINT cols, UINT rows, UINT count, WORD* indices);
// Grid damping for the layer's setting.
float RippleDamping(unsigned value);
