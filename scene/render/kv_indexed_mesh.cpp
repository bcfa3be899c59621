#include "scene/render/kv_indexed_mesh.h"

void KV_IndexedMesh::CreateBuffers(UINT vertices, UINT indexCount)
{
    CreateVerticesPCT(vertices);
    primitiveType = D3DPT_TRIANGLELIST;
    primitiveCount = 0;
    triangleCount = indexCount / 3;
    CreateIndexBuffer16(indexCount, indexBuffer);
}

void KV_IndexedMesh::SetQuadCount(UINT n)
{
    CreateBuffers(4 * n, 6 * n);
    CreateQuadIndices(n);
}

void KV_IndexedMesh::CreateQuadIndices(UINT quads)
{
    CreateIndexBuffer16(6 * quads, indexBuffer);
    void* locked = nullptr;
    if (!indexBuffer || FAILED(indexBuffer->Lock(0, 0, &locked, 0)))
        return;
    lockedIndices = static_cast<WORD*>(locked);
    for (UINT j = 0; j < quads; ++j) {
        const WORD v = static_cast<WORD>(4 * j);
        WORD* index = lockedIndices + 6 * j;
        index[0] = v;
        index[1] = static_cast<WORD>(v + 1);
        index[2] = static_cast<WORD>(v + 2);
        index[3] = static_cast<WORD>(v + 2);
        index[4] = static_cast<WORD>(v + 1);
        index[5] = static_cast<WORD>(v + 3);
    }
    lockedIndices = nullptr;
    indexBuffer->Unlock();
}
