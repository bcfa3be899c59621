// Screen-space quads in chunks that fit 16-bit indices, each chunk one
// textured indexed draw.
#pragma once

#include <vector>

#include "scene/render/kv_indexed_mesh.h"

class QuadBatchChunk : public KV_IndexedMesh {
public:
    QuadBatchChunk() { primitiveType = D3DPT_TRIANGLESTRIP; }

    // RHWCT vertices for q quads, at the origin, black, with the quad UVs;
    // no buffers for q = 0.
    void SetQuadCount(UINT q);
    UINT QuadCount() const { return vertexCount / 4; }
    // Slot i of a locked chunk; a bad slot changes nothing.
    void SetQuadUV(UINT i, float leftU, float rightU, float topV, float bottomV);
    DX_V::RHWCT* LockedQuad(UINT i) const;

    TextureHolder texture;
    // Mesh nodes: drawn a second time, blended, with the opposite cull.
    BYTE flag = 0;
};

class QuadBatch {
public:
    static constexpr UINT kQuadsPerChunk = 16383;

    QuadBatch() : chunks(1) {}

    void Resize(int n);
    void Lock();
    void Unlock();
    void SetTexture(IDirect3DTexture9* texture);
    // Quad i of a locked batch; a bad index does nothing. a and b are half
    // axes: a along x and b along y give the corners bottom-left, top-left,
    // bottom-right, top-right.
    void SetQuadCorners(int i, const D3DXVECTOR2& centre, const D3DXVECTOR2& a, const D3DXVECTOR2& b);
    void SetQuadColour(int i, D3DCOLOR colour);
    void SetQuadUV(int i, float leftU, float rightU, float topV, float bottomV);
    // Every chunk with quads, in order; render states are the caller's.
    void Draw() const;

    int count = 0;
    std::vector<QuadBatchChunk> chunks;

private:
    DX_V::RHWCT* LockedQuad(int i) const;
};
