// A vertex buffer with a 16-bit index buffer: the PCT quad batches of the
// generators and the sprites, and the base of the textured chunks.
#pragma once

#include "scene/render/kv_simple_mesh.h"

class KV_IndexedMesh : public KV_SimpleMesh {
public:
    // PCT vertices and a triangle list of indexCount / 3 triangles.
    void CreateBuffers(UINT vertexCount, UINT indexCount);
    // Buffers for n quads with their indices written; the caller writes the
    // vertices.
    void SetQuadCount(UINT n);

    IndexBufferHolder indexBuffer;
    UINT triangleCount = 0;
    WORD* lockedIndices = nullptr;

protected:
    // A new index buffer of two triangles per quad: 4j, 4j+1, 4j+2, 4j+2,
    // 4j+1, 4j+3.
    void CreateQuadIndices(UINT quads);
};
